// The window's serial link, its commands and its decoder slot, driven through
// a pseudo-terminal whose master end plays the transmitter.
#include "../protocol/testsupport.h"
#include "dualrate.h"
#include "fieldcoverage.h"
#include "history.h"
#include "historyhooks.h"
#include "livetext.h"
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "ptypeer.h"
#include "transmitterframes.h"
#include "uitexts.h"
#include "validation.h"
#include "waitms.h"
#include "windowrecords.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaMethod>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace
{

const QString openCaption = QStringLiteral("打开串口");
const QString closeCaption = QStringLiteral("关闭串口");
const QString noteTitle = QStringLiteral("提示");
const QString cannotOpenText = QStringLiteral("无法打开串口！");
const QString linkLostText = QStringLiteral("串口已断开！");
const QByteArray ack = "WWW";

// Closes every modal message box as soon as it shows and remembers it.
class BoxWatcher : public QObject
{
public:
    struct Box {
        QString title;
        QString text;
        double shownMs; // on the watcher's clock
    };
    QVector<Box> boxes;
    // Called with the box still open, to look at the window behind it.
    std::function<void()> onBox;

    BoxWatcher()
    {
        connect(&poll, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxes.append({box->windowTitle(), box->text(), shownMs});
            if (onBox)
                onBox();
            box->done(0);
        });
        poll.start(10);
        clock.start();
        qApp->installEventFilter(this);
    }
    double nowMs() const { return clock.nsecsElapsed() / 1e6; }

private:
    QTimer poll;
    QElapsedTimer clock;
    double shownMs = -1;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<QMessageBox *>(o))
            shownMs = nowMs();
        return false;
    }
};

QStringList capturedLog;
void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLog << message;
}

QStringList readFlagLines()
{
    return capturedLog.filter(QRegularExpression(QStringLiteral("^ReadFlag:")));
}

// A valid record that differs from the start values wherever the editors
// allow (the dual-rate switch box has a single item), so every decoded field
// shows up.
TxParamsRecord distinctRecord()
{
    TxParamsRecord p{};
    set(p.rev, {1, 1, 0, 1, 1, 1, 1, 1});
    set(p.subTrim, {-50, -20, -5, 7, 15, 30, 60, 100});
    set(p.epaLeft, {10, 20, 30, 40, 50, 60, 70, 120});
    set(p.epaRight, {120, 110, 100, 90, 80, 70, 60, 50});
    set(p.failSafe, {0, 10, 20, 30, 40, 60, 70, 100});
    set(p.delay, {0, 10, 20, 30, 40, 50, 60, 70});
    set(p.aux, {4, 2, 3, 1});
    p.drMix = 1;
    p.drPosition = 1;
    set(p.drUpCh, {90, 80, 70, 60});
    set(p.drDownCh, {55, 45, 35, 25});
    set(p.drExpUpCh, {-40, -20, 20, 40});
    set(p.drExpDownCh, {-60, -30, 30, 60});
    p.attiMode = 2;
    set(p.atti, {5, 15, 25, 35, 45, 55});
    p.elevMix = 1;
    set(p.elev, {-90, -50, -10, 10, 50, 90});
    p.vtailMix = 1;
    set(p.vtail, {-80, -40, 40, 80});
    p.prm[0] = {2, 3, 6, {-30, 40, -50}};
    p.prm[1] = {1, 5, 2, {10, -20, 30}};
    p.prm[2] = {2, 7, 1, {-70, 60, 80}};
    p.prm[3] = {1, 4, 0, {90, 10, 45}};
    p.thCurveMix = 1;
    set(p.thCurve, {5, 20, 35, 52, 65, 80, 95});
    p.thCurveExtra = 3;
    p.stickMode = 3;
    p.alarmVoltRaw = 115;
    p.alarmVolt = 11.5;
    p.firmwareVersion = 321;
    p.extraWord = 250;
    p.extraWordScaled = 25.0;
    p.extraSigned = -40;
    params::selectDualRate(p);
    return p;
}

// Live values away from the start values in every field.
TelemetryRecord liveValues()
{
    TelemetryRecord t;
    set(t.servo, {1010, 1090, 1170, 1250, 1330, 1410, 1490, 1570});
    t.txVolt = 742;
    t.rssi = 57;
    t.statusByte3 = 9;
    t.extVolt = 118;
    t.statusWord6 = 4000;
    t.statusWord8 = 65535;
    return t;
}

QImage lampImage(const QIcon &icon)
{
    return icon.pixmap(40, 40).toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many of this process's descriptors are open on the device at `target`
// (a canonical path; the kernel marks a node gone since with " (deleted)").
int descriptorsOpenOn(const QString &target)
{
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString link = QFile::symLinkTarget(fds.filePath(fd));
        n += link == target || link.startsWith(target + QLatin1Char(' '));
    }
    return n;
}

