// txctl as a process against the virtual transmitter, for every command and
// every fault the simulator can put on the line: what must succeed leaves the
// right bytes and files, what must fail fails with its exit status and one
// line of explanation, and no file is ever left half-written.
#include "childsignal.h"
#include "fieldcatalogue.h"
#include "history.h"
#include "parameterfile.h"
#include "portaccess.h"
#include "simdevice.h"
#include "txparams.h"
#include "validation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int waitMs = 30000;
const QStringList fastWrite{"--pace-ms", "20", "--timeout", "1500"};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Valid settings unlike the simulator's.
TxParamsRecord custom()
{
    TxParamsRecord p;
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    p.subTrim[0] = -100;
    p.rev[7] = 1;
    p.aux[2] = 4;
    p.elev[5] = -77;
    p.prm[3] = {1, 7, 2, {1, -1, 55}};
    p.extraWord = 999;
    return p;
}

// A file whose CH1 sub-trim is out of range (101).
QByteArray outOfRange()
{
    QByteArray repair = files::parameterFileContent(custom());
    repair.replace(9, 2, "DD"); // sub-trim CH1: 221 - 120
    return repair;
}

// A file whose dual-rate channel is out of range (7) while the rate shown
// differs from the stored CH1 rate: selection before repair keeps the 50.
QByteArray unselectableChannel()
{
    TxParamsRecord p = custom();
    p.drChannel = 7;
    p.drUp = 50;
    return files::parameterFileContent(p);
}

// A serial line with nothing attached: a pseudo-terminal nobody answers on.
struct SilentPort {
    int master = -1, slave = -1;
    QString path;
    SilentPort()
    {
        char name[128];
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
    }
    ~SilentPort()
    {
        ::close(master);
        ::close(slave);
    }
};

struct Sim {
    QProcess process;
    QString link, state;

    // Starts with `settings` when given, else with the demo settings.
    Sim(const QTemporaryDir &dir, const QStringList &faults, const QByteArray &settings = {},
        const QString &name = "tx")
        : link(dir.filePath(name)), state(dir.filePath("state.txt"))
    {
        QFile::remove(state);
        if (!settings.isEmpty())
            putFile(state, settings);
        process.start(TXSIM_PATH, QStringList{"--link", link, "--state", state} + faults);
    }
    bool ready() { return process.waitForReadyRead(waitMs) && QFileInfo(link).exists(); }
    ~Sim()
    {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace

class TestTxctl : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

    struct Run {
        int exit = -1;
        QByteArray out, err;
    };
    QProcess *startTxctl(const QStringList &args, const QString &program = TXCTL_PATH)
    {
        auto *p = new QProcess(this);
        p->start(program, args);
        return p;
    }
    Run finish(QProcess *p)
    {
        Run r;
        if (p->waitForFinished(waitMs) && p->exitStatus() == QProcess::NormalExit)
            r.exit = p->exitCode();
        r.out = p->readAllStandardOutput();
        r.err = p->readAllStandardError();
        delete p;
        return r;
    }
    Run txctl(const QStringList &args) { return finish(startTxctl(args)); }
    // `script` in bash with $0 the program; the rest as $1...
    Run shell(const QString &script, const QStringList &args)
    {
        return finish(startTxctl(QStringList{"-c", script, TXCTL_PATH} + args, "bash"));
    }
    // A failure explains itself on one line of standard error, after the
    // notices of retries and repairs, if any.
    static bool oneLine(const Run &r, const QString &part)
    {
        QStringList lines = QString::fromUtf8(r.err).split('\n');
        const QString last = lines.size() > 1 && lines.takeLast().isEmpty() ? lines.takeLast() : "";
        for (const QString &notice : lines) {
            if (!notice.contains("asking again") && !notice.contains("repaired to"))
                return false;
        }
        return last.startsWith("txctl: ") && last.contains(part);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // The history goes where the child processes and files::history look.
        qputenv("XDG_DATA_HOME", path("data").toUtf8());
        // A zone with a daylight-saving gap, for the history's names.
        qputenv("TZ", "Europe/Berlin");
        // Made-up locks stay out of the machine's lock folder.
        QVERIFY(QDir().mkpath(path("locks")));
        qputenv("TXCONFIG_LOCK_DIR", path("locks").toUtf8());
        QVERIFY(putFile(path("custom.txt"), files::parameterFileContent(custom())));
    }
    void init() { QDir(files::history::directory()).removeRecursively(); }

    void read_data();
    void read();
    void readNamesEachRepairOnce();
    void outputs_data();
    void outputs();
    void portNames_data();
    void portNames();
    void write_data();
    void write();
    void interruptedWrite_data();
    void interruptedWrite();
    void signalEndsCommand_data();
    void signalEndsCommand();
    void manyPorts();
    void historyNamesStayApart();
    void resetAndRestore();
    void monitor_data();
    void monitor();
    void silentLine();
    void fullOutput_data();
    void fullOutput();
    void fileCommands_data();
    void fileCommands();
};

void TestTxctl::read_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("message");
    QTest::newRow("clean line") << QStringList{} << 0 << "";
    QTest::newRow("split deliveries") << QStringList{"--split-deliveries"} << 0 << "";
    QTest::newRow("merged frames") << QStringList{"--merge-frames"} << 0 << "";
    QTest::newRow("garbage") << QStringList{"--garbage", "--seed", "7"} << 0 << "";
    // Each frame of the reply only after the one before is acknowledged.
    QTest::newRow("stop and wait") << QStringList{"--reply", "stop-and-wait"} << 0 << "";
    // Frames that keep coming hold the read open past --timeout: no second request.
    QTest::newRow("slow reply") << QStringList{"--reply", "burst:150"} << 0 << "";
    QTest::newRow("frame lost once") << QStringList{"--drop-frame-once", "5"} << 0
                                     << "no answer for frame 5 (fail-safe), asking again (2/3)";
    QTest::newRow("frame never sent")
        << QStringList{"--drop-frame", "5"} << 2 << "missing frame 5 (fail-safe)";
    // The simulator counts the settings frames only; the aux frame, number 7, comes first.
    QTest::newRow("frame after the aux frame never sent")
        << QStringList{"--drop-frame", "7"} << 2 << "missing frame 8 (attitude)";
    QTest::newRow("last frame never sent")
        << QStringList{"--drop-frame", "18"} << 2 << "missing frame 19 (dual-rate exponentials)";
}

