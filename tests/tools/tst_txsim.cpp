#include "../protocol/testsupport.h"
#include "childsignal.h"
#include "decoder.h"
#include "encoder.h"
#include "frames.h"
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "simdevice.h"
#include "streamframer.h"
#include "telemetry.h"
#include "txparams.h"

#include <QAbstractButton>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

// The built simulator, driven through its pseudo-terminal the way the tool
// drives a transmitter. Waits are generous; nothing here measures time.
class TestTxSim : public QObject
{
    Q_OBJECT

private slots:
    void startsOnTheLink_data();
    void startsOnTheLink();
    void readSendsTheSettings_data();
    void readSendsTheSettings();
    void writeIsStored_data();
    void writeIsStored();
    void streamStartsPausesAndStops();
    void streamTotalsCountFramesAndAcks_data();
    void streamTotalsCountFramesAndAcks();
    void demoRoundTripsThroughTheWindow();
    void survivesReopenAndCleansUpOnSigterm_data();
    void survivesReopenAndCleansUpOnSigterm();
    void faultModes_data();
    void faultModes();
};

namespace
{

constexpr int waitMs = 8000;
constexpr int readReplyFrames = 19; // the aux frame and eighteen settings frames

// Runs the event loop for ms. QTest::qWait (and so QTRY_*) sleeps between its
// event passes, long enough for two of the simulator's writes to pile up into
// one delivery; the tool's own pauses run a real event loop, and so must ours.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Spins until `done` holds or the generous deadline passes; returns `done`.
template <typename Pred> bool waitUntil(Pred done)
{
    QDeadlineTimer deadline(waitMs);
    while (!done() && !deadline.hasExpired())
        spin(20);
    return done();
}

// One simulator in a private directory.
struct Sim {
    QTemporaryDir dir;
    QProcess process;
    QString link = dir.filePath("tx");
    QString state = dir.filePath("state.txt");

    void start(const QStringList &extra = {})
    {
        process.start(TXSIM_PATH, QStringList{"--link", link} + extra);
    }
    ~Sim()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
};

// The tool's side: every readyRead is one delivery. The deliveries also go
// through a stream framer, as txctl reads them.
struct Client : QObject {
    QSerialPort port;
    QList<QByteArray> deliveries;
    StreamFramer framer;
    QList<QByteArray> frames; // what the framer made of the deliveries
    QElapsedTimer clock;

    // Connected once here: Qt 6 refuses Qt::UniqueConnection for a lambda.
    Client()
    {
        connect(&port, &QSerialPort::readyRead, this, [this] {
            deliveries << port.readAll();
            framer.push(deliveries.last(), clock.elapsed());
            frames += framer.takeFrames();
        });
    }
    bool open(const QString &path)
    {
        port.setPortName(path);
        port.setBaudRate(115200);
        clock.start();
        return port.open(QIODevice::ReadWrite);
    }
    void idle()
    {
        framer.idle(clock.elapsed());
        frames += framer.takeFrames();
    }
    void send(const QByteArray &bytes)
    {
        port.write(bytes);
        port.flush();
    }
    int countKind(protocol::DeliveryKind kind, int from = 0) const
    {
        int n = 0;
        for (int i = from; i < deliveries.size(); ++i)
            n += decode(deliveries[i]).kind == kind;
        return n;
    }
    static protocol::DecodeResult decode(const QByteArray &d)
    {
        TxParamsRecord p;
        TelemetryRecord t;
        return protocol::decodeDelivery(d, p, t);
    }
};

// Asks for the settings once and decodes the reply into `into`: the index of
// the reply's first delivery, or -1 unless each of the nineteen frames came as
// a delivery of its own.
int readOnce(Client &client, TxParamsRecord &into)
{
    int next = client.deliveries.size();
    client.send("RR");
    QSet<int> numbers;
    int first = -1;
    QDeadlineTimer deadline(waitMs);
    while (numbers.size() < readReplyFrames && !deadline.hasExpired()) {
        if (next == client.deliveries.size()) {
            spin(20);
            continue;
        }
        TelemetryRecord ignored;
        const protocol::DecodeResult r =
            protocol::decodeDelivery(client.deliveries[next++], into, ignored);
        if (r.kind == protocol::DeliveryKind::Aux || r.kind == protocol::DeliveryKind::Settings) {
            numbers.insert(r.frameNumber);
            first = first < 0 ? next - 1 : first;
        } else if (r.kind != protocol::DeliveryKind::Servo &&
                   r.kind != protocol::DeliveryKind::Status) {
            qWarning("not one frame: %s", client.deliveries[next - 1].toHex(' ').constData());
            return -1; // two frames merged, or a frame split
        }
    }
    return numbers.size() == readReplyFrames ? first : -1;
}

// A busy machine can hold the terminal's hand-over back longer than the gap
// between two frames, so that they arrive merged. That spoils a read now and
// then, not five in a row; a simulator that does not space its writes spoils
// every one.
int readSettings(Client &client, TxParamsRecord &into)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int first = readOnce(client, into);
        if (first >= 0)
            return first;
        spin(1000); // the rest of the spoilt reply
    }
    return -1;
}

