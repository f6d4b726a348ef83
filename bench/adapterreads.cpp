// Reads against the virtual transmitter behind each kind of USB serial
// adapter, by the window and by txctl:
//
//   bench_adapterreads --txsim PATH --txctl PATH [--reads N] [--burst-gap-ms MS] [--only REGEXP]
//                      [--txsim-fault OPTIONS]
//
// For each adapter (cdc, ftdi:16, ftdi:1, ch340, and the slow ones: ftdi:100,
// ftdi:255, ftdi:16 stalling 60 ms now and then) x reply pacing (burst,
// stop-and-wait) x stream (paused or running during a reply; its servo
// values sweep, so every byte value passes through a servo frame's tail) it
// starts txsim with those options and
//   - builds MainWindow as the program does, offers txsim's link first in the
//     port list and clicks the open button ("OK" starts the live stream);
//     then N times: puts the start values back into the store, clicks Read
//     and waits until the other command buttons are enabled again (the read
//     has ended, re-requests included). The read is complete when every
//     setting the transmitter's frames carry equals txsim's, reported when
//     the window put up a modal box meanwhile (closed here, its text kept),
//     and silently incomplete otherwise: the fault that must never happen;
//   - runs `txctl read` N times against a second txsim with the same options:
//     complete when it exits 0 with a file equal to txsim's state file.
// txsim's settings differ from the start values in every one of the 19
// frames of a reply, so each lost frame shows. The frames the window decodes
// are taken at the decoder's one entry point (a link-time wrapper, see
// bench/CMakeLists.txt) and matched against txsim's --sent-log: the share of
// servo frames sent that the window decoded, and the frames it decoded that
// were never sent ("made up").
//
// Prints one Markdown table row per combination.
#include "carriedfields.h"
#include "decoder.h"
#include "dualrate.h"
#include "fieldcatalogue.h"
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "simdevice.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace
{

bool recording = false;
QList<QByteArray> windowFrames; // every frame the window decoded while recording
QList<bool> decodedInRead;      // whether a read of the user's ran meanwhile
bool reading = false;

} // namespace

// The decoder's entry point, wrapped at link time: the real one runs, and
// what it took as a frame is kept.
#define DECODE_DELIVERY                                                                            \
    _ZN8protocol14decodeDeliveryERK10QByteArrayR14TxParamsRecordR15TelemetryRecord
#define WRAPPED(prefix, name) WRAPPED_(prefix, name)
#define WRAPPED_(prefix, name) prefix##name
extern "C" {
protocol::DecodeResult WRAPPED(__real_, DECODE_DELIVERY)(const QByteArray &, TxParamsRecord &,
                                                         TelemetryRecord &);
protocol::DecodeResult WRAPPED(__wrap_, DECODE_DELIVERY)(const QByteArray &delivery,
                                                         TxParamsRecord &p, TelemetryRecord &t)
{
    const protocol::DecodeResult r = WRAPPED(__real_, DECODE_DELIVERY)(delivery, p, t);
    using protocol::DeliveryKind;
    if (recording && r.kind != DeliveryKind::Empty && r.kind != DeliveryKind::Unrecognised) {
        windowFrames.append(delivery);
        decodedInRead.append(reading);
    }
    return r;
}
}

namespace
{

constexpr int waitMs = 10000;
QList<QProcess *> simulators; // running, stopped by fail() too
// A read asks up to three times, each given 2 s to the first frame and 1 s
// of quiet once frames come; a slow adapter stretches each reply further.
constexpr int readWaitMs = 60000;

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench_adapterreads: %s\n", qPrintable(message));
    for (QProcess *process : simulators)
        process->kill();
    std::_Exit(1); // a modal box may be up: wait for nobody
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Pred> bool waitUntil(Pred done, int ms = waitMs)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        spin(10);
    return done();
}

protocol::DeliveryKind kindOf(const QByteArray &frame)
{
    TxParamsRecord p;
    TelemetryRecord t;
    return protocol::decodeDelivery(frame, p, t).kind;
}