void TestTxctl::read()
{
    QFETCH(QStringList, faults);
    QFETCH(int, exit);
    QFETCH(QString, message);
    Sim sim(dir, faults);
    QVERIFY(sim.ready());
    const QString out = path("read.txt");
    QVERIFY(putFile(out, "old"));
    const Run r = txctl({"read", "--port", sim.link, "-o", out, "--timeout", "1500"});
    QCOMPARE(r.exit, exit);
    QByteArray simLog; // the transmitter is told the link ends, read or not
    QTRY_VERIFY((simLog += sim.process.readAllStandardOutput()).contains("DIS: "));
    if (exit != 0) {
        QVERIFY2(oneLine(r, message), r.err.constData());
        QCOMPARE(fileBytes(out), QByteArray("old")); // untouched, not cut short
        return;
    }
    QVERIFY2(message.isEmpty() ? r.err.isEmpty() : oneLine(r, message), r.err.constData());
    QCOMPARE(fileBytes(out), fileBytes(sim.state));
    // Standard output carries the same file.
    QCOMPARE(txctl({"read", "--port", sim.link}).out, fileBytes(sim.state));
    if (faults.isEmpty()) { // what the transmitter tells of itself (the simulator's 42)
        const Run info = txctl({"info", "--port", sim.link});
        QCOMPARE(info.exit, 0);
        QVERIFY2(QRegularExpression("firmware version: +42\n"
                                    "transmitter voltage: +\\d+\\.\\d\\d V\n"
                                    "power voltage: +\\d+\\.\\d V\n")
                     .match(info.out)
                     .hasMatch(),
                 info.out.constData());
    }
}

// A repaired value that arrives again in the reply to a second request is
// still one repair.
void TestTxctl::readNamesEachRepairOnce()
{
    Sim sim(dir, {"--drop-frame-once", "5"}, outOfRange());
    QVERIFY(sim.ready());
    const Run r = txctl({"read", "--port", sim.link, "--timeout", "1500"});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.err.count("ch1.subtrim"), 1);
}

void TestTxctl::outputs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO, read as written") << "fifo";
    QTest::newRow("file with a second hard link") << "hard link";
    QTest::newRow("symbolic link to a file") << "symlink";
    QTest::newRow("symbolic link to nothing: its target made, as by >") << "dangling";
    QTest::newRow("file with its own mode") << "mode";
    QTest::newRow("folder that does not exist") << "no folder";
    QTest::newRow("serial port, never an output") << "port";
    QTest::newRow("regular file under /dev, replaced") << "under /dev";
    QTest::newRow("hard link past the file size limit, kept") << "size limit";
    QTest::newRow("name of 251 characters, its temporary name shorter") << "long name";
}

// -o keeps what the path is; an output that cannot be written fails before
// the port is touched.
void TestTxctl::outputs()
{
    QFETCH(QString, kind);
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    const QString target = path("out-" + kind), other = path("other-" + kind);
    QFile::remove(target);
    QFile::remove(other);
    QProcess reader;
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        reader.start("cat", {target});
    } else if (kind == "hard link" || kind == "symlink" || kind == "size limit") {
        QVERIFY(putFile(other, kind == "size limit" ? fileBytes(path("custom.txt")) : "old"));
        QVERIFY(kind == "symlink" ? QFile::link(other, target)
                                  : ::link(QFile::encodeName(other).constData(),
                                           QFile::encodeName(target).constData()) == 0);
    } else if (kind == "dangling") {
        QVERIFY(QFile::link(other, target));
    } else if (kind == "mode") {
        QVERIFY(putFile(target, "old"));
        QVERIFY(
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }
    const QString shm = QString("/dev/shm/txctl-%1.txt").arg(QCoreApplication::applicationPid());
    if (kind == "under /dev")
        QVERIFY(putFile(shm, "old"));
    const QString output = kind == "no folder"    ? path("none/out.txt")
                           : kind == "port"       ? sim.link
                           : kind == "under /dev" ? shm
                           : kind == "long name"  ? path(QString(251, 'n'))
                                                  : target;
    const QString port = kind == "no folder" ? path("no-port") : sim.link;
    const QByteArray simState = fileBytes(sim.state);
    // The file size limit would stop a lock file too: set rewrites without a port.
    const Run r = kind == "size limit"
                      ? shell("ulimit -f 0; exec \"$0\" \"$@\"", {"set", target, "ch1.subtrim=5"})
                      : txctl({"read", "--port", port, "-o", output});
    if (kind == "no folder" || kind == "port" || kind == "size limit") {
        QVERIFY2(
            oneLine(r, kind == "port" ? "is a terminal or serial port, never an output" : output),
            r.err.constData());
        QCOMPARE(r.exit, 1);
        QCOMPARE(fileBytes(sim.state), simState);
        if (kind == "size limit") // neither link cut short
            QCOMPARE(fileBytes(target) + fileBytes(other),
                     fileBytes(path("custom.txt")).repeated(2));
        return;
    }
    if (kind == "under /dev" || kind == "long name") {
        QCOMPARE(fileBytes(output), fileBytes(sim.state));
        QVERIFY(QFile::remove(output));
        return;
    }
    QCOMPARE(r.exit, 0);
    const QByteArray expected = fileBytes(sim.state);
    if (kind == "fifo") {
        QVERIFY(reader.waitForFinished(waitMs));
        QCOMPARE(reader.readAllStandardOutput(), expected);
        QVERIFY(QFileInfo(target).exists() && !QFileInfo(target).isFile());
    } else if (kind == "mode") {
        QCOMPARE(fileBytes(target), expected);
        QCOMPARE(QFileInfo(target).permissions() & 0x0777, QFileDevice::Permissions(0x0640));
    } else {
        QCOMPARE(fileBytes(other), expected);
        QCOMPARE(QFileInfo(target).isSymLink(), kind == "symlink" || kind == "dangling");
    }
}

void TestTxctl::portNames_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("message");
    QTest::newRow("path relative to the current folder") << "relative" << 0 << "";
    QTest::newRow("device held under another spelling")
        << "busy" << 2 << "in use by another program (txctl, PID ";
    QTest::newRow("lock left by an ended process") << "stale lock" << 0 << "";
    // A PID alone, padded, as minicom writes it; older than Qt's 30 s.
    QTest::newRow("live lock of another program, 60 s old")
        << "live lock" << 2 << "in use by another program (tst_txctl, PID ";
    QTest::newRow("name under /dev with a slash, a file of that name here")
        << "under /dev" << 0 << "";
    QTest::newRow("one device through two names") << "twice" << 1 << "is given twice";
}