// The window's private slots in declaration order, as the editor object names
// are listed: a name with a range stands for name1..nameN.
QStringList expectedSlotNames()
{
    QStringList names = {"on_openButton_clicked",
                         "serialPort_readyRead",
                         "byteArrayToInt",
                         "on_toolButton_Read_clicked",
                         "on_toolButton_Load_clicked",
                         "on_toolButton_Send_clicked",
                         "on_toolButton_Save_clicked",
                         "on_toolButton_Reset_clicked",
                         "Servo_Display",
                         "Recieve_Display"};
    for (const char *d : {"Rev", "EPA", "SubTrim", "FS", "Delay", "Aux", "DR", "Parameter", "Atti",
                          "Elev", "Vtype", "Prm", "DRCure", "THcure", "ui"})
        names << QString::fromLatin1(d) + QStringLiteral("_Display");

    struct Editors {
        const char *name;
        int first;
        int last; // 0: a single editor
    };
    const Editors editors[] = {
        {"spinBox_sub", 1, 8},
        {"spinBox_Lepa", 1, 8},
        {"spinBox_Repa", 1, 8},
        {"spinBox_FS", 1, 8},
        {"spinBox_delay", 1, 7},
        {"comboBox_rev", 1, 8},
        {"comboBox_AUX", 5, 8},
        {"comboBox_DR_MIX1", 0, 0},
        {"comboBox_DR_CH1", 0, 0},
        {"spinBox_DR_UP1", 0, 0},
        {"spinBox_DR_DOWN1", 0, 0},
        {"doubleSpinBox_Volt", 0, 0},
        {"spinBox_Mode", 0, 0},
        {"spinBox_Vertion", 0, 0},
        {"comboBox_AttiM", 0, 0},
        {"spinBox_Atti", 1, 6},
        {"comboBox_EleMix", 0, 0},
        {"spinBox_Elev0", 1, 6},
        {"comboBox_RuMix", 0, 0},
        {"spinBox_Ru", 1, 4},
        {"PRM01", 0, 0},
        {"PRM02", 0, 0},
        {"PRM03", 0, 0},
        {"comboBox_DR_MIX2", 0, 0},
        {"comboBox_DR_CH2", 0, 0},
        {"comboBox_DR_SW2", 0, 0},
        {"comboBox_DR_POSI", 0, 0},
        {"spinBox_DR_RATE", 0, 0},
        {"spinBox_DR_EXP", 0, 0},
        {"PRM04", 0, 0},
        {"comboBox_THCURE_MIX", 0, 0},
        {"spinBox_THCURE_Data0", 1, 7},
        {"spinBox_delay8", 0, 0},
    };
    QStringList objects;
    for (const Editors &e : editors) {
        const QString name = QString::fromLatin1(e.name);
        if (name.startsWith(QLatin1String("PRM"))) {
            for (const char *part : {"comboBox_%1_Mix", "comboBox_%1_Master", "comboBox_%1_Slave",
                                     "spinBox_%1_Data1", "spinBox_%1_Data2", "spinBox_%1_Data3"})
                objects << QString::fromLatin1(part).arg(name);
        } else if (e.last == 0) {
            objects << name;
        } else {
            for (int i = e.first; i <= e.last; ++i)
                objects << name + QString::number(i);
        }
    }
    for (const QString &o : objects) {
        const bool combo = o.startsWith(QLatin1String("comboBox"));
        names << QStringLiteral("on_%1_%2").arg(o, combo ? "currentIndexChanged" : "valueChanged");
    }
    names << "RestData"
          << "RestData2"
          << "SendData1"
          << "SendData2"
          << "SendData3"
          << "Dr_DataSelet"
          << "FalseSaveData";
    return names;
}

using FieldRef = int &(*)(TxParamsRecord &);

} // namespace

Q_DECLARE_METATYPE(FieldRef)
Q_DECLARE_METATYPE(portlist::OpenFailure)

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void slotsArePrivateInDeclaredOrder();
    void openGreetsTransmitter();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void closeSendsNoticeAndParksChannels();
    void readFillsTheStore();
    void displayRefreshOnlyAfterSettingsFrame();
    void emptyDeliveryIsNotAnswered();
    void liveFrameShowsAtNextTick_data();
    void liveFrameShowsAtNextTick();
    void outOfRangeSubTrimIsRepaired_data();
    void outOfRangeSubTrimIsRepaired();
    void writeSendsFramesThenAck_data();
    void writeSendsFramesThenAck();
    void commandOnClosedLinkOnlyWarns_data();
    void commandOnClosedLinkOnlyWarns();
    void lostLinkClosesOnce();
    void portThatTakesNoBytesIsLost();
    void portErrorsWhileOpen_data();
    void portErrorsWhileOpen();
    void openFailureTexts_data();
    void openFailureTexts();
    void newPortShowsWhenTheListOpens_data();
    void newPortShowsWhenTheListOpens();
    void typedValueIsWrittenAsTyped_data();
    void typedValueIsWrittenAsTyped();
    void readShowsInTheBoxBeingEdited();
    void selectionRunsBeforeValidation_data();
    void selectionRunsBeforeValidation();
    void closeWaitsForTheWrite_data();
    void closeWaitsForTheWrite();
    void piecesDecodeAsFrames_data();
    void piecesDecodeAsFrames();
    void noTransferInsideAWrite_data();
    void noTransferInsideAWrite();
    void readHoldsTheOthersUntilTheReplyEnds_data();
    void readHoldsTheOthersUntilTheReplyEnds();
    void focusStaysOnThePressedCommand_data();
    void focusStaysOnThePressedCommand();
    void newReadStartsAFreshFrameSet();

private:
    QTemporaryDir historyHome;
    std::unique_ptr<PtyPeer> peer;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<BoxWatcher> watcher;
    QVector<portlist::PortInfo> systemPorts; // what the system reports, in some tests

    // A window whose first listed port is `port`.
    MainWindow &makeWindow(const QString &port)
    {
        portlist::setPreferredPorts({port});
        window = std::make_unique<MainWindow>();
        return *window;
    }
    // A window on the peer's line, opened, with the greeting already consumed.
    bool openLink()
    {
        makeWindow(peer->slavePath());
        child<QPushButton>("openButton")->click();
        if (!QTest::qWaitFor([this] { return peer->received() == "OK"; }))
            return false;
        peer->clear();
        return true;
    }
    // The user's Read, its request seen: from now on settings frames count.
    bool startRead()
    {
        child<QToolButton>("toolButton_Read")->click();
        if (!QTest::qWaitFor([this] { return peer->received().endsWith("RR"); }))
            return false;
        peer->clear();
        return true;
    }
    // The transmitter's answer to the read after a write: it holds `p`.
    bool answerReadBack(const TxParamsRecord &p)
    {
        return QTest::qWaitFor([this] { return peer->received().endsWith("RR"); }, 4000) &&
               peer->answerRead(p);
    }
    // One delivery, then wait for the window to acknowledge it. The wait
    // runs the event loop without the 10 ms naps of QTest::qWaitFor: the
    // pieces of a cut frame must follow each other well within the framer's
    // stale time (300 ms), as an adapter's do, or the held head is rightly
    // dropped; with the naps a busy machine went past it.
    bool deliverAndAwaitAck(const QByteArray &frame)
    {
        const int acks = peer->count(ack);
        if (!peer->deliver(frame))
            return false;
        const QDeadlineTimer deadline(5000);
        while (peer->count(ack) != acks + 1 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return peer->count(ack) == acks + 1;
    }
    template <typename T> T *child(const char *name) const
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    bool lampIs(const char *colour) const
    {
        const QString path = QStringLiteral(":/myImage/images/%1.png").arg(colour);
        return lampImage(child<QToolButton>("toolButton_led")->icon()) == lampImage(QIcon(path));
    }
    // Each frame of a write is followed by its pause. Arrival stamps are taken
    // in the same event loop that writes, and on a busy machine the read of
    // the earlier frame can lag its write; the slack still fails a missing
    // pause (a gap near 0) without turning this into a timing test.
    bool pausesKept() const
    {
        for (int i = 1; i <= 3; ++i) {
            if (peer->arrivalMs(i * 81) - peer->arrivalMs((i - 1) * 81) < 800 - 100)
                return false;
        }
        return true;
    }
    // The frames a write of `p` sends, with the closing acknowledgement.
    static QByteArray writeOf(const TxParamsRecord &p)
    {
        return buildFrames(p).join(QString()).toLatin1() + ack;
    }
    // Shows the window on the page of spin box `name`, showing the store, and
    // gives the box the focus with its text selected, as a click into it would.
    QSpinBox *focusEditor(const QString &name)
    {
        auto *box = window->findChild<QSpinBox *>(name);
        auto *tabs = child<QTabWidget>("tabWidget");
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(box))
                tabs->setCurrentIndex(i);
        }
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        QMetaObject::invokeMethod(window.get(), "ui_Display"); // as after the first tick
        box->setFocus();
        if (!QTest::qWaitFor([box] { return box->hasFocus(); }))
            return nullptr;
        box->selectAll();
        return box;
    }
    QStringList portItems() const
    {
        QStringList items;
        auto *box = child<QComboBox>("portNameBox");
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }
    void verifyClosedState()
    {
        QCOMPARE(child<QPushButton>("openButton")->text(), openCaption);
        QVERIFY(lampIs("red"));
        QVERIFY(child<QComboBox>("portNameBox")->isEnabled());
    }
};