// The binary frames cannot carry these (the text frames carry the first three).
void copyUncarried(const TxParamsRecord &from, TxParamsRecord &to)
{
    to.drChannel = from.drChannel;
    to.drUp = from.drUp;
    to.drDown = from.drDown;
    to.drRate = from.drRate;
    to.drExp = from.drExp;
}

QByteArray fileContent(const TxParamsRecord &p)
{
    const QStringList frames = buildFrames(p);
    return files::parameterFileContent(frames[0], frames[1], frames[2]);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "link to TARGET", "file" or "" (nothing there).
QString whatIsAt(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? "link to " + info.symLinkTarget() : info.exists() ? "file" : "";
}

// Settings unlike both the start-up store and the demo transmitter's.
TxParamsRecord customSettings()
{
    TxParamsRecord p;
    const int trims[8] = {-100, 100, 3, -3, 50, -50, 0, 7};
    std::copy(std::begin(trims), std::end(trims), p.subTrim);
    p.rev[0] = 1;
    p.epaLeft[4] = 120;
    p.failSafe[6] = 100;
    p.aux[2] = 4;
    p.alarmVoltRaw = 64;
    p.alarmVolt = 6.4;
    p.attiMode = 1;
    p.elev[5] = -77;
    p.vtail[3] = -100;
    p.delay[7] = 0;
    p.drUpCh[2] = 33;
    p.drExpDownCh[1] = -60;
    p.prm[1] = {2, 4, 6, {-100, 100, 9}};
    p.prm[3] = {1, 7, 2, {1, -1, 55}};
    p.thCurve[6] = 90;
    p.thCurveExtra = 3;
    p.drSwitch = 2;
    p.drPosition = 1;
    p.extraWord = 999;
    p.extraWordScaled = 99.9;
    p.extraSigned = -5;
    p.drChannel = 3;
    p.drUp = 21;
    p.drDown = 79;
    return p;
}

// The frame numbers of a read through the framer, its settings into `into`.
// Waits for `expected` frames, then a little longer for any extra one.
QSet<int> readFramed(Client &client, int expected, TxParamsRecord &into)
{
    const int from = client.frames.size();
    client.send("RR");
    waitUntil([&] {
        client.idle();
        return client.frames.size() - from >= expected;
    });
    spin(300);
    client.framer.idle(client.clock.elapsed() + StreamFramer::defaultStaleMs);
    client.frames += client.framer.takeFrames();
    QSet<int> numbers;
    TelemetryRecord ignored;
    for (int i = from; i < client.frames.size(); ++i)
        numbers << protocol::decodeDelivery(client.frames[i], into, ignored).frameNumber;
    return numbers;
}

// Whether some delivery shows the line fault: a piece of a frame, two frames
// in one, or stray bytes before a frame; "cut": some frame is not a delivery
// of its own.
bool wireShows(const QString &fault, const Client &c)
{
    for (const QByteArray &f : c.frames)
        if (fault == "cut" && !c.deliveries.contains(f))
            return true;
    for (const QByteArray &d : c.deliveries) {
        for (int i = 0; i < c.frames.size(); ++i) {
            const QByteArray &f = c.frames[i];
            if (fault == "split" && d.size() < f.size() && f.contains(d))
                return true;
            if (fault == "merged" && i + 1 < c.frames.size() && d == f + c.frames[i + 1])
                return true;
            if (fault == "garbage" && d.size() > f.size() && d.endsWith(f) &&
                !StreamFramer::isWholeFrame(d.left(d.size() - f.size())))
                return true;
        }
    }
    return fault.isEmpty();
}

// The kernel stamps files with a coarse clock, here as coarse as tens of
// milliseconds: a terminal made just after a link can carry the link's very
// time, and txsim rightly takes a link as old as its terminal for the live
// link of that terminal's owner. Waits until a file made now (`probe`) is
// stamped later than `path`, so that whatever is made next is newer.
bool stampedBefore(const QString &path, const QString &probe)
{
    struct stat made {
    };
    if (::lstat(QFile::encodeName(path).constData(), &made) != 0)
        return false;
    return waitUntil([&] {
        struct stat now {
        };
        QFile file(probe);
        const bool later = file.open(QIODevice::WriteOnly) &&
                           ::lstat(QFile::encodeName(probe).constData(), &now) == 0 &&
                           (now.st_ctim.tv_sec != made.st_ctim.tv_sec
                                ? now.st_ctim.tv_sec > made.st_ctim.tv_sec
                                : now.st_ctim.tv_nsec > made.st_ctim.tv_nsec);
        QFile::remove(probe);
        return later;
    });
}

#define START_SIM(sim, ...)                                                                        \
    (sim).start(__VA_ARGS__);                                                                      \
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo((sim).link).exists(), waitMs)

} // namespace

