// The window driven by wheel and keyboard: the wheel edits only the focused
// field, focus shows, Tab walks the editors in reading order, and the
// commands have shortcuts.
#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace
{
// Counts the wheel events that reach a widget.
class WheelCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Wheel;
        return false;
    }
};

// The value a field shows, whatever its kind.
QString shown(QWidget *field)
{
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->currentText();
    return static_cast<QAbstractSpinBox *>(field)->text();
}

// One notch (1 up, -1 down) over the middle of a field, delivered as the window system
// does: to the widget under the pointer, from where it may travel upwards.
void wheelOver(QWidget *field, int notch)
{
    const QPoint at = field->rect().center();
    QWidget *under = field->childAt(at) ? field->childAt(at) : field;
    const QPoint local = under->mapFrom(field, at);
    QWheelEvent wheel(local, under->mapToGlobal(local), QPoint(), QPoint(0, 120 * notch),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel); // so that it may travel
    qApp->notify(under, &wheel);               // sendEvent() would clear that
}
} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { delete window; }
    void wheelOnlyInFocusedField_data();
    void wheelOnlyInFocusedField();
    void focusShows_data();
    void focusShows();
    void shownBoxTakesNoClick();
    void tabWalksInReadingOrder_data();
    void tabWalksInReadingOrder();
    void typingChangesNoShownBox_data();
    void typingChangesNoShownBox();
    void shortcutsClickCommands_data();
    void shortcutsClickCommands();
    void pagesTurnFromAnyField();

private:
    MainWindow *window = nullptr;
    void showPageOf(QWidget *widget);
};

void TestKeyboard::initTestCase()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
}

void TestKeyboard::showPageOf(QWidget *widget)
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(widget))
            tabs->setCurrentIndex(i);
}

void TestKeyboard::wheelOnlyInFocusedField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("notch"); // away from the field's starting end
    QTest::newRow("spin box") << "spinBox_Lepa1" << -1;
    QTest::newRow("double spin box") << "doubleSpinBox_Volt" << 1;
    QTest::newRow("combo box") << "comboBox_rev1" << -1;
}

// Over a field the user has not clicked, the wheel scrolls on (to the
// parent) and changes nothing; in the focused field it edits.
void TestKeyboard::wheelOnlyInFocusedField()
{
    QFETCH(QString, field);
    QFETCH(int, notch);
    auto *w = window->findChild<QWidget *>(field);
    showPageOf(w);
    window->findChild<QWidget *>("toolButton_Read")->setFocus();
    WheelCounter parent;
    w->parentWidget()->installEventFilter(&parent);
    const QString before = shown(w);

    wheelOver(w, notch);
    QCOMPARE(shown(w), before);
    QCOMPARE(parent.count, 1);
    QVERIFY(!w->hasFocus());

    w->setFocus();
    wheelOver(w, notch);
    QVERIFY(shown(w) != before);
    QCOMPARE(parent.count, 1);
}

void TestKeyboard::focusShows_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("push button") << "openButton";
    QTest::newRow("command button") << "toolButton_Read";
    QTest::newRow("combo box") << "comboBox_rev8";
    QTest::newRow("spin box") << "spinBox_Lepa1";
    QTest::newRow("double spin box") << "doubleSpinBox_Volt";
}

// Focused, a control's edge looks different from the same control
// unfocused, all the way round.
void TestKeyboard::focusShows()
{
    QFETCH(QString, control);
    auto *w = window->findChild<QWidget *>(control);
    showPageOf(w);
    const auto edges = [this, w] {
        const QImage shot =
            window->grab(QRect(w->mapTo(window, QPoint(0, 0)), w->size())).toImage();
        const QRect r = shot.rect();
        return QVector<QRgb>{
            shot.pixel(1, r.center().y()), shot.pixel(r.right() - 1, r.center().y()),
            shot.pixel(r.center().x(), 1), shot.pixel(r.center().x(), r.bottom() - 1)};
    };
    window->findChild<QWidget *>(control == "toolButton_Read" ? "openButton" : "toolButton_Read")
        ->setFocus();
    const QVector<QRgb> unfocused = edges();
    w->setFocus();
    const QVector<QRgb> focused = edges();
    for (int i = 0; i < focused.size(); ++i)
        QVERIFY2(focused[i] != unfocused[i], qPrintable(QString("edge %1").arg(i)));
}

// A click in a box that only shows begins no edit there.
void TestKeyboard::shownBoxTakesNoClick()
{
    auto *box = window->findChild<QAbstractSpinBox *>("spinBox_Vertion");
    showPageOf(box);
    window->findChild<QWidget *>("toolButton_Read")->setFocus();
    auto *edit = box->findChild<QLineEdit *>();
    // Through the window, which hands a click to the widget under it.
    const QPoint at = edit->mapTo(window, edit->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("toolButton_Read"));
}