// As started with --history, in a private data folder.
void TestLink::initTestCase()
{
    QVERIFY(historyHome.isValid());
    qputenv("XDG_DATA_HOME", historyHome.path().toUtf8());
    historyhooks::enable();
}

static QByteArray newestHistory(const QString &kind)
{
    const QVector<files::history::Entry> entries = files::history::entries();
    if (entries.size() != 1 || entries.first().kind != kind)
        return {};
    QFile f(entries.first().path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestLink::init()
{
    QDir(files::history::directory()).removeRecursively();
    TxParams = TxParamsRecord();
    Telemetry = TelemetryRecord();
    readFlag = 0;
    capturedLog.clear();
    peer = std::make_unique<PtyPeer>();
    QVERIFY(peer->isValid());
    watcher = std::make_unique<BoxWatcher>();
}

void TestLink::cleanup()
{
    window.reset();
    watcher.reset();
    peer.reset();
    qInstallMessageHandler(nullptr);
    portlist::setPortSource({});
    langFlag = 1;
}

void TestLink::slotsArePrivateInDeclaredOrder()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod m = meta.method(i);
        QCOMPARE(m.methodType(), QMetaMethod::Slot);
        QVERIFY2(m.access() == QMetaMethod::Private, m.methodSignature().constData());
        names << QString::fromLatin1(m.name());
    }
    const QStringList expected = expectedSlotNames();
    QCOMPARE(expected.size(), 148);
    QCOMPARE(names, expected);
    QCOMPARE(meta.method(meta.methodOffset() + 2).methodSignature(),
             QByteArray("byteArrayToInt(QByteArray,int)"));
}

void TestLink::openGreetsTransmitter()
{
    makeWindow(peer->slavePath());
    QVERIFY(lampIs("red"));
    QCOMPARE(child<QComboBox>("portNameBox")->currentText(), peer->slavePath());
    child<QPushButton>("openButton")->click();
    QTRY_COMPARE(peer->received(), QByteArray("OK"));
    QCOMPARE(child<QPushButton>("openButton")->text(), closeCaption);
    QVERIFY(!child<QComboBox>("portNameBox")->isEnabled());
    QVERIFY(lampIs("green"));
    QVERIFY(watcher->boxes.isEmpty());
}

void TestLink::failedOpenChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<portlist::OpenFailure>("cause");
    QTest::newRow("missing device") << "missing" << portlist::OpenFailure::Other;
    QTest::newRow("directory") << "directory" << portlist::OpenFailure::Other;
    QTest::newRow("regular file") << "file" << portlist::OpenFailure::Other;
    QTest::newRow("held by another port") << "busy" << portlist::OpenFailure::Busy;
}

void TestLink::failedOpenChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(portlist::OpenFailure, cause);
    QTemporaryDir dir;
    QString port = dir.filePath(QStringLiteral("ttyGone"));
    QSerialPort holder(peer->slavePath());
    if (kind == QLatin1String("busy")) {
        port = peer->slavePath();
        QVERIFY(holder.open(QIODevice::ReadWrite));
    } else if (kind == QLatin1String("directory")) {
        port = dir.path();
    } else if (kind == QLatin1String("file")) {
        QFile file(port);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    makeWindow(port);
    const QStringList items = portItems();
    child<QPushButton>("openButton")->click();

    QCOMPARE(watcher->boxes.size(), 1);
    QCOMPARE(watcher->boxes[0].title, noteTitle);
    QCOMPARE(watcher->boxes[0].text, uitexts::portOpenErrorText(cause));
    QVERIFY(watcher->boxes[0].text.startsWith(cannotOpenText));
    verifyClosedState();
    QCOMPARE(portItems(), items);
    QCOMPARE(child<QComboBox>("portNameBox")->currentText(), port);
}

void TestLink::closeSendsNoticeAndParksChannels()
{
    QVERIFY(openLink());
    // The window now holds the only other end, so its close hangs the line up.
    peer->releaseSlave();
    TelemetryRecord moved;
    set(moved.servo, {1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800});
    QVERIFY(deliverAndAwaitAck(protocol::encodeServoFrame(moved)));
    QTRY_COMPARE(child<QLineEdit>("lineEdit")->text(), QStringLiteral("1100"));

    child<QPushButton>("openButton")->click();
    QTRY_VERIFY(peer->hungUp());
    QVERIFY(peer->received().endsWith("DIS"));
    QCOMPARE(peer->count("DIS"), 1);
    verifyClosedState();
    QCOMPARE(portItems().value(0), peer->slavePath());
    QCOMPARE(child<QComboBox>("portNameBox")->currentIndex(), 0);

    const livetext::BarValues parked = livetext::servoBars(1000);
    QCOMPARE(parked.upper, 10);
    QCOMPARE(parked.lower, 1000);
    for (int ch = 1; ch <= 8; ++ch) {
        const QByteArray edit = ch == 1 ? "lineEdit" : "lineEdit_" + QByteArray::number(ch);
        const QByteArray bars = "progressBar_" + QByteArray::number(ch);
        QCOMPARE(Telemetry.servo[ch - 1], 1000);
        QCOMPARE(child<QLineEdit>(edit)->text(), QStringLiteral("1000"));
        QCOMPARE(child<QProgressBar>(bars + "0")->value(), parked.upper);
        QCOMPARE(child<QProgressBar>(bars + "1")->value(), parked.lower);
    }
    QVERIFY(watcher->boxes.isEmpty());
}

