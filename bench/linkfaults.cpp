#include "decoder.h"
#include "linkmodel.h"
#include "streamframer.h"
#include "telemetry.h"
#include "txparams.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

// Share of the frames the virtual transmitter sent that come out of the
// stream framer, and out of the window's one-delivery-one-frame decoding,
// under each of txsim's fault modes. For each mode: start txsim with
// --sent-log, open its terminal as a serial port, ask for the live stream,
// read the settings twice while it runs, stop, and match the frames each
// reader got against the frames sent, in order. A frame counts as recovered
// only when it is byte for byte a frame that was sent.
//
//
// With --offline the same line faults are applied without a terminal or a
// scheduler (linkmodel.h), over many more frames and five seeds, and with
// the second piece of a split frame made late as a USB adapter may; further
// rows put junk ending in a marker byte before every frame, and an FTDI-like
// adapter that cuts the stream into 62-byte or latency-timer packets.
//
//   bench_linkfaults --txsim PATH [--seconds N]
//   bench_linkfaults --offline [--trace]
// Each prints one Markdown table row per mode.
namespace
{

struct Mode {
    const char *name;
    QStringList options;
};

const QList<Mode> modes{
    {"none", {}},
    {"`--split-deliveries`", {"--split-deliveries"}},
    {"`--merge-frames`", {"--merge-frames"}},
    {"`--garbage`", {"--garbage"}},
    {"all three line faults", {"--split-deliveries", "--merge-frames", "--garbage"}},
    {"`--drop-frame 5`", {"--drop-frame", "5"}},
    {"`--drop-frame-once 5`", {"--drop-frame-once", "5"}},
    {"`--ignore-writes`", {"--ignore-writes"}},
};

struct Tally {
    int sent = 0;
    int sentRead = 0; // aux and settings frames
    int framer = 0;
    int framerRead = 0;
    int framerFalse = 0;
    qint64 skipped = 0;
    int window = 0;
};

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool isReadFrame(const QByteArray &f) { return f.size() != 20; }

// Frames of `got` found in `sent` in order: each match moves the cursor on.
// Returns the matches; `isFalse` counts those found nowhere after the cursor.
int matchInOrder(const QList<QByteArray> &sent, const QList<QByteArray> &got, int *readMatches,
                 int *isFalse)
{
    int cursor = 0;
    int matches = 0;
    *readMatches = *isFalse = 0;
    for (const QByteArray &f : got) {
        const int at = sent.indexOf(f, cursor);
        if (at < 0) {
            ++*isFalse;
            continue;
        }
        cursor = at + 1;
        ++matches;
        *readMatches += isReadFrame(f);
    }
    return matches;
}

bool runMode(const QString &txsim, const Mode &mode, int seconds, Tally &tally)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("tx");
    const QString sentLog = dir.filePath("sent");
    QProcess sim;
    sim.start(txsim, QStringList{"--link", link, "--sent-log", sentLog} + mode.options);
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(link) && waited.elapsed() < 5000)
        spin(20);

    QSerialPort port(link);
    port.setBaudRate(115200);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "%s: cannot open %s\n", mode.name, qPrintable(link));
        return false;
    }
    StreamFramer framer;
    QList<QByteArray> framerFrames;
    QList<QByteArray> windowFrames;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        const QByteArray bytes = port.readAll();
        TxParamsRecord p;
        TelemetryRecord t;
        if (protocol::decodeDelivery(bytes, p, t).kind != protocol::DeliveryKind::Unrecognised)
            windowFrames.append(bytes);
        framer.push(bytes, clock.elapsed());
        framerFrames += framer.takeFrames();
    });
    QTimer idle;
    idle.setInterval(StreamFramer::defaultGapMs);
    QObject::connect(&idle, &QTimer::timeout, [&] {
        framer.idle(clock.elapsed());
        framerFrames += framer.takeFrames();
    });
    idle.start();

    port.write("OK");
    spin(seconds * 1000 / 3);
    port.write("RR");
    spin(seconds * 1000 / 3);
    port.write("RR");
    spin(seconds * 1000 / 3);
    port.write("DIS");
    spin(500); // the frames already on their way
    framer.idle(clock.elapsed() + StreamFramer::defaultStaleMs);
    framerFrames += framer.takeFrames();
    port.close();
    sim.terminate();
    sim.waitForFinished(5000);

    QFile log(sentLog);
    if (!log.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> sent;
    for (const QByteArray &line : log.readAll().split('\n'))
        if (!line.isEmpty())
            sent.append(QByteArray::fromHex(line));
    tally.sent = sent.size();
    for (const QByteArray &f : sent)
        tally.sentRead += isReadFrame(f);
    tally.framer = matchInOrder(sent, framerFrames, &tally.framerRead, &tally.framerFalse);
    tally.skipped = framer.skippedBytes();
    int windowRead = 0, windowFalse = 0;
    tally.window = matchInOrder(sent, windowFrames, &windowRead, &windowFalse);
    return tally.sent > 0;
}