// Start values with one change that each frame of a reply carries (the
// system frame's is the demo transmitter's firmware version, which the file
// does not hold). Every value is one the form can show.
TxParamsRecord stateForFile()
{
    TxParamsRecord p;
    p.aux[0] = 0;
    p.rev[0] = 1;
    p.subTrim[0] = 12;
    p.epaLeft[0] = 100;
    p.epaRight[0] = 110;
    p.failSafe[0] = 60;
    p.atti[0] = 20;
    p.elev[0] = 90;
    p.vtail[0] = 40;
    p.delay[0] = 77;
    p.drUpCh[0] = 90;
    p.prm[0].data[0] = 10;
    p.prm[0].slave = 2;
    p.prm[2].data[0] = 10;
    p.prm[3].data[0] = 10;
    p.thCurve[2] = 40;
    p.extraSigned = -90;
    p.drExpUpCh[0] = 20;
    params::selectDualRate(p); // the file holds the selected rates too, as a reader writes them
    return p;
}

bool carried(const params::Field &f) { return protocol::carriedFromTransmitter(f); }

// Whether each of the 19 frames of a reply from `sim` changes a carried
// setting of the start values; a lost frame would go unseen otherwise.
bool everyFrameShows(const TxParamsRecord &sim)
{
    QVector<QByteArray> frames{protocol::encodeAuxFrame(sim)};
    frames += protocol::encodeSettingsFrames(sim);
    for (const QByteArray &frame : frames) {
        TxParamsRecord p;
        TelemetryRecord t;
        protocol::decodeDelivery(frame, p, t);
        if (params::changedFields(p, TxParamsRecord{}, carried).isEmpty())
            return false;
    }
    return true;
}

struct Row {
    QString adapter;
    int stallMs;
    bool stopAndWait;
    bool streamDuringReply;
};

struct Sim {
    QTemporaryDir dir;
    QProcess process;
    QByteArray log;
    QString link = dir.filePath("tx");
    QString state = dir.filePath("state.txt");
    QString sentLog = dir.filePath("sent");

    void start(const QString &txsim, const QByteArray &stateContent, const QStringList &options)
    {
        QFile file(state);
        if (!file.open(QIODevice::WriteOnly) || file.write(stateContent) != stateContent.size())
            fail("cannot write " + state);
        file.close();
        process.start(txsim, QStringList{"--link", link, "--state", state, "--sent-log", sentLog} +
                                 options);
        simulators.append(&process);
        if (!waitUntil([&] { return QFileInfo::exists(link); }))
            fail("txsim did not start: " + process.readAllStandardError());
    }
    int repliesSent()
    {
        log += process.readAllStandardOutput();
        return log.count("RR: reply sent");
    }
    QList<QByteArray> sent() const
    {
        QFile file(sentLog);
        QList<QByteArray> frames;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray &line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    frames.append(QByteArray::fromHex(line));
        return frames;
    }
    ~Sim()
    {
        simulators.removeOne(&process);
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished();
    }
};

struct WindowResult {
    int complete = 0;
    int reported = 0;   // a box said what went wrong
    int silent = 0;     // incomplete, and nothing said
    int askedAgain = 0; // reads that sent more than one request
    int servoSent = 0;
    int servoDecoded = 0;
    int madeUp = 0;
};