void TestTxctl::portNames()
{
    QFETCH(QString, spelling);
    QFETCH(int, exit);
    QFETCH(QString, message);
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    const QString device = QFileInfo(sim.link).canonicalFilePath();
    QDir::setCurrent(dir.path());
    QProcess *holder = nullptr;
    if (spelling == "busy") {
        holder = startTxctl({"monitor", "--port", sim.link, "--duration", "5"});
        QVERIFY(holder->waitForReadyRead(waitMs)); // the link is open
    } else if (spelling.endsWith("lock")) {
        const QString lock = portlist::lockFilePaths(device).first();
        const QByteArray live =
            QByteArray::number(QCoreApplication::applicationPid()).rightJustified(10) + '\n';
        QVERIFY(putFile(lock, spelling == "live lock" ? live : "999999\ntxctl\nelsewhere\n"));
        QFile f(lock);
        QVERIFY(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
    }
    const QString underDev = device.mid(5); // "pts/N"
    if (spelling == "under /dev")
        QVERIFY(QDir().mkpath(QFileInfo(underDev).path()) && putFile(underDev, "not the port"));
    QStringList ports{"--port", spelling == "relative"     ? "tx"
                                : spelling == "under /dev" ? underDev
                                                           : device};
    if (spelling == "twice")
        ports << "--port" << underDev;
    const Run r = txctl(QStringList{"read"} + ports);
    if (holder) {
        const bool stopped = signalChild(*holder, SIGINT);
        finish(holder);
        QVERIFY(stopped);
    }
    QFile::remove(portlist::lockFilePaths(device).first()); // the live lock is the test's own
    QCOMPARE(r.exit, exit);
    if (exit == 0)
        QCOMPARE(r.out, fileBytes(sim.state));
    else
        QVERIFY2(oneLine(r, message), r.err.constData());
    QVERIFY(QDir(path("locks")).isEmpty());
}

void TestTxctl::write_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("historyBefore"); // "", "unwritable", "later entries"
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("history"); // kinds, newest first
    QTest::addColumn<bool>("stored");         // the transmitter holds the file afterwards
    const QStringList none;
    const QStringList verified{"verified", "backup"};
    QTest::newRow("clean line") << none << none << "" << 0 << verified << true;
    QTest::newRow("split deliveries")
        << QStringList{"--split-deliveries"} << none << "" << 0 << verified << true;
    QTest::newRow("merged frames")
        << QStringList{"--merge-frames"} << none << "" << 0 << verified << true;
    QTest::newRow("garbage") << QStringList{"--garbage", "--seed", "3"} << none << "" << 0
                             << verified << true;
    QTest::newRow("frame lost once")
        << QStringList{"--drop-frame-once", "12"} << none << "" << 0 << verified << true;
    QTest::newRow("writes ignored") << QStringList{"--ignore-writes"} << none << "" << 3
                                    << QStringList{"mismatch", "backup"} << false;
    QTest::newRow("no backup possible")
        << QStringList{"--drop-frame", "12"} << none << "" << 2 << none << false;
    QTest::newRow("transmitter cannot answer")
        << QStringList{"--drop-frame", "12"} << QStringList{"--no-backup", "--no-verify"} << "" << 0
        << QStringList{"sent"} << true;
    QTest::newRow("dry run") << none << QStringList{"--dry-run"} << "" << 0 << none << false;
    QTest::newRow("backup cannot be kept") << none << none << "unwritable" << 1 << none << false;
    // A full history whose entries carry later times (the clock was set back).
    QTest::newRow("history of later times")
        << none << none << "later entries" << 0 << verified << true;
    QTest::newRow("transmitter holding a value out of range")
        << none << none << "out of range" << 0 << verified << true;
    QTest::newRow("transmitter holding a value no file can carry")
        << QStringList{"--hold", "ch1.travel_left=250"} << none << "uncarried" << 0 << verified
        << true;
}

void TestTxctl::write()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, options);
    QFETCH(QString, historyBefore);
    QFETCH(int, exit);
    QFETCH(QStringList, history);
    QFETCH(bool, stored);
    const QString later = "2099";
    if (historyBefore == "unwritable") {
        QVERIFY(putFile(files::history::directory(), "")); // a file where the folder goes
    } else if (historyBefore == "later entries") {
        QVERIFY(QDir().mkpath(files::history::directory()));
        // Each a valid time, so that all of them count as entries.
        const QDateTime start(QDate(2099, 1, 1), QTime(12, 0));
        for (int i = 0; i < files::history::keptEntries; ++i)
            QVERIFY(putFile(files::history::directory() + "/" +
                                start.addSecs(i).toString("yyyyMMdd-HHmmss-zzz") + "-read.txt",
                            files::parameterFileContent(custom())));
    }
    Sim sim(dir, faults, historyBefore == "out of range" ? outOfRange() : QByteArray());
    QVERIFY(sim.ready());
    const QByteArray before = fileBytes(sim.state);
    const Run r =
        txctl(QStringList{"write", "--port", sim.link, path("custom.txt")} + fastWrite + options);
    QCOMPARE(r.exit, exit);
    QCOMPARE(fileBytes(sim.state), stored ? fileBytes(path("custom.txt")) : before);
    QFile::remove(files::history::directory());
    QStringList kinds;
    QString backup;
    for (const files::history::Entry &e : files::history::entries()) {
        if (!e.id.startsWith(later))
            kinds << e.kind;
        if (e.kind == "backup")
            backup = e.id;
    }
    QCOMPARE(kinds, history);
    if (historyBefore == "uncarried") { // named, and not claimed as kept
        QVERIFY2(r.err.contains("travel_left 250 (kept as 239)") && !r.err.contains("keeps"),
                 r.err.constData());
    } else if (history.contains("backup")) {
        QVERIFY(r.out.contains("backup kept in the history as " + backup.toUtf8()));
        QCOMPARE(fileBytes(files::history::directory() + "/" + backup + ".txt"), before);
        // The listed backup puts the old settings back; one holding a value
        // out of range only when told to repair it.
        const QStringList restore =
            QStringList{"restore", backup, "--port", sim.link, "--no-backup"} + fastWrite;
        if (historyBefore == "out of range") {
            QVERIFY(oneLine(txctl(restore), "needed 1 repair(s)"));
            QCOMPARE(txctl(restore + QStringList{"--repair"}).exit, 0);
            QCOMPARE(fileBytes(sim.state), QByteArray(before).replace(9, 2, "78"));
        } else {
            QCOMPARE(txctl(restore).exit, 0);
            QCOMPARE(fileBytes(sim.state), before);
        }
    }
    if (exit == 3) {
        // Field by field: name, written, read back.
        QVERIFY(r.out.contains("ch1.subtrim (CH1 sub-trim): -100 % -> 12 %"));
        QVERIFY(r.out.contains("ch8.reverse (CH8 phase): reversed -> normal"));
        QVERIFY(oneLine(r, "verification failed"));
    } else if (exit == 2) {
        QVERIFY(oneLine(r, "backup read: read incomplete after 3 request(s): missing frame 13"));
    } else if (options.contains("--dry-run")) {
        QVERIFY(r.out.contains("  ch1.subtrim (CH1 sub-trim): 12 % -> -100 %\n"));
    } else if (exit == 1) {
        QVERIFY(QString::fromUtf8(r.err).contains("nothing written"));
    }
}