void TestLink::readFillsTheStore()
{
    QVERIFY(openLink());
    qInstallMessageHandler(captureMessage);
    const double clickedAt = peer->nowMs();
    child<QToolButton>("toolButton_Read")->click();
    QTRY_COMPARE(peer->received(), QByteArray("RR"));
    QVERIFY(peer->arrivalMs(0) - clickedAt >= 200); // nothing inside the lock-out
    peer->clear();

    const TxParamsRecord sent = distinctRecord();
    QCOMPARE(fieldsAtStart(sent), QString("dualrate.channel dualrate.switch"));
    QVector<QByteArray> frames = protocol::encodeSettingsFrames(sent);
    frames.insert(protocol::auxFrameNumber - 1, protocol::encodeAuxFrame(sent));
    QStringList expectedLog;
    for (int i = 0; i < frames.size(); ++i) {
        QVERIFY2(deliverAndAwaitAck(frames[i]), qPrintable(QString::number(i + 1)));
        QCOMPARE(readFlag, i + 1);
        expectedLog << QStringLiteral("ReadFlag:%1").arg(i + 1);
    }
    QTest::qWait(150); // a display tick must not write anything back either
    QCOMPARE(peer->received(), ack.repeated(frames.size()));
    QCOMPARE(readFlagLines(), expectedLog);

    // The selection is the window's, not the transmitter's: it stays on CH1
    // and the shown dual-rate values follow the received position.
    TxParamsRecord expected = sent;
    expected.drChannel = TxParamsRecord().drChannel;
    params::selectDualRate(expected);
    QCOMPARE(TxParams, expected);
    // All 19 frames came: the read is kept.
    QCOMPARE(newestHistory("read"), files::parameterFileContent(expected));
}

void TestLink::displayRefreshOnlyAfterSettingsFrame()
{
    QVERIFY(openLink());
    window->findChild<QTimer *>()->stop();
    qInstallMessageHandler(captureMessage);
    auto *ch1 = child<QLineEdit>("lineEdit");
    const QString shownBefore = ch1->text();

    TelemetryRecord moved;
    moved.servo[0] = 1234;
    moved.txVolt = 789;
    QVERIFY(deliverAndAwaitAck(protocol::encodeServoFrame(moved)));
    QCOMPARE(Telemetry.servo[0], 1234);
    QCOMPARE(Telemetry.txVolt, 789);
    QCOMPARE(ch1->text(), shownBefore);
    QCOMPARE(readFlag, 0);
    QVERIFY(readFlagLines().isEmpty());

    TxParamsRecord record;
    record.failSafe[0] = 33;
    // Outside a read a settings frame is answered and dropped.
    QVERIFY(deliverAndAwaitAck(protocol::encodeSettingsFrame(protocol::codeFailSafe, record)));
    QCOMPARE(TxParams.failSafe[0], TxParamsRecord().failSafe[0]);
    QVERIFY(startRead());
    QVERIFY(deliverAndAwaitAck(protocol::encodeSettingsFrame(protocol::codeFailSafe, record)));
    QCOMPARE(child<QSpinBox>("spinBox_FS1")->value(), 33);
    QCOMPARE(ch1->text(), QStringLiteral("1234"));
    // A code no setting has stores nothing, yet shows what is new.
    moved.servo[0] = 1500;
    QVERIFY(deliverAndAwaitAck(protocol::encodeServoFrame(moved)));
    QByteArray unknownCode = protocol::encodeSettingsFrame(protocol::codeFailSafe, record);
    unknownCode[2] = char(0x50);
    QVERIFY(deliverAndAwaitAck(unknownCode));
    QTRY_COMPARE(ch1->text(), QStringLiteral("1500")); // held a moment as doubtful
    QCOMPARE(readFlag, 5);
    QCOMPARE(readFlagLines(), QStringList{"ReadFlag:5"});
    QVERIFY(files::history::entries().isEmpty()); // one frame is no read
}

void TestLink::emptyDeliveryIsNotAnswered()
{
    QVERIFY(openLink());
    window->findChild<QTimer *>()->stop();
    // Out of range and not yet shown: only the validation would touch it.
    TxParams.epaLeft[2] = 500;
    QMetaObject::invokeMethod(window.get(), "serialPort_readyRead");
    QTest::qWait(50);
    QVERIFY(peer->received().isEmpty());
    QCOMPARE(TxParams.epaLeft[2], 500);

    QVERIFY(deliverAndAwaitAck("?"));
    QCOMPARE(TxParams.epaLeft[2], TxParamsRecord().epaLeft[2]);
}

void TestLink::liveFrameShowsAtNextTick_data()
{
    QTest::addColumn<bool>("servo");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    const TelemetryRecord t = liveValues();
    QTest::newRow("servo CH3") << true << "lineEdit_3" << QString::number(t.servo[2]);
    QTest::newRow("servo voltage") << true << "lineEdit_TX" << livetext::txVoltText(t.txVolt);
    QTest::newRow("status signal") << false << "lineEdit_RSSI" << livetext::rssiText(t.rssi);
    QTest::newRow("status voltage") << false << "lineEdit_EXT" << livetext::extVoltText(t.extVolt);
}

void TestLink::liveFrameShowsAtNextTick()
{
    QFETCH(bool, servo);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    const TelemetryRecord t = liveValues();
    QVERIFY(openLink());
    auto *timer = window->findChild<QTimer *>();
    QVERIFY(
        deliverAndAwaitAck(servo ? protocol::encodeServoFrame(t) : protocol::encodeStatusFrame(t)));
    TelemetryRecord expected;
    if (servo) {
        std::copy(std::begin(t.servo), std::end(t.servo), expected.servo);
        expected.txVolt = t.txVolt;
    } else {
        expected = t;
        std::fill(std::begin(expected.servo), std::end(expected.servo), 1000);
        expected.txVolt = 0;
    }
    QCOMPARE(Telemetry, expected);
    QSignalSpy tick(timer, &QTimer::timeout);
    QVERIFY(tick.wait());
    QCOMPARE(child<QLineEdit>(field.toLatin1().constData())->text(), shown);
}

