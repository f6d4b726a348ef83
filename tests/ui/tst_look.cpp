// What the user reads on the window: pop-up lists in readable colours, and
// every text of the form and of the live display whole in its widget.
#include "formfonts.h"
#include "language.h"
#include "mainwindow.h"
#include "qtcompat.h"
#include "telemetry.h"
#include "uitexts.h"

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

// The line of text as drawn: its width, the ascent and descent of every face
// it uses (a Chinese character from a fallback face makes the line taller
// than the widget's own font says) and its ink around the baseline.
struct Line {
    qreal width, ascent, descent;
    QRectF ink;
};
Line lineOf(const QString &text, const QWidget *widget)
{
    QTextLayout layout(text, widget->font(), const_cast<QWidget *>(widget));
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return {line.naturalTextWidth(), line.ascent(), line.descent(),
            QFontMetricsF(widget->font(), widget).tightBoundingRect(text)};
}

// Room left around a text whose baseline is at baseline: across rect, and
// between its ink and the top and bottom of rect.
QPoint slackIn(const QRect &rect, const Line &line, qreal baseline, qreal used)
{
    return QPoint(qFloor(rect.width() - used),
                  qFloor(qMin(baseline + line.ink.top() - rect.top(),
                              rect.bottom() + 1 - baseline - line.ink.bottom())));
}

// A text centred in rect as QPainter::drawText lays it out.
QPoint centredSlack(const QRect &rect, const Line &line)
{
    const qreal baseline =
        rect.top() + (rect.height() - line.ascent - line.descent) / 2 + line.ascent;
    return slackIn(rect, line, baseline, line.width);
}

// A line edit whose text and cursor do not fit side by side scrolls, cutting
// the start of the text (the minus of "-60dBm"). Its baseline stays where the
// widget's own font puts it.
QPoint lineEditSlack(const QLineEdit *edit, const QString &text)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect clip = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit) -
                       edit->textMargins();
    const QFontMetrics fm = edit->fontMetrics();
    const int baseline = clip.y() + (clip.height() - fm.height() + 1) / 2 + fm.ascent();
    const Line line = lineOf(text, edit);
    return slackIn(clip.adjusted(2, 0, -2, 0), line, baseline, line.width + 1);
}

QImage render(QWidget *widget, QWidget::RenderFlags flags = QWidget::DrawWindowBackground)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), flags);
    return image;
}

// The pixels in which two renderings differ, counted and bounded.
int differing(const QImage &a, const QImage &b, QRect *bounds, const QRect &within = QRect())
{
    int count = 0;
    const QRect area = within.isNull() ? a.rect() : within;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                *bounds |= QRect(x, y, 1, 1);
                ++count;
            }
    return count;
}

// A group box title is drawn first and its columns over it: none of the
// title's pixels (found by drawing it in two colours) may change when they
// are drawn; the room below the title reaches to where they start.
QPoint groupTitleSlack(QGroupBox *box, QString *failure)
{
    const QString sheet = box->styleSheet();
    const QImage titled = render(box);
    box->setStyleSheet(sheet + ";color: rgb(0, 0, 255);");
    const QImage recoloured = render(box);
    box->setStyleSheet(sheet);
    const QImage whole = render(box, QWidget::DrawWindowBackground | QWidget::DrawChildren);
    QRect ink, covered, below;
    differing(titled, recoloured, &ink);
    QImage title = whole;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (titled.pixel(x, y) != recoloured.pixel(x, y))
                title.setPixel(x, y, titled.pixel(x, y));
    if (const int count = differing(whole, title, &covered))
        *failure = QString("%1 pixels of the title covered").arg(count);
    differing(whole, titled, &below,
              QRect(ink.left(), ink.bottom() + 1, ink.width(), box->height() - ink.bottom() - 1));
    return QPoint(qFloor(box->width() - ink.left() - lineOf(box->title(), box).width),
                  (below.isNull() ? box->height() : below.top()) - ink.bottom() - 1);
}