void TestTxctl::interruptedWrite_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("exit");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("Ctrl+C finishes the frames")
        << "SIGINT" << 128 + SIGINT << true << "not verified";
    QTest::newRow("terminal closed") << "SIGHUP" << 128 + SIGHUP << true << "not verified";
    QTest::newRow("second Ctrl+C stops at once")
        << "SIGINT twice" << 128 + SIGINT << false << "the transmitter may be half-written";
    // Another process fills the history meanwhile: the backup outlasts it.
    QTest::newRow("history filled by another process, then Ctrl+C twice")
        << "fill, SIGINT twice" << 128 + SIGINT << false << "the transmitter may be half-written";
    QTest::newRow("transmitter unplugged")
        << "unplug" << 2 << false << "lost: the device is gone (unplugged?)";
}

// A signal or a lost link after the backup, while the frames go out.
void TestTxctl::interruptedWrite()
{
    QFETCH(QString, event);
    QFETCH(int, exit);
    QFETCH(bool, stored);
    QFETCH(QString, message);
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    const QByteArray before = fileBytes(sim.state);
    const bool fill = event.startsWith("fill");
    QProcess *p = startTxctl({"write", "--port", sim.link, path("custom.txt"), "--pace-ms",
                              fill ? "9000" : "400", "--timeout", "1500"});
    // The backup is named on standard output just before the first frame.
    QVERIFY(p->waitForReadyRead(waitMs));
    QVERIFY(p->canReadLine() || p->waitForReadyRead(waitMs));
    const QString backup = files::history::entries().value(0).id;
    QString error;
    for (int i = 0; fill && i < files::history::keptEntries + 8; ++i)
        QVERIFY(
            files::history::record(files::parameterFileContent(custom()), "sent", nullptr, &error));
    if (event == "unplug")
        sim.process.kill();
    else
        QVERIFY(signalChild(*p, event == "SIGHUP" ? SIGHUP : SIGINT));
    if (event.endsWith("SIGINT twice")) {
        p->setReadChannel(QProcess::StandardError); // the first signal is taken
        QVERIFY(p->waitForReadyRead(waitMs));
        QVERIFY(signalChild(*p, SIGINT));
    }
    const Run r = finish(p);
    QCOMPARE(r.exit, exit);
    QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
    if (event.endsWith("SIGINT twice")) { // "sent" names exactly the frames the transmitter took
        QTest::qWait(300);
        const QByteArray simLog = sim.process.readAllStandardOutput();
        QStringList took;
        for (const char *frame : {"S", "G", "H"})
            if (simLog.contains(QByteArray(frame) + " frame: stored"))
                took << frame;
        const QString said = took.isEmpty() ? "S, G, H not" : took.join(", ") + " sent";
        QVERIFY2(r.err.contains(said.toUtf8()), r.err.constData());
    }
    if (stored) {
        QCOMPARE(fileBytes(sim.state), fileBytes(path("custom.txt")));
    } else if (event != "unplug") {
        // The line names the command that puts the backup back; it works.
        const QString restore = QString("txctl restore %1 --port %2").arg(backup, sim.link);
        QVERIFY2(r.err.contains(restore.toUtf8()), r.err.constData());
        QCOMPARE(txctl(restore.split(' ').mid(1) + fastWrite).exit, 0);
        QCOMPARE(fileBytes(sim.state), before);
    }
}

void TestTxctl::signalEndsCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("signal");
    QTest::newRow("read, Ctrl+C") << "read" << SIGINT;
    QTest::newRow("info, SIGTERM") << "info" << SIGTERM;
    QTest::newRow("diff, terminal closed") << "diff custom.txt" << SIGHUP;
    QTest::newRow("set, Ctrl+C while reading") << "set ch1.subtrim=5" << SIGINT;
    QTest::newRow("info | true") << "info" << SIGPIPE;
}

// Each command that opened the port says goodbye and drops its lock.
void TestTxctl::signalEndsCommand()
{
    QFETCH(QString, command);
    QFETCH(int, signal);
    Sim sim(dir, signal == SIGPIPE ? QStringList{} : QStringList{"--silent"});
    QVERIFY(sim.ready());
    QDir::setCurrent(dir.path());
    const QStringList args =
        command.split(' ') + QStringList{"--port", sim.link, "--timeout", "60000"};
    QByteArray simLog;
    const char *script =
        signal == SIGPIPE ? "\"$0\" \"$@\" | true; exit ${PIPESTATUS[0]}" : "exec \"$0\" \"$@\"";
    QProcess *p = startTxctl(QStringList{"-c", script, TXCTL_PATH} + args, "bash");
    if (signal != SIGPIPE) {
        QTRY_VERIFY((simLog += sim.process.readAllStandardOutput()).contains("RR"));
        QVERIFY(signalChild(*p, signal));
    }
    QCOMPARE(finish(p).exit, 128 + signal);
    QTRY_VERIFY((simLog += sim.process.readAllStandardOutput()).contains("DIS: "));
    QVERIFY(!QFile::exists(portlist::lockFilePath(QFileInfo(sim.link).canonicalFilePath())));
}

