// The window's editors, display refresh and live display, on the real form.
#include "fieldcatalogue.h"
#include "formeditors.h"
#include "mainwindow.h"
#include "telemetry.h"
#include "txparams.h"
#include "waitms.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void editorStoresIntoItsField_data();
    void editorStoresIntoItsField();
    void alarmVoltageEditReachesRawField();
    void refreshShowsChangedField_data();
    void refreshShowsChangedField();
    void refreshTimerDrivesDisplay();
    void outOfRangeValueIsClampedAndStoredBack();
    void clampedEditorAlreadyAtLimitKeepsField();
    void comboBeyondItemsStoresMinusOne();
    void dualRateBoxesFollowEachOther();
    void reservedAuxBoxesReturnToFirstItem();
    void quietRefreshChangesNothing();
    void quietRefreshRepaintsNothing_data();
    void quietRefreshRepaintsNothing();
    void refreshLeavesTheBoxBeingEdited_data();
    void refreshLeavesTheBoxBeingEdited();
    void liveDisplay_data();
    void liveDisplay();
    void liveDisplayBeforeAnyFrame();
    void waitMsKeepsProgramLive();
    void editorWithoutSlotIsStillWired();

private:
    template <typename T> T *child(const char *name, const MainWindow &w)
    {
        T *widget = w.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    static void refresh(MainWindow &w) { QMetaObject::invokeMethod(&w, "ui_Display"); }
};

void TestWindow::init()
{
    TxParams = TxParamsRecord();
    Telemetry = TelemetryRecord();
}

// Every int editor of the field catalogue stores into its field, through
// its own slot or, for an editor without one, the catalogue's connection.
void TestWindow::editorStoresIntoItsField_data()
{
    QTest::addColumn<QString>("editor");
    for (const params::Field &f : params::recordFields()) {
        for (const params::Editor &e : f.editors) {
            if (e.store && !f.isDouble)
                QTest::newRow(qPrintable(e.name)) << e.name;
        }
    }
}

void TestWindow::editorStoresIntoItsField()
{
    QFETCH(QString, editor);
    MainWindow w;
    QWidget *widget = w.findChild<QWidget *>(editor);
    QVERIFY(widget);
    refresh(w); // editors show the store, as after the first tick

    int shown = 0;
    if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
        const int v = spin->value() < spin->maximum() ? spin->value() + 1 : spin->value() - 1;
        spin->setValue(v);
        shown = spin->value();
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->count() < 2)
            QSKIP("a single-item box cannot change");
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        shown = combo->currentIndex();
    } else {
        QFAIL("not an editor");
    }
    QCOMPARE(params::findEditor(editor).field->value(TxParams), shown);
}

void TestWindow::alarmVoltageEditReachesRawField()
{
    MainWindow w;
    auto *volt = child<QDoubleSpinBox>("doubleSpinBox_Volt", w);
    QCOMPARE(TxParams.alarmVoltRaw, 37); // nothing edited yet
    volt->setValue(12.5);
    QCOMPARE(TxParams.alarmVolt, 12.5);
    QCOMPARE(TxParams.alarmVoltRaw, 125);
    volt->setValue(3.7);
    QCOMPARE(TxParams.alarmVoltRaw, 37);
}

void TestWindow::refreshShowsChangedField_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("value");
    for (const char *name :
         {"spinBox_sub3", "spinBox_Repa8", "spinBox_delay8", "comboBox_AUX7", "spinBox_Atti6",
          "spinBox_Elev05", "spinBox_Ru4", "comboBox_PRM04_Slave", "spinBox_PRM03_Data3",
          "spinBox_THCURE_Data07", "comboBox_THCURE_MIX", "spinBox_Vertion"})
        QTest::newRow(name) << QString::fromLatin1(name) << 4;
    // A transmitter may hold negative rates in mixes 3 and 4: shown, they
    // stay, and the next write sends them.
    QTest::newRow("mix 3 upper rate -50") << "spinBox_PRM03_Data2" << -50;
    QTest::newRow("mix 4 lower rate -100") << "spinBox_PRM04_Data3" << -100;
}

void TestWindow::refreshShowsChangedField()
{
    QFETCH(QString, editor);
    QFETCH(int, value);
    MainWindow w;
    const params::Field &field = *params::findEditor(editor).field;
    field.ref(TxParams) = value;
    refresh(w);
    QWidget *widget = w.findChild<QWidget *>(editor);
    if (auto *spin = qobject_cast<QSpinBox *>(widget))
        QCOMPARE(spin->value(), value);
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        QCOMPARE(combo->currentIndex(), value < combo->count() ? value : -1);
    else
        QFAIL("not an editor");
    if (qobject_cast<QSpinBox *>(widget))
        QCOMPARE(field.value(TxParams), value);
}