void TestLink::outOfRangeSubTrimIsRepaired_data()
{
    QTest::addColumn<int>("shownBefore");
    QTest::addColumn<int>("stored");
    // The editor clamps -120 to -100 and stores that back before validation;
    // an editor already at -100 does not report, so validation resets to 0.
    QTest::newRow("editor elsewhere") << 25 << -100;
    QTest::newRow("editor at centre") << 0 << -100;
    QTest::newRow("editor already at limit") << -100 << 0;
}

void TestLink::outOfRangeSubTrimIsRepaired()
{
    QFETCH(int, shownBefore);
    QFETCH(int, stored);
    QVERIFY(openLink());
    // Only the decoder's own refresh may touch the editors here: a display
    // tick after validation would show the repaired value instead.
    window->findChild<QTimer *>()->stop();
    std::fill(std::begin(TxParams.subTrim), std::end(TxParams.subTrim), shownBefore);
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    QCOMPARE(child<QSpinBox>("spinBox_sub5")->value(), shownBefore);

    QByteArray frame = protocol::encodeSettingsFrame(protocol::codeSubTrim, TxParams);
    for (int i = 3; i <= 10; ++i)
        frame[i] = 0;
    QVERIFY(startRead());
    QVERIFY(deliverAndAwaitAck(frame));
    for (int ch = 0; ch < 8; ++ch)
        QCOMPARE(TxParams.subTrim[ch], stored);
    QCOMPARE(child<QSpinBox>("spinBox_sub1")->value(), -100);
}

void TestLink::writeSendsFramesThenAck_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("factory");
    QTest::newRow("send") << "toolButton_Send" << false;
    QTest::newRow("reset") << "toolButton_Reset" << true;
}

void TestLink::writeSendsFramesThenAck()
{
    QFETCH(QString, button);
    QFETCH(bool, factory);
    QVERIFY(openLink());
    TxParams = distinctRecord();
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    TxParamsRecord expected = TxParams;
    if (factory) {
        params::restoreFactoryGroup1(expected);
        params::restoreFactoryGroup2(expected);
    }
    const QByteArray written = writeOf(expected);
    // The factory values leave the shown dual rate alone; the display refresh
    // that follows re-derives it for the factory switch position.
    params::selectDualRate(expected);

    auto *tool = child<QToolButton>(button.toLatin1().constData());
    bool lockedAtFirstPause = false;
    // Runs inside the first pause of the flow: the button is locked, and a
    // second click must not start a second flow.
    QTimer::singleShot(0, this, [&] {
        lockedAtFirstPause = !tool->isEnabled();
        QTest::mouseClick(tool, Qt::LeftButton);
        tool->click();
    });
    const double clickedAt = peer->nowMs();
    tool->click();
    QVERIFY(lockedAtFirstPause);

    QTRY_COMPARE(peer->received(), written + "RR");
    QVERIFY(peer->arrivalMs(0) - clickedAt >= 200);
    QVERIFY(pausesKept());
    QVERIFY(answerReadBack(expected));
    QTRY_COMPARE(newestHistory(factory ? "reset" : "write"), written.chopped(ack.size()));
    QCOMPARE(TxParams, expected);
    QVERIFY(watcher->boxes.isEmpty());
}

void TestLink::commandOnClosedLinkOnlyWarns_data()
{
    QTest::addColumn<QString>("button");
    for (const char *name : {"toolButton_Read", "toolButton_Send", "toolButton_Reset"})
        QTest::newRow(name) << name;
}

void TestLink::commandOnClosedLinkOnlyWarns()
{
    QFETCH(QString, button);
    QVERIFY(openLink());
    child<QPushButton>("openButton")->click(); // closed again, by the user
    QTRY_VERIFY(peer->received().endsWith("DIS"));
    peer->clear();
    TxParams = distinctRecord();
    const TxParamsRecord before = TxParams;

    auto *tool = child<QToolButton>(button.toLatin1().constData());
    bool lockedAtFirstPause = false;
    bool enabledWhenBoxShows = false;
    QTimer::singleShot(0, this, [&] { lockedAtFirstPause = !tool->isEnabled(); });
    watcher->onBox = [&] { enabledWhenBoxShows = tool->isEnabled(); };
    const double clickedAt = watcher->nowMs();
    tool->click();

    QVERIFY(lockedAtFirstPause);
    QVERIFY(enabledWhenBoxShows);
    QCOMPARE(watcher->boxes.size(), 1);
    QCOMPARE(watcher->boxes[0].title, noteTitle);
    QCOMPARE(watcher->boxes[0].text, cannotOpenText);
    QVERIFY(watcher->boxes[0].shownMs - clickedAt >= 200);
    QTest::qWait(50);
    QVERIFY(peer->received().isEmpty());
    QCOMPARE(TxParams, before);
}

void TestLink::lostLinkClosesOnce()
{
    QVERIFY(openLink());
    TelemetryRecord moved;
    moved.servo[6] = 1900;
    QVERIFY(deliverAndAwaitAck(protocol::encodeServoFrame(moved)));
    const QString device = QFileInfo(peer->slavePath()).canonicalFilePath();
    QCOMPARE(descriptorsOpenOn(device), 2); // the window's and the peer's
    peer->releaseSlave();
    peer->closeMaster();

    QTRY_COMPARE(watcher->boxes.size(), 1);
    QCOMPARE(watcher->boxes[0].title, noteTitle);
    QCOMPARE(watcher->boxes[0].text, linkLostText);
    verifyClosedState();
    QCOMPARE(Telemetry.servo[6], 1000);
    QCOMPARE(child<QLineEdit>("lineEdit_7")->text(), QStringLiteral("1000"));
    // The port is really closed, so the dead line stops raising errors and no
    // second notice follows.
    QCOMPARE(descriptorsOpenOn(device), 0);
    QTest::qWait(300);
    QCOMPARE(watcher->boxes.size(), 1);
}

// A read whose request cannot leave says so, and the link is gone; the
// window goes on running while it waits for the request to leave.
void TestLink::portThatTakesNoBytesIsLost()
{
    QVERIFY(openLink());
    peer->stopTakingBytes();
    int ticks = 0, ticksAtBox = -1;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
    tick.start(10);
    watcher->onBox = [&] { ticksAtBox = ticks; };
    child<QToolButton>("toolButton_Read")->click();
    QTRY_COMPARE_WITH_TIMEOUT(watcher->boxes.size(), 1, 5000);
    // The 200 ms lock-out before the request gives some 20 ticks of its own.
    QVERIFY2(ticksAtBox >= 50, qPrintable(QString::number(ticksAtBox)));
    QCOMPARE(watcher->boxes[0].text, linkLostText + "\n读取请求无法发出：串口不接收数据。");
    verifyClosedState();
}