// Several transmitters at once, one of them not storing what it is sent:
// each has its own backup and check, one summary line each, the worst status.
void TestTxctl::manyPorts()
{
    QTemporaryDir dirs[3];
    Sim good1(dirs[0], {}, {}, "tx1"), bad(dirs[1], {"--ignore-writes"}, {}, "tx2"),
        good2(dirs[2], {}, {}, "tx3");
    QVERIFY(good1.ready() && bad.ready() && good2.ready());
    const QByteArray before = fileBytes(bad.state);
    const QStringList ports{"--port", good1.link, "--port", bad.link, "--port", good2.link};
    const Run r = txctl(QStringList{"write", path("custom.txt")} + ports + fastWrite);
    QCOMPARE(r.exit, 3);
    const QString summary =
        QString("%1: ok\n%2: failed (exit 3): verification failed: ").arg(good1.link, bad.link);
    QVERIFY2(r.out.contains(summary.toUtf8()), r.out.constData());
    QVERIFY(r.out.endsWith(
        QString(" differently from %1\n%2: ok\n").arg(path("custom.txt"), good2.link).toUtf8()));
    QCOMPARE(fileBytes(good1.state), fileBytes(path("custom.txt")));
    QCOMPARE(fileBytes(good2.state), fileBytes(path("custom.txt")));
    QStringList backups;
    for (const files::history::Entry &e : files::history::entries()) {
        if (e.kind == "backup") {
            backups << e.id;
            QVERIFY(r.out.contains(": backup kept in the history as " + e.id.toUtf8() + "\n"));
        }
    }
    QCOMPARE(backups.size(), 3);

    // Reads go to one file per port.
    QCOMPARE(txctl(QStringList{"read", "-o", path("{port}.read")} + ports).exit, 0);
    QCOMPARE(fileBytes(path("tx1.read")), fileBytes(path("custom.txt")));
    QCOMPARE(fileBytes(path("tx2.read")), before);
    QVERIFY(oneLine(txctl(QStringList{"read", "-o", path("one.txt")} + ports), "{port}"));

    // Ctrl+C reaches every port's read, the one waiting on a silent transmitter too.
    Sim silent(dirs[1], {"--silent"}, {}, "tx4");
    QVERIFY(silent.ready());
    QProcess *p = startTxctl({"read", "-o", path("{port}.r"), "--port", good1.link, "--port",
                              silent.link, "--timeout", "60000", "--attempts", "20"});
    QTRY_VERIFY(QFileInfo::exists(path("tx1.r")));
    QVERIFY(signalChild(*p, SIGINT));
    QVERIFY(p->waitForFinished(5000));
    QCOMPARE(p->exitCode(), 128 + SIGINT);
}

// Entries recorded at once, within one millisecond, each keep their own file
// (two processes once took one name and one backup was lost).
void TestTxctl::historyNamesStayApart()
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            QString error;
            for (int i = 0; i < 40; ++i)
                files::history::record(files::parameterFileContent(custom()), "backup", nullptr,
                                       &error);
        });
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(files::history::entries().size(), 160);
}

void TestTxctl::resetAndRestore()
{
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    const QByteArray demo = fileBytes(sim.state);
    const QStringList reset = QStringList{"reset", "--port", sim.link} + fastWrite;
    // Standard input is no terminal here: no confirmation, no reset.
    QVERIFY(oneLine(txctl(reset), "pass --yes"));
    QCOMPARE(fileBytes(sim.state), demo);

    QCOMPARE(txctl(reset + QStringList{"--yes"}).exit, 0);
    TxParamsRecord factory;
    params::restoreFactoryGroup1(factory);
    params::restoreFactoryGroup2(factory);
    QCOMPARE(fileBytes(sim.state), files::parameterFileContent(factory));

    const QVector<files::history::Entry> entries = files::history::entries();
    QCOMPARE(entries.size(), 2);
    QVERIFY(txctl({"history"}).out.contains(entries.last().path.toUtf8()));
    // The backup taken before the reset, named by a unique beginning of its id.
    const QString id = entries.last().id;
    QCOMPARE(
        txctl(QStringList{"restore", id.left(id.size() - 2), "--port", sim.link} + fastWrite).exit,
        0);
    QCOMPARE(fileBytes(sim.state), demo);
    QVERIFY(txctl({"diff", path("custom.txt"), "--port", sim.link})
                .out.contains("  ch1.subtrim (CH1 sub-trim): -100 % -> 12 %\n"));
    QVERIFY(oneLine(txctl({"restore", "1999", "--port", sim.link}), "no history entry 1999"));

    // set on the transmitter: read, changed, written, verified.
    QCOMPARE(txctl(QStringList{"set", "--port", sim.link, "ch2.subtrim=5"} + fastWrite).exit, 0);
    TxParamsRecord stored;
    files::parseParameterText(QString::fromLatin1(fileBytes(sim.state)), stored);
    QCOMPARE(stored.subTrim[1], 5);
    // Nothing to change: nothing written, no history entry, and it says so.
    const int kept = files::history::entries().size();
    const Run same = txctl(QStringList{"set", "--port", sim.link, "ch2.subtrim=5"} + fastWrite);
    QCOMPARE(same.exit, 0);
    QVERIFY(oneLine(same, "already holds these values; nothing written"));
    QCOMPARE(files::history::entries().size(), kept);
}

void TestTxctl::monitor_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("exit");
    QTest::newRow("duration") << "duration" << 0;
    QTest::newRow("Ctrl+C") << "SIGINT" << 128 + SIGINT;
    QTest::newRow("transmitter gone") << "kill" << 2;
    QTest::newRow("terminal closed") << "SIGHUP" << 128 + SIGHUP;
    QTest::newRow("reader of the pipe gone") << "head" << 128 + SIGPIPE;
    QTest::newRow("added to through /dev/stdout") << ">>" << 0;
    QTest::newRow("no such port: the old log stays") << "no port" << 2;
    QTest::newRow("monitor killed: rows so far beside the old log") << "SIGKILL" << -1;
    QTest::newRow("log past the file size limit: the old log stays") << "ulimit" << 1;
}