QString percent(int part, int whole)
{
    // Enough digits that a loss of one in 100 000 does not round to 100 %.
    const int decimals = part == whole || part == 0 ? 0 : 3;
    return whole == 0 ? QStringLiteral("n/a")
                      : QString::number(100.0 * part / whole, 'f', decimals) + " %";
}

struct OfflineMode {
    const char *name;
    bool split, merge, garbage;
    int latePieceMaxMs;
    bool junkEndingInMarker = false;
    int ftdiLatencyMs = 0;
    bool replyBurst = false;
};

const QList<OfflineMode> offlineModes{
    {"split deliveries", true, false, false, 0},
    {"split, second piece up to 16 ms late", true, false, false, 16},
    {"merged frames", false, true, false, 0},
    {"garbage", false, false, true, 0},
    {"all three", true, true, true, 0},
    {"all three, second piece up to 16 ms late", true, true, true, 16},
    {"junk ending in FE", false, false, false, 0, true},
    {"junk ending in FE, split, up to 16 ms late", true, false, false, 16, true},
    {"FTDI-like, 16 ms latency", false, false, false, 0, false, 16},
    {"FTDI-like, 1 ms latency", false, false, false, 0, false, 1},
    {"FTDI-like, 16 ms latency, replies back to back", false, false, false, 0, false, 16, true},
    {"FTDI-like, 1 ms latency, replies back to back", false, false, false, 0, false, 1, true},
    {"FTDI-like, 16 ms latency, junk ending in FE", false, false, false, 0, true, 16},
    {"FTDI-like, 1 ms latency, garbage, replies back to back", false, false, true, 0, false, 1,
     true},
};

// The frames of `r` that were never sent, with the frames sent around them.
void traceMadeUp(const char *mode, quint32 seed, const LineModelResult &r)
{
    int cursor = 0;
    for (const QByteArray &f : r.framed) {
        const int at = r.sent.indexOf(f, cursor);
        if (at >= 0) {
            cursor = at + 1;
            continue;
        }
        std::fprintf(stderr, "%s, seed %u: made up %s after %s, before %s\n", mode, seed,
                     f.toHex(' ').constData(), r.sent.value(cursor - 1).toHex(' ').constData(),
                     r.sent.value(cursor).toHex(' ').constData());
    }
}

void printOffline(bool trace)
{
    constexpr int seeds = 5;
    for (const OfflineMode &mode : offlineModes) {
        int sent = 0, recovered = 0, madeUp = 0;
        qint64 skipped = 0;
        for (quint32 seed = 1; seed <= seeds; ++seed) {
            LineModel model;
            model.faults = {mode.split, mode.merge, mode.garbage, seed};
            model.latePieceMaxMs = mode.latePieceMaxMs;
            model.junkEndingInMarker = mode.junkEndingInMarker;
            model.ftdiLatencyMs = mode.ftdiLatencyMs;
            model.replyBurst = mode.replyBurst;
            const LineModelResult r = runLineModel(model);
            int readFrames = 0, falseFrames = 0;
            recovered += matchInOrder(r.sent, r.framed, &readFrames, &falseFrames);
            sent += r.sent.size();
            madeUp += falseFrames;
            skipped += r.skipped;
            if (trace)
                traceMadeUp(mode.name, seed, r);
        }
        std::printf("| %s | %d | %d, %s | %d | %lld |\n", mode.name, sent, recovered,
                    qPrintable(percent(recovered, sent)), madeUp, static_cast<long long>(skipped));
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption txsimOption("txsim", "The txsim program.", "path");
    const QCommandLineOption secondsOption("seconds", "Seconds of streaming per mode.", "n", "6");
    const QCommandLineOption offlineOption("offline", "The line faults without a terminal.");
    const QCommandLineOption traceOption("trace", "With --offline: each made-up frame on stderr.");
    parser.addOptions({txsimOption, secondsOption, offlineOption, traceOption});
    parser.process(app);
    const int seconds = qMax(3, parser.value(secondsOption).toInt());
    if (parser.isSet(offlineOption)) {
        printOffline(parser.isSet(traceOption));
        return 0;
    }

    bool ok = true;
    for (const Mode &mode : modes) {
        Tally t;
        if (!runMode(parser.value(txsimOption), mode, seconds, t)) {
            std::fprintf(stderr, "%s: no run\n", mode.name);
            ok = false;
            continue;
        }
        std::printf("| %s | %d (%d) | %d, %s | %d, %s | %d | %lld | %d, %s |\n", mode.name, t.sent,
                    t.sentRead, t.framer, qPrintable(percent(t.framer, t.sent)), t.framerRead,
                    qPrintable(percent(t.framerRead, t.sentRead)), t.framerFalse,
                    static_cast<long long>(t.skipped), t.window,
                    qPrintable(percent(t.window, t.sent)));
        std::fflush(stdout);
    }
    return ok ? 0 : 1;
}