// The port's own error reports, as an unplugged adapter or a dead pty gives
// them: a resource error once, or read errors by the thousand while the port
// stays open. Either ends the link once; other errors leave it alone.
void TestLink::portErrorsWhileOpen_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("thenError"); // -1: none
    QTest::addColumn<bool>("linkEnds");
    const int none = -1;
    QTest::newRow("resource error") << int(QSerialPort::ResourceError) << 1 << none << true;
    QTest::newRow("read error flood") << int(QSerialPort::ReadError) << 5000 << none << true;
    QTest::newRow("read errors, then resource error")
        << int(QSerialPort::ReadError) << 20 << int(QSerialPort::ResourceError) << true;
    QTest::newRow("write error") << int(QSerialPort::WriteError) << 3 << none << false;
    QTest::newRow("timeout") << int(QSerialPort::TimeoutError) << 3 << none << false;
}

void TestLink::portErrorsWhileOpen()
{
    QFETCH(int, error);
    QFETCH(int, repeats);
    QFETCH(int, thenError);
    QFETCH(bool, linkEnds);
    QVERIFY(openLink());
    auto *port = window->findChild<QSerialPort *>();
    QVERIFY(port && port->isOpen());

    for (int i = 0; i < repeats; ++i)
        emit port->errorOccurred(QSerialPort::SerialPortError(error));
    if (thenError >= 0)
        emit port->errorOccurred(QSerialPort::SerialPortError(thenError));
    QTest::qWait(200);

    if (!linkEnds) {
        QVERIFY(watcher->boxes.isEmpty());
        QVERIFY(port->isOpen());
        QCOMPARE(child<QPushButton>("openButton")->text(), closeCaption);
        return;
    }
    QCOMPARE(watcher->boxes.size(), 1);
    QCOMPARE(watcher->boxes[0].text, linkLostText);
    QVERIFY(!port->isOpen());
    verifyClosedState();
    // Nothing is written to a line that is gone.
    QVERIFY(peer->received().isEmpty());
}

// Under the designed first line, for a cause the user can remove, a line
// naming it and one with the remedy, in the language of the other texts.
void TestLink::openFailureTexts_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<portlist::OpenFailure>("cause");
    QTest::addColumn<QString>("named");
    QTest::newRow("Chinese, busy") << 1 << portlist::OpenFailure::Busy << "ModemManager";
    QTest::newRow("Chinese, denied") << 1 << portlist::OpenFailure::AccessDenied << "dialout";
    QTest::newRow("English, busy") << 0 << portlist::OpenFailure::Busy << "ModemManager";
    QTest::newRow("English, denied") << 0 << portlist::OpenFailure::AccessDenied << "dialout";
}

void TestLink::openFailureTexts()
{
    QFETCH(int, lang);
    QFETCH(portlist::OpenFailure, cause);
    QFETCH(QString, named);
    langFlag = lang;
    const QString text = uitexts::portOpenErrorText(cause);
    QCOMPARE(text.split(QLatin1Char('\n')).size(), 3);
    QCOMPARE(text.section(QLatin1Char('\n'), 0, 0),
             lang ? cannotOpenText : QStringLiteral("Cannot open the serial port!"));
    QVERIFY(text.contains(named));
    QCOMPARE(text.contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]")), lang == 1);
}

void TestLink::newPortShowsWhenTheListOpens_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"click", "F4", "Alt+Down", "click, link open"})
        QTest::newRow(how) << how;
}