void TestTxctl::monitor()
{
    QFETCH(QString, ending);
    QFETCH(int, exit);
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    const QString csv = path("live.csv");
    const QByteArray oldLog = "time,ch1\nkept\n";
    QVERIFY(putFile(csv, oldLog));
    const QString port = ending == "no port" ? path("no-port") : sim.link;
    QStringList args{"monitor", "--port", port, "--csv",
                     ending == ">>"     ? "/dev/stdout"
                     : ending == "head" ? "-"
                                        : csv};
    if (ending == "duration" || ending == ">>" || ending == "head" || ending == "ulimit")
        args << "--duration" << (ending == "duration" || ending == ">>" ? "1" : "5");
    Run r;
    if (ending == "head")
        r = shell("\"$0\" \"$@\" | head -c 2000 >/dev/null; exit ${PIPESTATUS[0]}", args);
    else if (ending == "ulimit") // writes past 4 KiB fail, as on a full disk
        r = shell("ulimit -f 4; exec \"$0\" \"$@\"", args);
    else if (ending == ">>")
        r = shell("exec \"$0\" \"$@\" >> '" + csv + "'", args);
    else {
        QProcess *p = startTxctl(args);
        if (ending != "no port") // ends at once
            QTest::qWait(1000);
        if (ending.startsWith("SIG"))
            QVERIFY(signalChild(*p, ending == "SIGINT"   ? SIGINT
                                    : ending == "SIGHUP" ? SIGHUP
                                                         : SIGKILL));
        else if (ending == "kill")
            sim.process.kill();
        r = finish(p);
    }
    if (ending == "SIGKILL") // nobody is left to remove Qt's lock of the port
        QFile::remove(portlist::lockFilePath(QFileInfo(sim.link).canonicalFilePath()));
    QCOMPARE(r.exit, exit);
    const QStringList temporary =
        QDir(dir.path()).entryList({".txctl-*"}, QDir::Hidden | QDir::Files);
    if (ending == "no port" || ending == "ulimit" || ending == "SIGKILL") {
        QCOMPARE(fileBytes(csv), oldLog);
        QCOMPARE(temporary.size(), ending == "SIGKILL" ? 1 : 0);
        QVERIFY(ending != "ulimit" || oneLine(r, csv + ": File too large"));
        if (ending != "SIGKILL")
            return;
        QVERIFY(QFile::remove(csv) && QFile::rename(path(temporary.value(0)), csv));
    }
    if (exit == 2)
        QVERIFY(oneLine(r, "link to " + sim.link + " lost"));
    if (ending == "head") { // told the transmitter, and left no lock behind
        QByteArray simLog;
        QTRY_VERIFY((simLog += sim.process.readAllStandardOutput()).contains("DIS: "));
        QVERIFY(!QFile::exists(portlist::lockFilePath(QFileInfo(sim.link).canonicalFilePath())));
        return;
    }
    const QList<QByteArray> lines = fileBytes(csv).split('\n');
    QVERIFY(lines.size() > 10);                // 50 servo frames a second
    const int header = ending == ">>" ? 2 : 0; // after the old log, or in its place
    QVERIFY(ending != ">>" || fileBytes(csv).startsWith(oldLog));
    QVERIFY(lines[header].startsWith("time,ch1,"));
    // The servo frame carries the transmitter's voltage, 8.40 V at the start;
    // a value not received yet is empty.
    QCOMPARE(lines[header + 1].split(',').value(9), QByteArray("8.40"));
    QVERIFY(lines.last().isEmpty()); // the last row is complete
    // Times carry their UTC offset.
    const QRegularExpression time("^\\d{4}-\\d\\d-\\d\\dT[\\d:.]+(Z|[+-]\\d\\d:\\d\\d),");
    for (int i = header + 1; i < lines.size() - 1; ++i) {
        QCOMPARE(lines[i].count(','), 11);
        QVERIFY2(!lines[i].contains("--"), lines[i].constData());
        QVERIFY2(time.match(QString::fromUtf8(lines[i])).hasMatch(), lines[i].constData());
    }
}

// Nothing attached: a read says so rather than listing every frame; the live
// line shows no value as received, and says so too.
void TestTxctl::silentLine()
{
    SilentPort port;
    QVERIFY(!port.path.isEmpty());
    const Run read = txctl({"read", "--port", port.path, "--timeout", "300", "--attempts", "2"});
    QCOMPARE(read.exit, 2);
    QVERIFY2(read.err.contains("no answer from the transmitter, asking again (2/2)"),
             read.err.constData());
    QVERIFY2(read.err.endsWith("read: no reply from the transmitter to 2 request(s); is it "
                               "switched on and connected to this port?\n"),
             read.err.constData());

    const Run r = txctl({"monitor", "--port", port.path, "--duration", "3.5"});
    QCOMPARE(r.exit, 0);
    QVERIFY2(oneLine(r, "no data from the transmitter"), r.err.constData());
    QVERIFY(
        r.out.startsWith("CH1-8   --   --   --   --   --   --   --   --  TX --V EXT --V --dBm\n"));

    // On a terminal 40 columns wide: one line rewritten in place, cut to fit.
    SilentPort terminal;
    struct winsize size {
    };
    size.ws_col = 40;
    QCOMPARE(::ioctl(terminal.master, TIOCSWINSZ, &size), 0);
    auto *p = new QProcess(this);
    p->setStandardOutputFile(terminal.path);
    p->start(TXCTL_PATH, {"monitor", "--port", port.path, "--duration", "0.5"});
    QCOMPARE(finish(p).exit, 0);
    char shown[4096];
    const ssize_t n = ::read(terminal.master, shown, sizeof shown);
    QVERIFY(n > 0);
    QCOMPARE(QByteArray(shown, int(n)).split('\r').value(1),
             QByteArray("CH1-8   --   --   --   --   --   --   -\033[K")); // 39 columns
}

void TestTxctl::fullOutput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::newRow("show") << QStringList{"show", "custom.txt"} << 1;
    QTest::newRow("history") << QStringList{"history"} << 1;
    QTest::newRow("monitor --csv -")
        << QStringList{"monitor", "--csv", "-", "--duration", "1"} << 1;
    QTest::newRow("help") << QStringList{"--help"} << 1;
    // diff's 1 would say "differ": trouble is 2.
    QTest::newRow("diff of two that differ") << QStringList{"diff", "custom.txt", "demo.txt"} << 2;
    QTest::newRow("diff --help") << QStringList{"diff", "--help"} << 2;
}