WindowResult windowReads(const QString &txsim, const QByteArray &stateContent,
                         const TxParamsRecord &simSettings, const QStringList &options, int reads)
{
    Sim sim;
    sim.start(txsim, stateContent, options);
    portlist::setPreferredPorts({sim.link});
    WindowResult result;
    {
        MainWindow window;
        window.show();
        auto *openButton = window.findChild<QAbstractButton *>("openButton");
        auto *readButton = window.findChild<QAbstractButton *>("toolButton_Read");
        // Held by the read's transfer gate until the read ends.
        auto *sendButton = window.findChild<QAbstractButton *>("toolButton_Send");
        if (!openButton || !readButton || !sendButton)
            fail("no open, read or write button");
        const QString closedCaption = openButton->text();
        // Armed first: a failed open does not return before its box is closed.
        QTimer openWatch;
        openWatch.setSingleShot(true);
        QObject::connect(&openWatch, &QTimer::timeout, [&] {
            if (openButton->text() == closedCaption) {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                fail("the window could not open " + sim.link + (box ? ": " + box->text() : ""));
            }
        });
        openWatch.start(3000);
        windowFrames.clear();
        decodedInRead.clear();
        recording = true;
        openButton->click();
        if (!waitUntil([&] { return openButton->text() != closedCaption; }, 3000))
            fail("the window could not open " + sim.link);
        openWatch.stop(); // a row may be over (the port closed again) in less
        spin(300);
        const QString row = options.join(' ');
        // The window's boxes are modal: whatever comes up is noted and closed.
        QString boxText;
        bool boxed = false;
        QTimer boxCloser;
        boxCloser.setInterval(20);
        QObject::connect(&boxCloser, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            auto *box = qobject_cast<QMessageBox *>(modal);
            boxText = box ? box->text() : modal->windowTitle();
            boxed = true;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->done(0);
            else
                modal->close();
        });
        boxCloser.start();
        for (int i = 0; i < reads; ++i) {
            TxParams = TxParamsRecord{};
            spin(250); // display refreshes put the start values into the editors
            if (!waitUntil([&] { return readButton->isEnabled() && sendButton->isEnabled(); }))
                fail(row + ": the commands stay disabled before a read");
            boxed = false;
            boxText.clear();
            const int before = sim.repliesSent();
            reading = true;
            readButton->click(); // returns after the 200 ms lock-out, the read running
            if (!waitUntil([&] { return sendButton->isEnabled(); }, readWaitMs))
                fail(QStringLiteral("%1: read %2 still runs after %3 s")
                         .arg(row)
                         .arg(i + 1)
                         .arg(readWaitMs / 1000));
            reading = false;
            spin(300); // the box of a failed read comes up right after its end
            const int replies = sim.repliesSent() - before;
            if (replies == 0)
                std::fprintf(stderr, "%s: read %d: no reply\n", qPrintable(row), i + 1);
            result.askedAgain += replies > 1;
            QStringList differ;
            for (const params::FieldChange &c :
                 params::changedFields(TxParams, simSettings, carried))
                differ << c.field->name;
            if (boxed) {
                ++result.reported;
                std::fprintf(stderr, "%s: read %d reported%s: %s\n", qPrintable(row), i + 1,
                             differ.isEmpty() ? " though complete" : "",
                             qPrintable(boxText.simplified()));
            } else if (differ.isEmpty()) {
                ++result.complete;
            } else {
                ++result.silent;
                std::fprintf(stderr, "%s: read %d silently incomplete: %s\n", qPrintable(row),
                             i + 1, qPrintable(differ.join(' ')));
            }
        }
        boxCloser.stop();
        openButton->click(); // "DIS": the stream stops
        spin(300);
        recording = false;
    }
    sim.repliesSent(); // takes in the rest of txsim's log
    for (const QByteArray &line : sim.log.split('\n'))
        if (line.contains("held back"))
            std::fprintf(stderr, "%s: %s\n", qPrintable(options.join(' ')), line.constData());
    const QList<QByteArray> sent = sim.sent();
    const QSet<QByteArray> sentSet(sent.begin(), sent.end());
    QList<QByteArray> sentServo, decodedServo;
    for (const QByteArray &f : sent)
        if (kindOf(f) == protocol::DeliveryKind::Servo)
            sentServo.append(f);
    const QByteArray *previous = nullptr;
    for (int i = 0; i < windowFrames.size(); ++i) {
        const QByteArray &f = windowFrames[i];
        // The session decodes a frame to sort it, and the window again to
        // show or store it: one frame, one count.
        const bool again = previous && *previous == f;
        previous = &f;
        if (!sentSet.contains(f) && !again) {
            ++result.madeUp;
            std::fprintf(stderr, "%s: made up %s a read: %s\n", qPrintable(options.join(' ')),
                         decodedInRead[i] ? "during" : "outside", f.toHex(' ').constData());
        }
        if (kindOf(f) == protocol::DeliveryKind::Servo)
            decodedServo.append(f);
    }
    // In order: a servo frame decoded twice counts once.
    int cursor = 0;
    for (const QByteArray &f : decodedServo) {
        const int at = sentServo.indexOf(f, cursor);
        if (at >= 0) {
            cursor = at + 1;
            ++result.servoDecoded;
        }
    }
    result.servoSent = sentServo.size();
    return result;
}

int txctlReads(const QString &txsim, const QString &txctl, const QByteArray &stateContent,
               const QStringList &options, int reads)
{
    Sim sim;
    sim.start(txsim, stateContent, options);
    int complete = 0;
    const QString out = sim.dir.filePath("read.txt");
    for (int i = 0; i < reads; ++i) {
        QFile::remove(out);
        QProcess read;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", sim.dir.filePath("data")); // no history in the user's
        read.setProcessEnvironment(env);
        read.start(txctl, {"read", "--port", sim.link, "-o", out});
        if (!read.waitForFinished(60000))
            fail("txctl read did not finish");
        QFile file(out);
        complete += read.exitStatus() == QProcess::NormalExit && read.exitCode() == 0 &&
                    file.open(QIODevice::ReadOnly) && file.readAll() == stateContent;
    }
    return complete;
}