void TestWindow::refreshTimerDrivesDisplay()
{
    MainWindow w;
    auto *timer = w.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(timer->isActive());
    TxParams.failSafe[6] = 77;
    QSignalSpy ticks(timer, &QTimer::timeout);
    QVERIFY(ticks.wait(1000));
    QCOMPARE(child<QSpinBox>("spinBox_FS7", w)->value(), 77);
}

void TestWindow::outOfRangeValueIsClampedAndStoredBack()
{
    MainWindow w;
    refresh(w);
    TxParams.subTrim[0] = -120;
    TxParams.epaLeft[1] = 500;
    refresh(w);
    QCOMPARE(child<QSpinBox>("spinBox_sub1", w)->value(), -100);
    QCOMPARE(TxParams.subTrim[0], -100);
    QCOMPARE(child<QSpinBox>("spinBox_Lepa2", w)->value(), 120);
    QCOMPARE(TxParams.epaLeft[1], 120);
}

void TestWindow::clampedEditorAlreadyAtLimitKeepsField()
{
    MainWindow w;
    TxParams.subTrim[0] = -100;
    refresh(w);
    TxParams.subTrim[0] = -120;
    refresh(w); // the box already shows -100: no change, no report
    QCOMPARE(TxParams.subTrim[0], -120);
}

void TestWindow::comboBeyondItemsStoresMinusOne()
{
    MainWindow w;
    refresh(w);
    TxParams.aux[0] = 5; // the validation accepts 5, the box has 5 items
    TxParams.attiMode = 5;
    TxParams.prm[0].master = 9;
    refresh(w);
    QCOMPARE(child<QComboBox>("comboBox_AUX5", w)->currentIndex(), -1);
    QCOMPARE(TxParams.aux[0], -1);
    QCOMPARE(TxParams.attiMode, -1);
    QCOMPARE(TxParams.prm[0].master, -1);
}

void TestWindow::dualRateBoxesFollowEachOther()
{
    MainWindow w;
    refresh(w);
    TxParams.drUpCh[2] = 45;
    child<QComboBox>("comboBox_DR_CH2", w)->setCurrentIndex(2);
    QCOMPARE(TxParams.drChannel, 2);
    QCOMPARE(TxParams.drUp, 100); // the second box does not re-select at once
    refresh(w);
    QCOMPARE(child<QComboBox>("comboBox_DR_CH1", w)->currentIndex(), 2);
    QCOMPARE(TxParams.drUp, 45);
    refresh(w);
    QCOMPARE(child<QSpinBox>("spinBox_DR_UP1", w)->value(), 45);
    QCOMPARE(child<QSpinBox>("spinBox_DR_RATE", w)->value(), 45);

    child<QComboBox>("comboBox_DR_MIX1", w)->setCurrentIndex(1);
    refresh(w);
    QCOMPARE(child<QComboBox>("comboBox_DR_MIX2", w)->currentIndex(), 1);
}

void TestWindow::reservedAuxBoxesReturnToFirstItem()
{
    MainWindow w;
    auto *reserved = child<QComboBox>("comboBox_AUX2", w);
    reserved->setCurrentIndex(-1);
    refresh(w);
    QCOMPARE(reserved->currentIndex(), 0);
}

void TestWindow::quietRefreshChangesNothing()
{
    MainWindow w;
    refresh(w);
    const TxParamsRecord before = TxParams;
    refresh(w);
    refresh(w);
    QVERIFY(TxParams == before);
}

namespace
{
// Counts the paint events of every widget of the application.
struct PaintCounter : QObject {
    QStringList painted;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted << o->objectName();
        return false;
    }
};
} // namespace

void TestWindow::quietRefreshRepaintsNothing_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"tab", "tab_2", "tab_3", "tab_4", "tab_5"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

// The shown page is painted again only for what changed: a refresh that
// changes nothing paints nothing (the plots' own timers are stopped here).
void TestWindow::quietRefreshRepaintsNothing()
{
    QFETCH(QString, page);
    MainWindow w;
    for (QTimer *timer : w.findChildren<QTimer *>())
        timer->stop();
    auto *tabs = child<QTabWidget>("tabWidget", w);
    tabs->setCurrentWidget(tabs->findChild<QWidget *>(page));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A cursor blinks in the box with the focus.
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    refresh(w);
    QCoreApplication::processEvents();

    PaintCounter counter;
    qApp->installEventFilter(&counter);
    refresh(w);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    QVERIFY2(counter.painted.isEmpty(), qPrintable(counter.painted.join(' ')));

    // The counter sees paints: a changed value on any page is painted.
    Telemetry.servo[0] += 1;
    for (int *field :
         {&TxParams.delay[0], &TxParams.atti[0], &TxParams.drRate, &TxParams.thCurve[3]})
        *field += 1;
    qApp->installEventFilter(&counter);
    refresh(w);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    QVERIFY(!counter.painted.isEmpty());
}