// Buttons draw their text unclipped inside the widget: its ink, found by
// drawing the button with and without it, must stay clear of the edges.
QPoint buttonSlack(QAbstractButton *button, const QString &text)
{
    const QString shown = button->text();
    button->setText(QString());
    const QImage blank = render(button);
    button->setText(text);
    QRect ink;
    differing(render(button), blank, &ink);
    button->setText(shown);
    return QPoint(qMin(ink.left(), button->width() - 1 - ink.right()) - 1,
                  qMin(ink.top(), button->height() - 1 - ink.bottom()) - 1);
}

QPoint comboSlack(const QComboBox *box, const QString &text)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.currentText = text;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    return centredSlack(field, lineOf(text, box));
}

QPoint tabSlack(const QTabBar *bar, const QString &text)
{
    QStyleOptionTab option;
    option.initFrom(bar);
    option.shape = bar->shape();
    option.text = text;
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabText(i) == text)
            option.rect = bar->tabRect(i);
    const QRect rect = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
    return centredSlack(rect, lineOf(text, bar));
}

// Texts the live display writes, driven through the window's own display
// routines over the whole range of each value.
QMultiMap<QWidget *, QString> liveTexts(MainWindow *window)
{
    QMultiMap<QWidget *, QString> texts;
    const TelemetryRecord saved = Telemetry;
    const auto collect = [&] {
        QMetaObject::invokeMethod(window, "Servo_Display");
        QMetaObject::invokeMethod(window, "Recieve_Display");
        for (const char *name : {"lineEdit", "lineEdit_TX", "lineEdit_RSSI", "lineEdit_EXT"}) {
            auto *edit = window->findChild<QLineEdit *>(name);
            if (!texts.contains(edit, edit->text()))
                texts.insert(edit, edit->text());
        }
    };
    for (int s = 0; s <= 2000; ++s) {
        std::fill(std::begin(Telemetry.servo), std::end(Telemetry.servo), s);
        Telemetry.txVolt = 5 * s;
        Telemetry.extVolt = s / 2;
        Telemetry.rssi = s / 19 - 1;
        collect();
    }
    Telemetry = saved;
    collect();
    texts.insert(window->findChild<QWidget *>("openButton"), uitexts::closeCaption());
    return texts;
}

// A spin box's text at a value, prefix and suffix included.
QString spinText(const QAbstractSpinBox *box, const char *end)
{
    const double value = box->property(end).toDouble();
    const QString number =
        qobject_cast<const QDoubleSpinBox *>(box)
            ? box->locale().toString(value, 'f', box->property("decimals").toInt())
            : box->locale().toString(int(value)).remove(box->locale().groupSeparator());
    return box->property("prefix").toString() + number + box->property("suffix").toString();
}

// Every text the form shows, gathered from the widget tree as it stands
// (so in whatever language it has been translated to), then the live texts;
// texts of one widget that measure alike are kept once.
QVector<QPair<QWidget *, QString>> formTexts(MainWindow *window)
{
    QMultiMap<QWidget *, QString> texts = liveTexts(window);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (auto *box = qobject_cast<QGroupBox *>(w)) {
            texts.insert(box, box->title());
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i)
                texts.insert(bar, bar->tabText(i));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts.insert(combo, combo->itemText(i));
        } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
            texts.insert(spin, spinText(spin, "minimum"));
            texts.insert(spin, spinText(spin, "maximum"));
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (!qobject_cast<QAbstractSpinBox *>(w->parent()))
                texts.insert(edit, edit->text());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (!button->text().isEmpty())
                texts.insert(button, button->text());
        }
    }
    QVector<QPair<QWidget *, QString>> rows;
    for (QWidget *w : texts.uniqueKeys()) {
        QSet<int> widths;
        for (const QString &text : texts.values(w)) {
            const int width = w->fontMetrics().horizontalAdvance(text);
            if (!widths.contains(width)) {
                widths.insert(width);
                rows.append({w, text});
            }
        }
    }
    return rows;
}

// Tightest fits seen, for the summary at the end.
QMultiMap<int, QString> tightest;

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void popupRows_data();
    void popupRows();
    void textsFit_data();
    void textsFit();
    void stepArrowsShow_data();
    void stepArrowsShow();