void TestKeyboard::tabWalksInReadingOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("run"); // stops that follow one another
    QTest::newRow("outputs: nothing to edit") << 0 << QStringList{"portNameBox", "toolButton_Read"};
    // one row per channel across the page
    QTest::newRow("basic") << 1 << QStringList{"portNameBox",    "comboBox_rev1", "spinBox_sub1",
                                               "spinBox_Lepa1",  "spinBox_Repa1", "spinBox_FS1",
                                               "spinBox_delay1", "comboBox_AUX1", "comboBox_rev2"};
    // panels by rows (dual rate, flight mode, elevon, V-tail; then system,
    // mix 1, mix 2), each by rows: the editors beside the elevon's rows join them
    QTest::newRow("advanced 1, panels")
        << 2 << QStringList{"portNameBox", "comboBox_DR_MIX1", "comboBox_DR_CH1"};
    QTest::newRow("advanced 1, flight mode")
        << 2 << QStringList{"spinBox_DR_DOWN1", "comboBox_AttiM"};
    QTest::newRow("advanced 1, elevon")
        << 2 << QStringList{"spinBox_Elev01", "spinBox_Elev05", "spinBox_Elev02", "spinBox_Elev06"};
    QTest::newRow("advanced 1, second row")
        << 2
        << QStringList{"spinBox_Ru4", "doubleSpinBox_Volt", "spinBox_Mode", "comboBox_PRM01_Mix"};
    QTest::newRow("advanced 2") << 3 << QStringList{"portNameBox", "comboBox_PRM03_Mix"};
    QTest::newRow("advanced 3") << 4 << QStringList{"portNameBox", "comboBox_PRM04_Mix"};
    // the throttle-curve plot after its boxes
    QTest::newRow("advanced 3, plot")
        << 4 << QStringList{"spinBox_THCURE_Data07", "widget_4", "toolButton_Read"};
}

// From Read, Tab runs along the top bar, through every editor of the page
// shown once and back to Read: never to a box that only shows.
void TestKeyboard::tabWalksInReadingOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, run);
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    tabs->setCurrentIndex(page);
    QWidget *read = window->findChild<QWidget *>("toolButton_Read");
    read->setFocus();
    QStringList walked;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    } while (walked.last() != read->objectName() && walked.size() < 200);
    const QStringList bar{"toolButton_Load",  "toolButton_Send", "toolButton_Save",
                          "toolButton_Reset", "openButton",      "portNameBox"};
    QCOMPARE(walked.mid(0, bar.size()), bar);
    QCOMPARE(walked.mid(walked.indexOf(run.first()), run.size()), run);
    QStringList editors;
    for (QComboBox *combo : tabs->widget(page)->findChildren<QComboBox *>())
        editors << combo->objectName();
    for (QAbstractSpinBox *spin : tabs->widget(page)->findChildren<QAbstractSpinBox *>())
        if (!spin->isReadOnly())
            editors << spin->objectName();
    for (QWidget *plot : tabs->widget(page)->findChildren<QWidget *>())
        if (plot->focusPolicy() & Qt::TabFocus &&
            (plot->inherits("cureWidget") || plot->inherits("mWidget")))
            editors << plot->objectName();
    QStringList onPage = walked.mid(bar.size(), walked.size() - bar.size() - 1);
    onPage.sort();
    editors.sort();
    QCOMPARE(onPage, editors);
}

void TestKeyboard::typingChangesNoShownBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("row label") << "lineEdit_36";
    QTest::newRow("channel value") << "lineEdit_8";
    QTest::newRow("transmitter voltage") << "lineEdit_TX";
    QTest::newRow("firmware version") << "spinBox_Vertion";
}

// Clicked and typed into, a box that only shows keeps its text.
void TestKeyboard::typingChangesNoShownBox()
{
    QFETCH(QString, box);
    auto *w = window->findChild<QWidget *>(box);
    showPageOf(w);
    auto *spin = qobject_cast<QAbstractSpinBox *>(w);
    QWidget *typedInto = spin ? spin->findChild<QLineEdit *>() : w;
    const QString before = typedInto->property("text").toString();
    QTest::mouseClick(typedInto, Qt::LeftButton);
    QTest::keyClicks(typedInto, "Oops999");
    QTest::keyClick(typedInto, Qt::Key_Up);
    QCOMPARE(typedInto->property("text").toString(), before);
}

void TestKeyboard::shortcutsClickCommands_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("read") << "toolButton_Read"
                          << "F5" << true;
    QTest::newRow("load") << "toolButton_Load"
                          << "Ctrl+O" << true;
    QTest::newRow("write") << "toolButton_Send"
                           << "Ctrl+Shift+W" << true;
    QTest::newRow("save") << "toolButton_Save"
                          << "Ctrl+S" << true;
    QTest::newRow("factory reset") << "toolButton_Reset"
                                   << "Ctrl+Shift+F" << true;
    QTest::newRow("open") << "openButton"
                          << "Ctrl+L" << true;
    QTest::newRow("disabled") << "toolButton_Send"
                              << "Ctrl+Shift+W" << false;
    QTest::newRow("Enter on the focused button") << "toolButton_Load"
                                                 << "Return" << true;
}

// A shortcut, from a spin box, clicks its command unless it is disabled;
// the tooltip names it. Enter clicks the focused button.
void TestKeyboard::shortcutsClickCommands()
{
    QFETCH(QString, button);
    QFETCH(QString, keys);
    QFETCH(bool, enabled);
    auto *b = window->findChild<QAbstractButton *>(button);
    b->disconnect(window); // the command itself is not under test here
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    b->setEnabled(enabled);
    const QKeySequence sequence(keys);
    if (keys == "Return") {
        b->setFocus();
    } else {
        QVERIFY2(b->toolTip().contains(sequence.toString(QKeySequence::NativeText)),
                 qPrintable(b->toolTip()));
        auto *spin = window->findChild<QWidget *>("spinBox_sub1");
        showPageOf(spin);
        spin->setFocus();
    }
    QTest::keySequence(QApplication::focusWidget(), sequence);
    b->setEnabled(true);
    QCOMPARE(clicked.count(), enabled ? 1 : 0);
}

// Ctrl+PgDn and Ctrl+PgUp turn the page, round the ends, even from a spin
// box, whose value stays.
void TestKeyboard::pagesTurnFromAnyField()
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    auto *spin = window->findChild<QSpinBox *>("spinBox_PRM04_Data1");
    showPageOf(spin);
    spin->setFocus();
    const int value = spin->value();
    QTest::keyClick(spin, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(spin->value(), value);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 4);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
