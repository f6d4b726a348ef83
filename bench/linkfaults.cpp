#include "decoder.h"
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
//   bench_linkfaults --txsim PATH [--seconds N]
// Prints one Markdown table row per mode.
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
    return whole == 0 ? QStringLiteral("n/a")
                      : QString::number(100.0 * part / whole, 'f', part == whole ? 0 : 1) + " %";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption txsimOption("txsim", "The txsim program.", "path");
    const QCommandLineOption secondsOption("seconds", "Seconds of streaming per mode.", "n", "6");
    parser.addOptions({txsimOption, secondsOption});
    parser.process(app);
    const int seconds = qMax(3, parser.value(secondsOption).toInt());

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