private:
    MainWindow *window = nullptr;
    void showPageOf(QWidget *widget);
};

void TestLook::initTestCase()
{
    installFormFonts();
    // CTest runs this test once more for each translation (TXCONFIG_LANG).
    QString error;
    const QString lang = language::choose({}, qEnvironmentVariable("TXCONFIG_LANG"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(language::apply(lang), QString());
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Show every page once so that sheets are applied and columns laid out.
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    for (int i = tabs->count() - 1; i >= 0; --i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
    }
}

void TestLook::cleanupTestCase()
{
    QStringList lines;
    for (auto it = tightest.cbegin(); it != tightest.cend() && lines.size() < 12; ++it)
        lines << QString("%1 px  %2").arg(it.key(), 3).arg(it.value());
    qInfo("Tightest fits:\n%s", qPrintable(lines.join('\n')));
    delete window;
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
    qtcompat::sendHoverMove(view->viewport(), at, QPoint(-1, -1));
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

void TestLook::textsFit_data()
{
    QTest::addColumn<QWidget *>("widget");
    QTest::addColumn<QString>("text");
    for (const auto &row : formTexts(window)) {
        QWidget *w = row.first;
        const QString name =
            w->objectName().isEmpty() ? w->parentWidget()->objectName() + "/tabs" : w->objectName();
        QTest::newRow(qPrintable(name + ": " + row.second)) << w << row.second;
    }
}

// Measured with the widget's own font, every text must fit its widget both
// ways; line edits are also rendered with the cursor at either end, which
// shows the same picture only when nothing is scrolled out of sight.
void TestLook::textsFit()
{
    QFETCH(QWidget *, widget);
    QFETCH(QString, text);
    showPageOf(widget);
    QString failure;
    QPoint slack;
    if (auto *box = qobject_cast<QGroupBox *>(widget)) {
        slack = groupTitleSlack(box, &failure);
    } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget)) {
        slack = lineEditSlack(spin->findChild<QLineEdit *>(), text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        slack = lineEditSlack(edit, text);
        const QString shown = edit->text();
        edit->setText(text);
        edit->home(false);
        const QImage atStart = edit->grab().toImage();
        edit->end(false);
        if (edit->grab().toImage() != atStart)
            failure = "scrolls";
        edit->setText(shown);
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        slack = comboSlack(combo, text);
    } else if (auto *bar = qobject_cast<QTabBar *>(widget)) {
        slack = tabSlack(bar, text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        slack = buttonSlack(button, text);
    }
    const QString where =
        QString("%1 \"%2\" (%3, %4)").arg(widget->objectName(), text).arg(slack.x()).arg(slack.y());
    tightest.insert(qMin(slack.x(), slack.y()), where);
    QVERIFY2(failure.isEmpty(), qPrintable(where + ": " + failure));
    QVERIFY2(slack.x() >= 0 && slack.y() >= 0, qPrintable(where));
}

void TestLook::stepArrowsShow_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("button");
    QTest::newRow("spin box, up") << "spinBox_sub1" << int(QStyle::SC_SpinBoxUp);
    QTest::newRow("spin box, down") << "spinBox_sub1" << int(QStyle::SC_SpinBoxDown);
    QTest::newRow("double spin box, up") << "doubleSpinBox_Volt" << int(QStyle::SC_SpinBoxUp);
}

// A step button shows an arrow in the editors' white, not a blank strip.
void TestLook::stepArrowsShow()
{
    QFETCH(QString, box);
    QFETCH(int, button);
    auto *spin = window->findChild<QAbstractSpinBox *>(box);
    showPageOf(spin);
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.subControls = QStyle::SC_All;
    const QRect rect = spin->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                     QStyle::SubControl(button), spin);
    const QImage shot = spin->grab(rect).toImage();
    int white = 0;
    for (int y = 3; y < shot.height() - 3; ++y)
        for (int x = 3; x < shot.width() - 3; ++x)
            white += qGray(shot.pixel(x, y)) > 240;
    QVERIFY2(white >= 6, qPrintable(QString("%1 white pixels").arg(white)));
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
