// What the user reads on the window: pop-up lists in readable colours.
#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace
{

// Relative luminance and contrast ratio as the usual accessibility rules
// define them.
double luminance(QRgb rgb)
{
    const auto linear = [](int c) {
        const double s = c / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Contrast of the text of a rendered row: the most common colour is the
// background, the pixel farthest from it the core of the letters. The edge
// is left out: a frame drawn round the row is no text.
double rowContrast(const QImage &image, QRect row)
{
    row = row.intersected(image.rect()).adjusted(3, 3, -3, -3);
    QHash<QRgb, int> counts;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(background, it.key()));
    return best;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { delete window; }
    void popupRows_data();
    void popupRows();

private:
    MainWindow *window = nullptr;
    void showPageOf(QWidget *widget);
};

void TestLook::initTestCase()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestLook::showPageOf(QWidget *widget)
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
}

void TestLook::popupRows_data()
{
    QTest::addColumn<QString>("box");
    for (const QComboBox *box : window->findChildren<QComboBox *>())
        QTest::newRow(qPrintable(box->objectName())) << box->objectName();
}

// With the list open, the pointer on the row after the current one (which
// then is the selected row too), every row must read at 3:1 or better.
void TestLook::popupRows()
{
    QFETCH(QString, box);
    auto *combo = window->findChild<QComboBox *>(box);
    if (combo->count() < 2) // the port box lists whatever this machine has
        combo->addItems({"ttyS8", "ttyS9"});
    showPageOf(combo);
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex hovered =
        view->model()->index((combo->currentIndex() + 1) % combo->count(), 0);
    const QPoint at = view->visualRect(hovered).center();
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QHoverEvent hover(QEvent::HoverMove, at, QPoint(-1, -1));
    QApplication::sendEvent(view->viewport(), &hover);
    QCOMPARE(view->currentIndex(), hovered);

    const QImage shot = view->viewport()->grab().toImage();
    for (int row = 0; row < combo->count(); ++row) {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        const double ratio = rowContrast(shot, rect);
        QVERIFY2(ratio >= 3.0, qPrintable(QString("row %1 \"%2\": %3:1")
                                              .arg(row)
                                              .arg(combo->itemText(row))
                                              .arg(ratio, 0, 'f', 2)));
    }
    combo->hidePopup();
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