void TestWindow::refreshLeavesTheBoxBeingEdited_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("page");
    QTest::newRow("servo delay") << "spinBox_delay1"
                                 << "tab_2";
    QTest::newRow("throttle point") << "spinBox_THCURE_Data04"
                                    << "tab_5";
    QTest::newRow("alarm voltage") << "doubleSpinBox_Volt"
                                   << "tab_3";
}

// Half-typed text in the box with focus survives the refresh while the store
// still holds what the box holds; a value stored by another path replaces it.
void TestWindow::refreshLeavesTheBoxBeingEdited()
{
    QFETCH(QString, editor);
    QFETCH(QString, page);
    MainWindow w;
    auto *tabs = child<QTabWidget>("tabWidget", w);
    tabs->setCurrentWidget(tabs->findChild<QWidget *>(page));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *box = w.findChild<QAbstractSpinBox *>(editor);
    QVERIFY(box && box->isVisible());
    refresh(w);
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace); // empty: not a value yet
    refresh(w);
    QCOMPARE(box->text(), QString());

    params::findEditor(editor).field->setNumber(TxParams, 12);
    refresh(w);
    QCOMPARE(box->text().toDouble(), 12.0);
}

void TestWindow::liveDisplay_data()
{
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    // upper/lower -1: the bar keeps its previous value (10 and 1000)
    QTest::newRow("0") << 0 << 1010 << 1000;
    QTest::newRow("999") << 999 << 11 << 1000;
    QTest::newRow("1000") << 1000 << 10 << 1000;
    QTest::newRow("1001") << 1001 << 10 << 999;
    QTest::newRow("2000") << 2000 << 10 << 0;
    QTest::newRow("-1 leaves upper bar") << -1 << -1 << 1000;
    QTest::newRow("2001 leaves lower bar") << 2001 << 10 << -1;
}

void TestWindow::liveDisplay()
{
    QFETCH(int, servo);
    QFETCH(int, upper);
    QFETCH(int, lower);
    MainWindow w;
    refresh(w);
    Telemetry.servo[4] = servo;
    Telemetry.txVolt = 842;
    Telemetry.extVolt = 123;
    Telemetry.rssi = 40;
    refresh(w);
    QCOMPARE(child<QLineEdit>("lineEdit_5", w)->text(), QString::number(servo));
    QCOMPARE(child<QProgressBar>("progressBar_50", w)->value(), upper < 0 ? 10 : upper);
    QCOMPARE(child<QProgressBar>("progressBar_51", w)->value(), lower < 0 ? 1000 : lower);
    QCOMPARE(child<QLineEdit>("lineEdit_TX", w)->text(), QString(" 8.4V"));
    QCOMPARE(child<QLineEdit>("lineEdit_EXT", w)->text(), QString("12.3 V"));
    QCOMPARE(child<QLineEdit>("lineEdit_RSSI", w)->text(), QString("-60dBm"));
}

void TestWindow::liveDisplayBeforeAnyFrame()
{
    MainWindow w;
    refresh(w);
    const char *values[] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                            "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};
    for (int n = 0; n < 8; ++n) {
        QCOMPARE(child<QLineEdit>(values[n], w)->text(), QString("1000"));
        const QByteArray bar = "progressBar_" + QByteArray::number(n + 1);
        QCOMPARE(child<QProgressBar>(bar + "0", w)->value(), 10);
        QCOMPARE(child<QProgressBar>(bar + "1", w)->value(), 1000);
    }
    QCOMPARE(child<QLineEdit>("lineEdit_RSSI", w)->text(), QString("null"));
    QCOMPARE(child<QLineEdit>("lineEdit_TX", w)->text(), QString(" 0.0V"));
    QCOMPARE(child<QLineEdit>("lineEdit_EXT", w)->text(), QString(" 0.0V"));
}

void TestWindow::waitMsKeepsProgramLive()
{
    MainWindow w;
    bool otherSlotRan = false;
    QTimer::singleShot(10, [&] { otherSlotRan = true; });
    TxParams.delay[3] = 12;
    waitMs(250);
    QVERIFY(otherSlotRan);
    // The display timer ticked inside the wait.
    QCOMPARE(child<QSpinBox>("spinBox_delay4", w)->value(), 12);
}

// A setting added later has an editor in the form but no slot of its own:
// the catalogue's editor is still shown from the store and stores into it.
void TestWindow::editorWithoutSlotIsStillWired()
{
    QWidget form;
    auto *trim = new QSpinBox(&form);
    trim->setObjectName("spinBox_sub2");
    trim->setRange(-100, 100);
    QObject noSlots;
    const FormEditors editors(&form, &noSlots);
    QVERIFY(editors.groupsNotShown().contains("centre trim"));
    TxParams.subTrim[1] = -40;
    editors.show(TxParams, {"centre trim"});
    QCOMPARE(trim->value(), -40);
    QVERIFY(!editors.groupsNotShown().contains("centre trim"));
    trim->setValue(30);
    QCOMPARE(TxParams.subTrim[1], 30);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