QString percent(int part, int whole)
{
    if (whole == 0)
        return QStringLiteral("n/a");
    // Two decimals, so that 1,797 of 1,800 does not round up to a goal of 99.9 %.
    const int decimals = part == whole || part == 0 ? 0 : 2;
    return QString::number(100.0 * part / whole, 'f', decimals) + " %";
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window logs every settings frame it decodes; the table is the output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QCommandLineParser parser;
    const QCommandLineOption txsimOption("txsim", "The txsim program.", "path");
    const QCommandLineOption txctlOption("txctl", "The txctl program.", "path");
    const QCommandLineOption readsOption("reads", "Reads per row, by each reader.", "n", "30");
    const QCommandLineOption gapOption("burst-gap-ms", "Gap between the frames of a burst reply.",
                                       "ms", "5");
    const QCommandLineOption onlyOption(
        "only", "Only the rows whose txsim options match the regular expression.", "regexp");
    // A device fault on top (say "--drop-frame 7") shows that the window's
    // reports are counted as such.
    const QCommandLineOption faultOption(
        "txsim-fault", "More txsim options for every row, split at spaces.", "options");
    parser.addOptions({txsimOption, txctlOption, readsOption, gapOption, onlyOption, faultOption});
    parser.process(app);
    const int reads = parser.value(readsOption).toInt();
    const int gap = parser.value(gapOption).toInt();
    if (reads < 1 || gap < 0 || !parser.isSet(txsimOption) || !parser.isSet(txctlOption))
        fail("usage: bench_adapterreads --txsim PATH --txctl PATH [--reads N] [--burst-gap-ms MS] "
             "[--only REGEXP]");
    const QRegularExpression only(parser.value(onlyOption));
    if (!only.isValid())
        fail("--only: " + only.errorString());

    const QByteArray stateContent = files::parameterFileContent(stateForFile());
    TxParamsRecord simSettings = demoSettings(); // what txsim holds once it loaded the file
    files::parseParameterText(QString::fromLatin1(stateContent), simSettings);
    if (!everyFrameShows(simSettings))
        fail("a frame of the reply would not show");

    // Adapters as they come, then ones that pause longer inside a reply: a
    // latency timer raised by the user, a host that stalls now and then.
    const QList<QPair<QString, int>> adapters{{"cdc", 0},     {"ftdi:16", 0},  {"ftdi:1", 0},
                                              {"ch340", 0},   {"ftdi:100", 0}, {"ftdi:255", 0},
                                              {"ftdi:16", 60}};
    QList<Row> rows;
    for (const auto &adapter : adapters)
        for (bool stopAndWait : {false, true})
            for (bool running : {false, true})
                rows.append({adapter.first, adapter.second, stopAndWait, running});
    for (const Row &row : rows) {
        const QString reply =
            row.stopAndWait ? QStringLiteral("stop-and-wait") : QStringLiteral("burst:%1").arg(gap);
        QStringList options{"--adapter", row.adapter};
        if (row.stallMs > 0)
            options << "--adapter-stall" << QString::number(row.stallMs);
        options << "--reply" << reply;
        if (row.streamDuringReply)
            options << "--stream-during-reply";
        if (!options.join(' ').contains(only))
            continue;
        if (parser.isSet(faultOption))
            options += parser.value(faultOption).split(' ', Qt::SkipEmptyParts);
        const WindowResult w =
            windowReads(parser.value(txsimOption), stateContent, simSettings, options, reads);
        const int t = txctlReads(parser.value(txsimOption), parser.value(txctlOption), stateContent,
                                 options, reads);
        const QString adapter =
            row.stallMs > 0 ? QStringLiteral("%1, %2 ms stalls").arg(row.adapter).arg(row.stallMs)
                            : row.adapter;
        std::printf("| %s | %s | %s | %d / %d / %d | %d | %d/%d, %s | %d | %d/%d, %s |\n",
                    qPrintable(adapter), qPrintable(reply),
                    row.streamDuringReply ? "running" : "paused", w.complete, w.reported, w.silent,
                    w.askedAgain, w.servoDecoded, w.servoSent,
                    qPrintable(percent(w.servoDecoded, w.servoSent)), w.madeUp, t, reads,
                    qPrintable(percent(t, reads)));
        std::fflush(stdout);
    }
    return 0;
}