// A listing that could not be written is no success.
void TestTxctl::fullOutput()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QDir::setCurrent(dir.path());
    QVERIFY(putFile("demo.txt", files::parameterFileContent(demoSettings())));
    Sim sim(dir, {});
    QVERIFY(sim.ready());
    if (args.first() == "monitor")
        args << "--port" << sim.link;
    auto *p = new QProcess(this);
    p->setStandardOutputFile("/dev/full");
    p->start(TXCTL_PATH, args);
    const Run r = finish(p);
    QCOMPARE(r.exit, exit);
    QVERIFY2(oneLine(r, "standard output: No space left on device"), r.err.constData());
}

void TestTxctl::fileCommands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("expected"); // on standard output, or the error
    // The arguments are split at spaces.
    const auto row = [](const char *tag, const char *args, int exit, const QString &expected) {
        QTest::newRow(tag) << QString(args).split(' ', Qt::SkipEmptyParts) << exit << expected;
    };
    row("show", "show custom.txt", 0,
        "    CH1 sub-trim:                      -100 %       ch1.subtrim\n");
    row("diff", "diff demo.txt custom.txt", 1,
        "  mix4.lower (mix 4 lower-side rate): 0 % -> 55 %\n");
    row("diff --json", "diff demo.txt custom.txt --json", 1,
        "\"after\": 55,\n            \"after_text\": \"55 %\",\n"
        "            \"before\": 0,");
    row("diff, no such file", "diff demo.txt nothing.txt", 2,
        "nothing.txt: No such file or directory");
    row("diff, one file", "diff demo.txt", 2, "diff: usage: txctl diff A B | diff A --port P");
    row("history --json", "history --json", 0, "\"entries\": [");
    row("ports --json", "ports --json", 0, "\"ports\": [");
    row("diff, same", "diff custom.txt custom.txt", 0,
        "no differences between custom.txt and custom.txt");
    row("command help", "monitor --help", 0, "Examples:\n");
    row("repaired on loading", "show repair.txt", 0,
        "repair.txt: ch1.subtrim: 101 out of range, repaired to 0 %\n");
    row("characters that are no digits", "show letters.txt", 0,
        "letters.txt: ch1.subtrim: \"ZZ\" is not hexadecimal, repaired to 0 %\n");
    row("write refuses a file that needed repairs", "write repair.txt --port no-port", 1,
        "repair.txt needed 1 repair(s), named above; nothing written");
    row("selected before repaired", "show dualrate.txt", 0, "50 %         dualrate.up\n");
    QTest::newRow("set") << QStringList{"set", "set.txt", "ch1.subtrim=-20 %", "ch8.reverse=normal"}
                         << 0 << "  ch1.subtrim (CH1 sub-trim): -100 % -> -20 %\n";
    row("set, out of range", "set set.txt ch1.subtrim=150", 1,
        "ch1.subtrim=150: ch1.subtrim takes -100 to 100 %");
    row("set, unknown name", "set set.txt ch9.subtrim=1", 1, "no setting named ch9.subtrim");
    row("no such file", "show nothing.txt", 1, "nothing.txt: No such file or directory");
    row("S frame only", "show short.txt", 1,
        "not a parameter file: 81 character(s), where the S, G and H frames take 243");
    row("CR between the frames, from standard input", "show - <cr.txt", 0,
        "-100 %       ch1.subtrim\n");
    row("NUL after the H frame, then a second file", "show nul.txt", 1,
        "nul.txt: a NUL byte at byte 244: not a text file");
    row("no port", "write custom.txt", 1, "--port P is required");
    row("unknown option", "read --bogus", 1, "Unknown option 'bogus'");
    row("unknown command", "fly", 1, "unknown command 'fly'");
    row("no such port", "read --port /dev/null-tx", 2, "cannot open /dev/null-tx");
    row("set -o -: the file alone on standard output", "set set.txt ch1.subtrim=-20 -o -", 0, "");
    row("set refuses a file that needed repairs", "set repair.txt ch2.subtrim=5", 1,
        "repair.txt needed 1 repair(s)");
    row("dry run refuses what the write refuses", "write repair.txt --port no-port --dry-run", 1,
        "repair.txt needed 1 repair(s)");
    row("--duration nan", "monitor --port p --duration nan", 1,
        "--duration wants seconds from 0.01 to 1000000");
    row("--duration inf", "monitor --port p --duration inf", 1,
        "--duration wants seconds from 0.01 to 1000000");
    row("{port} of two ports with one base name", "read --port a/tty --port b/tty -o {port}.txt", 2,
        "a/tty: failed (exit 2): cannot open a/tty");
    row("history entry named in a daylight-saving gap", "history", 0,
        "20260329-023000-000-backup ");
    // Newest first within a millisecond too; each time with its offset.
    row("history of one millisecond", "history", 0,
        "20260330-120000-000+0200-backup-160 backup    2026-03-30 12:00:00.000+02:00 ");
    row("relative XDG_DATA_HOME ignored", "HOME=$PWD/home XDG_DATA_HOME=data2 history", 0,
        "/home/.local/share/txconfig/history\n");
    row("dry run without a usable history",
        "XDG_DATA_HOME=$PWD/set.txt write custom.txt --port no-port --dry-run", 1,
        "a write would keep no backup");
    row("set, unit without a space, whole number with .0",
        "set set.txt alarm_voltage=4.2v ch1.subtrim=-20.0 ch8.reverse=normal", 0,
        "  alarm_voltage (alarm voltage): 3.7 V -> 4.2 V\n");
    row("set, between two steps", "set set.txt alarm_voltage=3.75", 1,
        "alarm_voltage takes steps of 0.1 V");
    row("set, a name twice", "set set.txt ch1.subtrim=1 ch1.subtrim=2", 1,
        "ch1.subtrim is given twice");
    row("set, dual-rate selector given last",
        "set set.txt dualrate.up=50 dualrate.channel=CH2 ch1.subtrim=-20 ch8.reverse=normal", 0,
        "  dualrate.ch2.up (CH2 rate up): 100 % -> 50 %\n");
    row("set FILE with a link option", "set set.txt ch1.subtrim=1 --no-backup", 1,
        "--no-backup applies only with --port");
    row("byte-order mark and CRLF", "show crlf.txt", 0, "-100 %       ch1.subtrim\n");
    row("two files joined", "show joined.txt", 1,
        "243 more character(s) after the H frame, from character 244");
    // Usage errors: all exit 1 before any port is touched.
    row("no command", "", 1, "no command given (see txctl --help)");
    row("too many files", "show a.txt b.txt", 1, "show: usage: txctl show FILE [--json]");
    row("no attempts", "read --port no-port --attempts 0", 1,
        "--attempts wants a number from 1 to 20");
    row("timeout too short", "read --port no-port --timeout 99", 1,
        "--timeout wants a number from 100 to 60000");
    row("pace too long", "write custom.txt --port no-port --pace-ms 10001", 1,
        "--pace-ms wants a number from 0 to 10000");
    row("one port only", "info --port a --port b", 1, "give one --port");
    row("port given twice", "reset --yes --port /dev/null --port /dev/../dev/null", 1,
        "/dev/null is given twice (as /dev/../dev/null)");
    row("set, no value", "set set.txt ch1.subtrim", 1,
        "ch1.subtrim: NAME=VALUE expected, e.g. ch1.subtrim=-20");
    row("set, nothing to set", "set set.txt", 1, "set: usage: ");
    row("set on the transmitter, out of range", "set --port no-port ch1.subtrim=150", 1,
        "ch1.subtrim=150: ch1.subtrim takes -100 to 100 %");
}