void TestTxSim::startsOnTheLink_data()
{
    QTest::addColumn<QString>("inTheWay"); // what is at the link path before the start
    QTest::addColumn<bool>("starts");

    QTest::newRow("nothing") << "" << true;
    QTest::newRow("link left by a run that died") << "dangling link" << true;
    QTest::newRow("link to something else") << "live link" << true;
    QTest::newRow("a regular file") << "file" << false;
    QTest::newRow("link of a running txsim") << "txsim" << false;
    // Terminal numbers are reused: a dead run's link may lead to a new terminal.
    QTest::newRow("link older than the running txsim's terminal it leads to") << "stale" << true;
}

void TestTxSim::startsOnTheLink()
{
    QFETCH(QString, inTheWay);
    QFETCH(bool, starts);

    Sim sim;
    const QString other = sim.dir.filePath("other");
    if (inTheWay == "file" || inTheWay == "live link")
        QVERIFY(QFile(other).open(QIODevice::WriteOnly));
    if (inTheWay.endsWith("link"))
        QVERIFY(QFile::link(other + (inTheWay == "dangling link" ? "-gone" : ""), sim.link));
    if (inTheWay == "file")
        QVERIFY(QFile::rename(other, sim.link));
    if (inTheWay == "stale") {
        QVERIFY(QFile::link(other, sim.link));
        QVERIFY(stampedBefore(sim.link, sim.dir.filePath("probe")));
    }
    Sim owner;
    if (inTheWay == "txsim" || inTheWay == "stale") {
        owner.link = inTheWay == "txsim" ? sim.link : owner.link;
        START_SIM(owner);
    }
    if (inTheWay == "stale")
        QVERIFY(QFile::link(QFileInfo(owner.link).symLinkTarget(), other));

    const QString before = whatIsAt(sim.link);
    sim.start();
    if (!starts) {
        QVERIFY(sim.process.waitForFinished(waitMs));
        QVERIFY(sim.process.exitCode() != 0);
        QCOMPARE(whatIsAt(sim.link), before);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(sim.process.canReadLine(), waitMs);
    const QString line = QString::fromLocal8Bit(sim.process.readLine()).trimmed();
    const QString target = QFileInfo(sim.link).symLinkTarget();
    QCOMPARE(line, QStringLiteral("txsim: listening on %1 (%2)").arg(sim.link, target));
    QVERIFY(target.startsWith("/dev/pts/"));
}

void TestTxSim::readSendsTheSettings_data()
{
    QTest::addColumn<bool>("withState");
    QTest::newRow("demo settings") << false;
    QTest::newRow("settings from --state") << true;
}

void TestTxSim::readSendsTheSettings()
{
    QFETCH(bool, withState);

    Sim sim;
    TxParamsRecord expected = demoSettings();
    if (withState) {
        QFile file(sim.state);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileContent(customSettings()));
        file.close();
        // The file's own reading of itself; the firmware version stays the device's.
        QVERIFY(files::parseParameterText(QString::fromLatin1(readFile(sim.state)), expected).h);
    }
    START_SIM(sim, withState ? QStringList{"--state", sim.state} : QStringList{});

    Client client;
    QVERIFY(client.open(sim.link));
    TxParamsRecord got;
    QVERIFY(0 <= readSettings(client, got));
    copyUncarried(expected, got);
    QCOMPARE(got, expected);
}