// A port plugged in while the window runs is listed the next time the list
// opens, the chosen port staying chosen; with the link open nothing changes.
void TestLink::newPortShowsWhenTheListOpens()
{
    QFETCH(QString, how);
    systemPorts = {
        {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI", 0x403, 0x6001}};
    portlist::setPortSource([this] { return systemPorts; });
    makeWindow(peer->slavePath());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *box = child<QComboBox>("portNameBox");
    const bool linkOpen = how.endsWith(QLatin1String("link open"));
    box->setCurrentIndex(linkOpen ? 0 : 1);
    if (linkOpen)
        child<QPushButton>("openButton")->click();
    const QStringList before = portItems();
    systemPorts.prepend({"ttyACM0", "/dev/ttyACM0", "Uno", "Arduino", "", 0x2341, 0x43});

    if (how == QLatin1String("F4"))
        QTest::keyClick(box, Qt::Key_F4);
    else if (how == QLatin1String("Alt+Down"))
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    else
        QTest::mouseClick(box, Qt::LeftButton);
    box->hidePopup();

    if (linkOpen) {
        QCOMPARE(portItems(), before);
        return;
    }
    QCOMPARE(portItems(), QStringList({peer->slavePath(), "ttyACM0", "ttyUSB0"}));
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    QVERIFY(box->itemData(0, Qt::ToolTipRole).isNull()); // a pty: nothing known
    QCOMPARE(box->itemData(1, Qt::ToolTipRole).toString(),
             QStringLiteral("Uno\nArduino\nUSB 2341:0043"));
    QCOMPARE(box->itemData(2, Qt::ToolTipRole).toString(),
             QStringLiteral("FT232R USB UART\nFTDI\nUSB 0403:6001\nS/N A50285BI"));
}

void TestLink::typedValueIsWrittenAsTyped_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<FieldRef>("field");
    QTest::addColumn<int>("typed");
    QTest::newRow("sub-trim") << "spinBox_sub3"
                              << FieldRef([](TxParamsRecord &p) -> int & { return p.subTrim[2]; })
                              << -50;
    QTest::newRow("elevon") << "spinBox_Elev02"
                            << FieldRef([](TxParamsRecord &p) -> int & { return p.elev[1]; })
                            << -50;
    QTest::newRow("V-tail") << "spinBox_Ru3"
                            << FieldRef([](TxParamsRecord &p) -> int & { return p.vtail[2]; })
                            << -35;
    QTest::newRow("mix value") << "spinBox_PRM02_Data1" << FieldRef([](TxParamsRecord &p) -> int & {
        return p.prm[1].data[0];
    }) << -75;
}

// Typed at a person's pace, display ticks between the keys: "-" alone is no
// value yet and must survive them.
void TestLink::typedValueIsWrittenAsTyped()
{
    QFETCH(QString, editor);
    QFETCH(FieldRef, field);
    QFETCH(int, typed);
    QVERIFY(openLink());
    QSpinBox *box = focusEditor(editor);
    QVERIFY(box);
    TxParamsRecord expected = TxParams;
    field(expected) = typed;
    for (const QChar key : QString::number(typed)) {
        QTest::keyClick(box, key.toLatin1());
        QTest::qWait(150);
    }
    QCOMPARE(TxParams, expected);
    child<QToolButton>("toolButton_Send")->click();
    QTRY_COMPARE(peer->received(), writeOf(expected) + "RR");
}

void TestLink::readShowsInTheBoxBeingEdited()
{
    QVERIFY(openLink());
    QSpinBox *box = focusEditor("spinBox_sub2");
    QVERIFY(box);
    QTest::keyClick(box, '-');
    QTest::qWait(150);
    QCOMPARE(box->text(), QStringLiteral("-"));
    TxParamsRecord sent;
    sent.subTrim[1] = -40;
    QVERIFY(startRead());
    QVERIFY(deliverAndAwaitAck(protocol::encodeSettingsFrame(protocol::codeSubTrim, sent)));
    QSignalSpy tick(window->findChild<QTimer *>(), &QTimer::timeout);
    QVERIFY(tick.wait());
    QCOMPARE(box->text(), QStringLiteral("-40"));
    QCOMPARE(TxParams.subTrim[1], -40);
}

void TestLink::selectionRunsBeforeValidation_data()
{
    QTest::addColumn<bool>("exponential");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("shownBefore");
    QTest::addColumn<int>("afterDelivery");
    QTest::addColumn<int>("afterTick");
    // The rate of the selection is derived, never validated: the selection
    // copies the raw 150 into it, then the validation repairs the array. At
    // the next tick its editor clamps 150 to 100 and stores that back, unless
    // it showed 100 already. Validating first would give 100 at once.
    QTest::newRow("rate, UP") << false << 0 << 60 << 150 << 100;
    QTest::newRow("rate, DOWN, editor at 100") << false << 1 << 100 << 150 << 150;
    // The exponential of the selection is validated as well: repaired to 0.
    QTest::newRow("exponential, DOWN") << true << 1 << 30 << 0 << 0;
}

void TestLink::selectionRunsBeforeValidation()
{
    QFETCH(bool, exponential);
    QFETCH(int, position);
    QFETCH(int, shownBefore);
    QFETCH(int, afterDelivery);
    QFETCH(int, afterTick);
    QVERIFY(openLink());
    window->findChild<QTimer *>()->stop(); // the ticks below are the test's
    auto arrayOf = [&](TxParamsRecord &p) {
        if (exponential)
            return position == 0 ? p.drExpUpCh : p.drExpDownCh;
        return position == 0 ? p.drUpCh : p.drDownCh;
    };
    TxParams.drPosition = position;
    arrayOf(TxParams)[0] = shownBefore;
    params::selectDualRate(TxParams);
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    auto *editor = child<QSpinBox>(exponential ? "spinBox_DR_EXP" : "spinBox_DR_RATE");
    QCOMPARE(editor->value(), shownBefore);

    TxParamsRecord sent = TxParams;
    arrayOf(sent)[0] = exponential ? 130 : 150;
    QVERIFY(startRead());
    QVERIFY(deliverAndAwaitAck(protocol::encodeSettingsFrame(
        exponential ? protocol::codeDualRateExp : protocol::codeDualRate, sent)));
    const int &shown = exponential ? TxParams.drExp : TxParams.drRate;
    QCOMPARE(arrayOf(TxParams)[0], exponential ? 0 : 100);
    QCOMPARE(shown, afterDelivery);
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    QCOMPARE(editor->value(), exponential ? 0 : 100);
    QCOMPARE(shown, afterTick);
}

void TestLink::closeWaitsForTheWrite_data()
{
    QTest::addColumn<QString>("button"); // empty: no flow runs
    QTest::addColumn<int>("closeAtMs");  // after the click
    QTest::newRow("no flow") << "" << 0;
    QTest::newRow("send, in the lock-out") << "toolButton_Send" << 100;
    QTest::newRow("send, after the first frame") << "toolButton_Send" << 600;
    QTest::newRow("reset, after the second frame") << "toolButton_Reset" << 1400;
}

// Closing the window inside a write waits for the write to end; then the
// window closes and the application's event loop ends, as in the program.
void TestLink::closeWaitsForTheWrite()
{
    QFETCH(QString, button);
    QFETCH(int, closeAtMs);
    QVERIFY(openLink());
    window->show();
    TxParams = distinctRecord();
    TxParamsRecord expected = TxParams;
    if (button == QLatin1String("toolButton_Reset")) {
        params::restoreFactoryGroup1(expected);
        params::restoreFactoryGroup2(expected);
    }
    if (!button.isEmpty())
        QTimer::singleShot(0, child<QToolButton>(button.toLatin1()), &QToolButton::click);
    QByteArray writtenAtClose;
    qint64 unsentAtClose = -1; // Qt drops what is unsent when the port closes
    auto *port = window->findChild<QSerialPort *>();
    connect(qApp, &QGuiApplication::lastWindowClosed, window.get(),
            [&] { unsentAtClose = port->bytesToWrite(); });
    QTimer::singleShot(closeAtMs, window.get(), [&] {
        writtenAtClose = peer->received();
        window->close();
    });
    QTimer hang;
    connect(&hang, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    hang.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
    QCOMPARE(unsentAtClose, 0);
    window.reset(); // as when the program ends: the port closes
    if (button.isEmpty()) {
        QTest::qWait(100);
        QVERIFY(peer->received().isEmpty()); // and no disconnect notice
        return;
    }
    QVERIFY(writtenAtClose.size() < writeOf(expected).size());
    QTRY_COMPARE(peer->received(), writeOf(expected));
    QVERIFY(pausesKept());
}

using Deliveries = QByteArrayList;

void TestLink::piecesDecodeAsFrames_data()
{
    const TelemetryRecord t = liveValues();
    const TxParamsRecord p = distinctRecord();
    const QByteArray servo = protocol::encodeServoFrame(t);
    const QByteArray delays = protocol::encodeSettingsFrame(protocol::codeDelay, p);
    const QByteArray aux = protocol::encodeAuxFrame(p);
    QTest::addColumn<Deliveries>("deliveries");
    QTest::newRow("servo and settings frame in one") << Deliveries{servo + delays};
    QTest::newRow("settings and aux frame in one") << Deliveries{delays + aux};
    QTest::newRow("settings frame cut in two") << Deliveries{delays.left(5), delays.mid(5)};
    QTest::newRow("cut across two frames")
        << Deliveries{servo.left(15), servo.mid(15) + delays.left(9), delays.mid(9) + aux};
    QTest::newRow("junk ending in a marker before the frames")
        << Deliveries{QByteArray::fromHex("1337fe") + servo, delays, aux};
}

// However the adapter cuts and glues the frames, each is stored, and every
// delivery is answered once.
void TestLink::piecesDecodeAsFrames()
{
    QFETCH(Deliveries, deliveries);
    QVERIFY(openLink());
    QVERIFY(startRead());
    for (const QByteArray &piece : deliveries)
        QVERIFY(deliverAndAwaitAck(piece));
    const TelemetryRecord t = liveValues();
    const TxParamsRecord p = distinctRecord();
    const bool servoSent = deliveries.join().contains(protocol::encodeServoFrame(t));
    QTRY_COMPARE(std::vector<int>(TxParams.delay, TxParams.delay + 8),
                 std::vector<int>(p.delay, p.delay + 8));
    if (servoSent)
        QCOMPARE(Telemetry.servo[7], t.servo[7]);
    QCOMPARE(child<QSpinBox>("spinBox_delay8")->value(), p.delay[7]);
    QTest::qWait(100); // nothing completed later is answered again
    QCOMPARE(peer->count(ack), deliveries.size());
}

void TestLink::noTransferInsideAWrite_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("atMs"); // after the click on write
    QTest::newRow("read after the first frame") << "toolButton_Read" << 600;
    QTest::newRow("reset after the second frame") << "toolButton_Reset" << 1400;
    QTest::newRow("write again") << "toolButton_Send" << 600;
}

// A command clicked while a write runs starts nothing, so the three frames go
// out once, built from the settings the user wrote, and nothing else.
void TestLink::noTransferInsideAWrite()
{
    QFETCH(QString, button);
    QFETCH(int, atMs);
    QVERIFY(openLink());
    TxParams = distinctRecord();
    TxParams.delay[2] = 77;
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    auto *send = child<QToolButton>("toolButton_Send");
    auto *other = child<QToolButton>(button.toLatin1().constData());
    bool otherEnabled = false;
    QTimer::singleShot(atMs, this, [&] {
        otherEnabled = other->isEnabled();
        QTest::mouseClick(other, Qt::LeftButton);
    });
    send->click();
    QTRY_COMPARE(peer->received(), writeOf(TxParams) + "RR");
    QVERIFY(otherEnabled == (other == send)); // its own lock-out is over
    QVERIFY(answerReadBack(TxParams));
    QTRY_VERIFY(other->isEnabled());
    QCOMPARE(peer->received(), writeOf(TxParams) + "RR" + ack.repeated(19));
}

// A reply that goes on past the read's own flow holds the other commands
// until its last frame.
void TestLink::readHoldsTheOthersUntilTheReplyEnds_data()
{
    QTest::addColumn<bool>("answers");
    QTest::newRow("whole reply") << true;
    // Three requests, each given its time: then the box, and the others come back.
    QTest::newRow("line that never answers") << false;
}

void TestLink::readHoldsTheOthersUntilTheReplyEnds()
{
    QFETCH(bool, answers);
    QVERIFY(openLink());
    auto *send = child<QToolButton>("toolButton_Send");
    QVector<QByteArray> reply;
    if (answers) {
        reply = protocol::encodeSettingsFrames(distinctRecord());
        reply.insert(protocol::auxFrameNumber - 1, protocol::encodeAuxFrame(distinctRecord()));
    }
    int sent = 0;
    bool enabledDuringReply = false;
    QTimer pace;
    connect(&pace, &QTimer::timeout, this, [&] {
        if (!peer->received().contains("RR"))
            return;
        // Between the first frame and the last: once the last is in, the
        // others are back, however late this tick comes.
        enabledDuringReply |= sent > 0 && sent < reply.size() && send->isEnabled();
        if (sent < reply.size())
            peer->deliver(reply[sent++]);
    });
    pace.start(100);
    child<QToolButton>("toolButton_Read")->click(); // returns after its lock-out
    QTRY_COMPARE_WITH_TIMEOUT(sent, reply.size(), 5000);
    if (answers) {
        // The last frame of the reply ends it: the others are back as soon as
        // it is taken (its acknowledgement is written after), not after the
        // quiet time.
        QTRY_COMPARE(peer->count(ack), reply.size());
        QVERIFY(send->isEnabled());
    }
    // A line that never answers: three requests, two seconds each.
    QTRY_VERIFY_WITH_TIMEOUT(send->isEnabled(), 10000);
    QVERIFY(!enabledDuringReply);
    QCOMPARE(peer->count("RR"), answers ? 1 : 3);
    QTRY_COMPARE(watcher->boxes.size(), answers ? 0 : 1);
}

// Disabling the pressed button for its lock-out moves the focus on; it comes
// back, so the next key press goes to the same command, not the next one.
void TestLink::focusStaysOnThePressedCommand_data()
{
    QTest::addColumn<QString>("focused"); // where the key is pressed
    QTest::addColumn<int>("key");
    QTest::newRow("Space on the Read button") << "toolButton_Read" << int(Qt::Key_Space);
    QTest::newRow("F5 while typing in a field") << "spinBox_sub2" << int(Qt::Key_F5);
}

// ... or on the field being typed in, when a shortcut pressed it.
void TestLink::focusStaysOnThePressedCommand()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QVERIFY(openLink());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *start = key == Qt::Key_F5 ? static_cast<QWidget *>(focusEditor(focused))
                                       : child<QToolButton>(focused.toLatin1().constData());
    start->setFocus();
    QTRY_VERIFY(start->hasFocus());
    QTest::keyClick(start, Qt::Key(key));
    QTRY_COMPARE(peer->received(), QByteArray("RR"));
    QCOMPARE(QApplication::focusWidget(), start);
}

// Frames of an earlier read that broke off do not complete a new one: only
// a reply of all 19 frames after the latest request is kept.
void TestLink::newReadStartsAFreshFrameSet()
{
    QVERIFY(openLink());
    const TxParamsRecord sent = distinctRecord();
    QVector<QByteArray> frames = protocol::encodeSettingsFrames(sent);
    frames.insert(protocol::auxFrameNumber - 1, protocol::encodeAuxFrame(sent));
    for (int i = 0; i < frames.size(); ++i) {
        if (i == 10)
            child<QToolButton>("toolButton_Read")->click();
        QVERIFY(deliverAndAwaitAck(frames[i]));
    }
    QVERIFY(files::history::entries().isEmpty());
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