void TestTxctl::fileCommands()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, expected);
    QDir::setCurrent(dir.path());
    QVERIFY(putFile("demo.txt", files::parameterFileContent(demoSettings())));
    QVERIFY(putFile("repair.txt", outOfRange()));
    QVERIFY(putFile("short.txt", outOfRange().left(81)));
    QVERIFY(putFile("dualrate.txt", unselectableChannel()));
    QVERIFY(putFile("letters.txt", outOfRange().replace(9, 2, "ZZ")));
    QVERIFY(putFile("set.txt", files::parameterFileContent(custom())));
    QVERIFY(putFile("crlf.txt", "\xEF\xBB\xBF" + files::parameterFileContent(custom()) + "\r\n"));
    QVERIFY(putFile("joined.txt", files::parameterFileContent(custom()).repeated(2)));
    const QByteArray frames = files::parameterFileContent(custom());
    QVERIFY(
        putFile("cr.txt", frames.left(81) + '\r' + frames.mid(81, 81) + '\r' + frames.mid(162)));
    QVERIFY(putFile("nul.txt", frames + '\0' + frames));
    QVERIFY(QDir().mkpath(files::history::directory()));
    for (const char *name : {"20260329-023000-000-backup", "20260330-120000-000+0200-backup-99",
                             "20260330-120000-000+0200-backup-160"})
        QVERIFY(putFile(files::history::directory() + "/" + name + ".txt",
                        files::parameterFileContent(custom())));

    // Leading NAME=VALUE arguments go to the environment; a last "<FILE" is
    // standard input.
    QStringList argv = args;
    auto *p = new QProcess(this);
    if (argv.value(argv.size() - 1).startsWith('<')) // some rows have no argument
        p->setStandardInputFile(argv.takeLast().mid(1));
    p->start("bash", QStringList{"-c",
                                 "while [[ $1 == *=* ]]; do eval \"export $1\"; shift; done; "
                                 "exec \"$0\" \"$@\"",
                                 TXCTL_PATH} +
                         argv);
    const Run r = finish(p);
    if (args == QStringList{"history"})
        QVERIFY(r.out.indexOf("-backup-160 ") < r.out.indexOf("-backup-99 "));
    QCOMPARE(r.exit, exit);
    QVERIFY2(QString::fromUtf8(exit == 0 ? r.out + r.err : r.out).contains(expected) ||
                 oneLine(r, expected),
             (r.out + r.err).constData());

    if (args.value(0) == "set" && args.contains("-")) { // the file alone, and set.txt as it was
        QCOMPARE(r.out.size(), files::fileLength);
        QCOMPARE(fileBytes("set.txt"), files::parameterFileContent(custom()));
        return;
    }
    if (args.value(0) == "ports") { // the listing tells what the JSON tells, port by port
        const QJsonArray ports = QJsonDocument::fromJson(r.out).object().value("ports").toArray();
        const QString listing = QString::fromUtf8(txctl({"ports"}).out);
        if (ports.isEmpty())
            QCOMPARE(listing, QString("no serial ports found\n"));
        for (const QJsonValue &v : ports) {
            const QJsonObject port = v.toObject();
            const QString advice = port.value("advice").toString();
            QCOMPARE(port.value("may_open").toBool(), advice.isEmpty());
            QVERIFY2(listing.contains(port.value("path").toString() + "\n"), qPrintable(listing));
            QVERIFY(listing.contains("  may open:     " +
                                     (advice.isEmpty() ? QString("yes") : "no: " + advice)));
        }
    }
    if (args.value(0) == "set") { // the file holds the new values, or stays as it was
        TxParamsRecord p;
        files::parseParameterText(QString::fromLatin1(fileBytes("set.txt")), p);
        QCOMPARE(p.subTrim[0], exit == 0 ? -20 : custom().subTrim[0]);
        QCOMPARE(p.rev[7], exit == 0 ? 0 : 1);
    }
    if (args.value(0) == "show" && args.value(1) != "-" && exit == 0) { // the same for scripts
        const QJsonArray settings = QJsonDocument::fromJson(txctl(args << "--json").out)
                                        .object()
                                        .value("settings")
                                        .toArray();
        // What the file carries, values in their units; the firmware version is no part of it.
        const auto named = [&](const QString &name) {
            for (const QJsonValue &v : settings)
                if (v.toObject().value("name") == name)
                    return v.toObject();
            return QJsonObject();
        };
        QCOMPARE(settings.at(8).toObject().value("name").toString(), QString("ch1.subtrim"));
        QCOMPARE(named("alarm_voltage").value("value").toDouble(), custom().alarmVoltRaw / 10.0);
        QVERIFY(named("firmware_version").isEmpty());
        QCOMPARE(named("ch1.subtrim").value("repaired").toBool(),
                 args[1] == "repair.txt" || args[1] == "letters.txt");
        QVERIFY(!r.out.contains("firmware version"));
    }
}

QTEST_GUILESS_MAIN(TestTxctl)
#include "tst_txctl.moc"