void TestTxSim::writeIsStored_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("one write per frame") << "frames";
    QTest::newRow("all in one write") << "merged";
    QTest::newRow("seven-byte pieces") << "pieces";
    QTest::newRow("after garbage and a disconnect notice") << "noise";
    QTest::newRow("set, then a bad S frame") << "bad S after";
}

void TestTxSim::writeIsStored()
{
    QFETCH(QString, how);

    Sim sim;
    START_SIM(sim, {"--state", sim.state});
    // A missing state file starts from the demo settings and is created.
    QTRY_COMPARE_WITH_TIMEOUT(readFile(sim.state), fileContent(demoSettings()), waitMs);

    const TxParamsRecord wanted = customSettings();
    const QByteArray frames = fileContent(wanted);
    Client client;
    QVERIFY(client.open(sim.link));
    if (how == "frames") {
        for (int at = 0; at < frames.size(); at += files::frameLength)
            client.send(frames.mid(at, files::frameLength));
        client.send("WWW");
    } else if (how == "merged") {
        client.send(frames + "WWW");
    } else if (how == "pieces") {
        const QByteArray all = frames + "WWW";
        for (int at = 0; at < all.size(); at += 7)
            client.send(all.mid(at, 7));
    } else if (how == "noise") {
        client.send("\x01?zz" + frames.left(30) + "DIS" + frames);
    } else {
        QByteArray bad = fileContent(demoSettings()).left(files::frameLength);
        bad[1] = 'A'; // channel 1 reverse must be a decimal digit
        client.send(frames + bad);
    }

    QVERIFY(waitUntil([&] { return readFile(sim.state) == frames; }));
    TxParamsRecord got;
    QVERIFY(0 <= readSettings(client, got));
    TxParamsRecord expected = wanted;
    expected.firmwareVersion = demoSettings().firmwareVersion;
    copyUncarried(expected, got);
    QCOMPARE(got, expected);
}

void TestTxSim::streamStartsPausesAndStops()
{
    using protocol::DeliveryKind;
    Sim sim;
    START_SIM(sim, {"--servo-hz", "40"});
    Client client;
    QVERIFY(client.open(sim.link));

    client.send("OK");
    QVERIFY(waitUntil([&] { return client.countKind(DeliveryKind::Status) >= 3; }));
    QVERIFY(client.countKind(DeliveryKind::Servo) >= 10);
    for (const QByteArray &d : client.deliveries) {
        TxParamsRecord p;
        TelemetryRecord t;
        protocol::decodeDelivery(d, p, t);
        for (int v : t.servo)
            QVERIFY2(v >= 0 && v <= 2000, qPrintable(QString::number(v)));
        const DeliveryKind kind = Client::decode(d).kind;
        if (kind == DeliveryKind::Servo)
            QVERIFY(t.txVolt > 0 && t.txVolt <= 840);
        if (kind == DeliveryKind::Status) {
            QVERIFY2(t.rssi >= 40 && t.rssi <= 95, qPrintable(QString::number(t.rssi)));
            QVERIFY2(qAbs(t.extVolt - 123) <= 2, qPrintable(QString::number(t.extVolt)));
        }
    }

    // A read while streaming: the reply goes out whole, then the stream goes on.
    TxParamsRecord got;
    const int aux = readSettings(client, got);
    QVERIFY(aux >= 0);
    int last = aux;
    while (Client::decode(client.deliveries.value(last + 1)).kind == DeliveryKind::Settings)
        ++last;
    QCOMPARE(last - aux + 1, readReplyFrames);
    const int afterReply = client.deliveries.size();
    QVERIFY(waitUntil([&] { return client.countKind(DeliveryKind::Servo, afterReply) >= 5; }));

    // After "DIS" only a read is answered; nothing follows its reply.
    client.send("DIS");
    const int secondAux = readSettings(client, got);
    QVERIFY(secondAux >= 0);
    spin(500);
    QCOMPARE(client.countKind(DeliveryKind::Servo, secondAux), 0);
    QCOMPARE(client.countKind(DeliveryKind::Status, secondAux), 0);
}

