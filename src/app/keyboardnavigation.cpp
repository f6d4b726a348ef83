#include "keyboardnavigation.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>

namespace keyboardnavigation
{
namespace
{

// The page laid out as one table: row k holds every setting of channel k.
const char *const tablePage = "tab_2";
const char *const topBar = "frame";

// A spin box's line edit hands focus to its spin box, which is the stop. Tab
// passes over a disabled control by itself, so one disabled now (the port box
// while the link is open) keeps its place.
bool isTabStop(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && !w->isHidden();
}

// Where a widget sits, in the coordinates of `page`.
QRect placeIn(const QWidget *w, const QWidget *page)
{
    return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
}

// Rows first, then left to right. Widgets whose vertical centres lie within
// half the smaller height of the row's first widget share its row, so an
// editor standing beside a column joins the row it is level with.
QWidgetList readingOrder(QWidgetList widgets, const QWidget *page)
{
    std::sort(widgets.begin(), widgets.end(), [page](QWidget *a, QWidget *b) {
        return placeIn(a, page).center().y() < placeIn(b, page).center().y();
    });
    QWidgetList ordered;
    for (int first = 0; first < widgets.size();) {
        const QRect lead = placeIn(widgets[first], page);
        int end = first + 1;
        while (end < widgets.size()) {
            const QRect r = placeIn(widgets[end], page);
            if (qAbs(r.center().y() - lead.center().y()) > qMin(r.height(), lead.height()) / 2)
                break;
            ++end;
        }
        QWidgetList row = widgets.mid(first, end - first);
        std::stable_sort(row.begin(), row.end(), [page](QWidget *a, QWidget *b) {
            return placeIn(a, page).x() < placeIn(b, page).x();
        });
        ordered += row;
        first = end;
    }
    return ordered;
}

// Combo boxes keep their pop-up lists as windows of their own: not here.
QWidgetList tabStopsIn(const QWidget *area)
{
    QWidgetList stops;
    for (QWidget *w : area->findChildren<QWidget *>())
        if (isTabStop(w) && w->window() == area->window())
            stops << w;
    return stops;
}

// A page panel by panel (the group boxes in reading order), each by rows;
// whatever stands outside a group box reads as one more panel.
QWidgetList pageOrder(QWidget *page)
{
    if (page->objectName() == tablePage)
        return readingOrder(tabStopsIn(page), page);
    QWidgetList panels;
    for (QGroupBox *box : page->findChildren<QGroupBox *>())
        panels << box;
    QWidgetList order;
    for (QWidget *panel : readingOrder(panels, page))
        order += readingOrder(tabStopsIn(panel), page);
    QWidgetList loose;
    for (QWidget *w : tabStopsIn(page))
        if (!order.contains(w))
            loose << w;
    order += readingOrder(loose, page);
    // A plot comes after the boxes of the curve it draws, which stand in a
    // panel of their own below it: last on the page.
    std::stable_partition(order.begin(), order.end(), [](const QWidget *w) {
        return !w->inherits("cureWidget") && !w->inherits("mWidget");
    });
    return order;
}

// The top bar is read left to right, each column top to bottom.
QWidgetList barOrder(QWidget *bar)
{
    QWidgetList stops = tabStopsIn(bar);
    std::stable_sort(stops.begin(), stops.end(), [](QWidget *a, QWidget *b) {
        return std::make_pair(a->x(), a->y()) < std::make_pair(b->x(), b->y());
    });
    return stops;
}

void chainUp(const QWidgetList &chain)
{
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// Enter and Return press a focused button, as Space does.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        static_cast<QAbstractButton *>(watched)->click();
        return true;
    }
};

void addShortcuts(QWidget *window)
{
    for (const Command &command : commands()) {
        auto *button = window->findChild<QAbstractButton *>(command.button);
        // Not the button's own shortcut: setText() replaces that with the
        // caption's mnemonic, and the open button's caption changes.
        QObject::connect(new QShortcut(command.keys, window), &QShortcut::activated, button,
                         &QAbstractButton::click);
    }
    auto *tabs = window->findChild<QTabWidget *>();
    const auto turn = [tabs](int step) {
        tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
    };
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgDown")), window),
                     &QShortcut::activated, tabs, [turn] { turn(1); });
    QObject::connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgUp")), window),
                     &QShortcut::activated, tabs, [turn] { turn(-1); });

    auto *enter = new EnterPresses(window);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(enter);
}

} // namespace

const QVector<Command> &commands()
{
    static const QVector<Command> table{
        {"toolButton_Read", QKeySequence(QStringLiteral("F5"))},
        {"toolButton_Load", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"toolButton_Send", QKeySequence(QStringLiteral("Ctrl+Shift+W"))},
        {"toolButton_Save", QKeySequence(QStringLiteral("Ctrl+S"))},
        // Two modifiers and no single key: it overwrites the transmitter.
        {"toolButton_Reset", QKeySequence(QStringLiteral("Ctrl+Shift+F"))},
        {"openButton", QKeySequence(QStringLiteral("Ctrl+L"))},
    };
    return table;
}

void install(QWidget *window)
{
    chainUp(barOrder(window->findChild<QWidget *>(topBar)));
    addShortcuts(window);
}

void orderPage(QWidget *page)
{
    // The order is read from where the columns put their rows: lay them out
    // now, in case the page has not been shown yet.
    for (QLayout *layout : page->findChildren<QLayout *>())
        layout->activate();
    // Right after the top bar. Tab passes over the hidden pages' stops that
    // may follow, so each page's run needs no end of its own.
    const QWidgetList bar = barOrder(page->window()->findChild<QWidget *>(topBar));
    chainUp(QWidgetList{bar.last()} + pageOrder(page));
}

} // namespace keyboardnavigation