void TestTxSim::streamTotalsCountFramesAndAcks_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("ackEvery"); // acknowledge every n-th delivery; 0: none

    QTest::newRow("every delivery acknowledged") << QStringList{} << 1;
    QTest::newRow("every second delivery") << QStringList{} << 2;
    QTest::newRow("nothing acknowledged") << QStringList{} << 0;
    QTest::newRow("200 Hz at a 4 ms gap")
        << QStringList{"--servo-hz", "200", "--write-gap-ms", "4"} << 1;
}

void TestTxSim::streamTotalsCountFramesAndAcks()
{
    QFETCH(QStringList, options);
    QFETCH(int, ackEvery);

    Sim sim;
    START_SIM(sim, options);
    Client client;
    QVERIFY(client.open(sim.link));
    client.send("OK");
    int handled = 0;
    int acks = 0;
    QDeadlineTimer streaming(1000);
    while (!streaming.hasExpired()) {
        spin(10);
        for (; handled < client.deliveries.size(); ++handled) {
            if (ackEvery > 0 && handled % ackEvery == 0) {
                client.send("WWW");
                ++acks;
            }
        }
    }
    client.send("DIS");

    QByteArray out;
    QVERIFY(waitUntil([&] {
        out += sim.process.readAllStandardOutput();
        return out.contains("stream: ");
    }));
    spin(200); // frames written before the notice was read
    const QRegularExpression totals(
        "stream: (\\d+) live frame\\(s\\) sent, (\\d+) acknowledgement\\(s\\) received");
    const QRegularExpressionMatch m = totals.match(QString::fromLatin1(out));
    QVERIFY2(m.hasMatch(), out.constData());
    const int sent = m.captured(1).toInt();
    QCOMPARE(m.captured(2).toInt(), acks);
    int liveBytes = 0;
    for (const QByteArray &d : client.deliveries)
        liveBytes += d.size();
    // At most the two queued frames leave after the notice, uncounted.
    const int received = liveBytes / protocol::servoFrameLength;
    QVERIFY2(sent > 0 && sent <= received && received <= sent + 2,
             qPrintable(QStringLiteral("%1 sent, %2 received").arg(sent).arg(received)));
}

namespace
{
QSet<QString> windowLog;
void collectWindowLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    windowLog.insert(message);
}
} // namespace

// The tool reads the demo transmitter, shows what it read, and writes it back:
// the transmitter must end up with exactly the settings it had.
void TestTxSim::demoRoundTripsThroughTheWindow()
{
    Sim sim;
    START_SIM(sim, {"--state", sim.state});
    const QByteArray stored = fileContent(demoSettings());
    QVERIFY(waitUntil([&] { return readFile(sim.state) == stored; }));

    portlist::setPreferredPorts({sim.link});
    MainWindow window;
    auto button = [&](const char *name) {
        return window.findChild<QAbstractButton *>(QString::fromLatin1(name));
    };
    button("openButton")->click();
    qInstallMessageHandler(collectWindowLog);
    // Read again should a reply come short (see readSettings).
    QSet<QString> allFrames;
    for (int n = 1; n <= readReplyFrames; ++n)
        allFrames.insert(QStringLiteral("ReadFlag:%1").arg(n));
    for (int attempt = 0; attempt < 5 && !windowLog.contains(allFrames); ++attempt) {
        windowLog.clear();
        button("toolButton_Read")->click();
        waitUntil([&] { return windowLog.contains(allFrames); });
    }
    qInstallMessageHandler(nullptr);
    QVERIFY(windowLog.contains(allFrames));
    spin(300); // display refreshes, which store back what the editors show

    sim.process.readAllStandardOutput();
    button("toolButton_Send")->click();
    QByteArray log;
    QVERIFY(waitUntil([&] {
        log += sim.process.readAllStandardOutput();
        return log.contains("settings saved");
    }));
    QCOMPARE(readFile(sim.state), stored);
}

void TestTxSim::survivesReopenAndCleansUpOnSigterm_data()
{
    QTest::addColumn<bool>("linkTakenOver"); // by someone else, while running
    QTest::newRow("own link") << false;
    QTest::newRow("link taken over") << true;
}

void TestTxSim::survivesReopenAndCleansUpOnSigterm()
{
    QFETCH(bool, linkTakenOver);
    Sim sim;
    START_SIM(sim);
    TxParamsRecord got;
    {
        Client first;
        QVERIFY(first.open(sim.link));
        QVERIFY(0 <= readSettings(first, got));
    }
    Client second;
    QVERIFY(second.open(sim.link));
    QVERIFY(0 <= readSettings(second, got));
    second.port.close();
    const QString other = sim.dir.filePath("other");
    if (linkTakenOver)
        QVERIFY(QFile::remove(sim.link) && QFile::link(other, sim.link));

    QVERIFY(signalChild(sim.process, SIGTERM));
    QVERIFY(sim.process.waitForFinished(waitMs));
    QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process.exitCode(), 0);
    QCOMPARE(whatIsAt(sim.link), linkTakenOver ? "link to " + other : QString());
    QVERIFY(sim.process.readAllStandardOutput().contains("SIGTERM"));
}

void TestTxSim::faultModes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("wire");         // the line fault some delivery must show
    QTest::addColumn<QVector<int>>("missing"); // per read: the frame number left out, or 0
    QTest::addColumn<bool>("writeFirst");

    QTest::newRow("split deliveries")
        << QStringList{"--split-deliveries"} << "split" << QVector<int>{0, 0} << false;
    QTest::newRow("merged frames")
        << QStringList{"--merge-frames"} << "merged" << QVector<int>{0, 0} << false;
    QTest::newRow("garbage") << QStringList{"--garbage", "--seed", "3"} << "garbage"
                             << QVector<int>{0, 0} << false;
    QTest::newRow("all line faults")
        << QStringList{"--split-deliveries", "--merge-frames", "--garbage"} << "split"
        << QVector<int>{0, 0} << false;
    // The seventh settings frame sent is number 8: number 7 is the aux frame's.
    QTest::newRow("frame left out of every read")
        << QStringList{"--drop-frame", "7"} << "" << QVector<int>{8, 8} << false;
    QTest::newRow("frame left out of the first read")
        << QStringList{"--drop-frame-once", "1"} << "" << QVector<int>{1, 0} << false;
    QTest::newRow("ftdi adapter, reply back to back")
        << QStringList{"--adapter", "ftdi", "--reply", "burst:0"} << "cut" << QVector<int>{0, 0}
        << false;
    QTest::newRow("ch340 adapter stalling 60 ms now and then")
        << QStringList{"--adapter", "ch340", "--adapter-stall", "60", "--reply", "burst:0"} << "cut"
        << QVector<int>{0, 0} << false;
    // Nobody acknowledges here: each reply frame goes after the timeout.
    QTest::newRow("ch340 adapter, stop-and-wait")
        << QStringList{"--adapter", "ch340", "--reply", "stop-and-wait"} << "" << QVector<int>{0, 0}
        << false;
    QTest::newRow("writes ignored")
        << QStringList{"--ignore-writes"} << "" << QVector<int>{0, 0} << true;
}

void TestTxSim::faultModes()
{
    QFETCH(QStringList, options);
    QFETCH(QString, wire);
    QFETCH(QVector<int>, missing);
    QFETCH(bool, writeFirst);

    Sim sim;
    START_SIM(sim, options);
    Client client;
    QVERIFY(client.open(sim.link));
    QByteArray log;
    if (writeFirst) {
        client.send(fileContent(customSettings()) + "WWW");
        QVERIFY(waitUntil([&] {
            log += sim.process.readAllStandardOutput();
            return log.count("not stored") == 3;
        }));
    }
    int total = 0;
    for (int lost : missing) {
        QSet<int> expected;
        for (int n = 1; n <= readReplyFrames; ++n)
            if (n != lost)
                expected << n;
        TxParamsRecord got;
        QCOMPARE(readFramed(client, expected.size(), got), expected);
        total += expected.size();
        if (lost == 0) {
            TxParamsRecord demo = demoSettings();
            copyUncarried(demo, got);
            QCOMPARE(got, demo);
        }
    }
    QCOMPARE(client.frames.size(), total); // nothing made up from garbage
    QVERIFY(wireShows(wire, client));
    if (!wire.isEmpty()) // taking each delivery as one frame would lose frames
        QVERIFY(client.countKind(protocol::DeliveryKind::Aux) +
                    client.countKind(protocol::DeliveryKind::Settings) <
                client.frames.size());
}

QTEST_MAIN(TestTxSim)
#include "tst_txsim.moc"
