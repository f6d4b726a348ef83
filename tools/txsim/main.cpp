#include "fieldcatalogue.h"
#include "pseudoterminal.h"
#include "signalwatcher.h"
#include "simdevice.h"
#include "simulator.h"
#include "standardstreams.h"
#include "statefile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace
{

int fail(const QString &message)
{
    std::fprintf(stderr, "txsim: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// "burst:GAP_MS" or "stop-and-wait".
bool parseReplyPacing(const QString &text, Simulator::Options &options)
{
    if (text == QLatin1String("stop-and-wait")) {
        options.stopAndWait = true;
        return true;
    }
    const QString prefix = QStringLiteral("burst:");
    bool ok = false;
    options.replyGapMs = text.startsWith(prefix) ? text.mid(prefix.size()).toInt(&ok) : -1;
    return ok && options.replyGapMs >= 0 && options.replyGapMs <= 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!files::openMissingStandardStreams())
        return 1;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("txsim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Virtual eight-channel transmitter on a pseudo-terminal, for trying the configuration "
        "tool without hardware.");
    parser.addHelpOption();
    const QCommandLineOption linkOption(
        "link", "Path of the link to the terminal; each running txsim needs its own.", "path",
        "/tmp/txsim0");
    const QCommandLineOption hzOption(
        "servo-hz", "Servo frames per second while streaming (1..500).", "n", "50");
    const QCommandLineOption gapOption(
        "write-gap-ms",
        "Least time between two writes to the tool (1..10); below 10 only for load tests.", "ms",
        "10");
    const QCommandLineOption stateOption(
        "state",
        "Parameter file holding the settings: read at start (created when missing) and rewritten "
        "after every complete write from the tool.",
        "file");
    // Faults, for trying a reader that must cope with a poor line or a
    // transmitter that does not do what it is told.
    const QCommandLineOption splitOption(
        "split-deliveries",
        "Line fault: write every frame in two pieces, 2 ms apart, cut at a random point inside "
        "the frame, so the reader gets it in two deliveries.");
    const QCommandLineOption mergeOption(
        "merge-frames", "Line fault: write two consecutive frames in one write (a lone frame "
                        "waits up to 100 ms for the next one).");
    const QCommandLineOption garbageOption(
        "garbage", "Line fault: write 1 to 4 random bytes right before every frame, in the same "
                   "write.");
    const QCommandLineOption seedOption(
        "seed",
        "Seed of the random split points, garbage bytes and adapter stalls, so runs repeat "
        "(default 1).",
        "n", "1");
    const QCommandLineOption dropOption(
        "drop-frame",
        "Device fault: never send settings frame N (1..18, counted in the order they follow the "
        "aux frame in the reply to a read), on every read.",
        "N");
    const QCommandLineOption dropOnceOption(
        "drop-frame-once", "Device fault: as --drop-frame, on the first read only.", "N");
    const QCommandLineOption ignoreWritesOption(
        "ignore-writes",
        "Device fault: take S, G and H frames from the wire but store nothing, so a check after "
        "a write finds the old settings.");
    const QCommandLineOption holdOption(
        "hold",
        "Device fault: hold NAME at VALUE, unchecked, as other firmware may (e.g. "
        "ch1.travel_left=250, which no settings file can carry); repeatable.",
        "NAME=VALUE");
    const QCommandLineOption silentOption(
        "silent", "Device fault: never answer a read request (the stream goes on).");
    const QCommandLineOption replyDelayOption(
        "reply-delay",
        "Device fault: pause MS (0..10000) after a read request before the first frame of the "
        "reply, as a busy transmitter may.",
        "MS", "0");
    const QCommandLineOption sentLogOption(
        "sent-log",
        "Write every frame sent to file, one line of hexadecimal per frame, as it "
        "leaves (pieces of a split frame are one line, garbage is left out).",
        "file");
    // How the bytes reach the tool, for trying a reader against the timing of
    // real transmitters and adapters rather than a line that keeps every frame whole.
    const QCommandLineOption adapterOption(
        "adapter",
        "USB serial adapter between transmitter and tool: cdc (the transmitter is a USB device: "
        "each write is one delivery, the default), ftdi[:LATENCY_MS] (62-byte packets, sent "
        "when full or when the latency timer, 16 ms unless given, runs out) or ch340 (up to 32 "
        "bytes, sent after 1 ms of idle line or when 32 are waiting). Bytes cross a 115200 baud "
        "line into ftdi and ch340.",
        "kind", "cdc");
    const QCommandLineOption stallOption(
        "adapter-stall",
        "Adapter fault: now and then (about one write in 20, chosen by --seed) hold the packet "
        "that carries a byte of the write back MS (1..1000), and what follows it too, as a busy "
        "USB host can.",
        "MS");
    const QCommandLineOption replyOption(
        "reply",
        "Pace of the 19 frames of a read reply: burst:GAP_MS (one every GAP_MS, 0..1000; "
        "burst:25 is the default) or stop-and-wait (each after the tool's next \"WWW\", or "
        "after 100 ms without one).",
        "pacing", "burst:25");
    const QCommandLineOption streamDuringReplyOption(
        "stream-during-reply",
        "Keep the servo and status stream running while a read reply goes out (by default it "
        "pauses).");
    parser.addOptions({linkOption, hzOption, gapOption, stateOption, splitOption, mergeOption,
                       garbageOption, seedOption, dropOption, dropOnceOption, ignoreWritesOption,
                       silentOption, replyDelayOption, sentLogOption, adapterOption, stallOption,
                       replyOption, streamDuringReplyOption, holdOption});
    parser.process(app);

    Simulator::Options options;
    bool hzOk = false;
    options.servoHz = parser.value(hzOption).toInt(&hzOk);
    if (!hzOk || options.servoHz < 1 || options.servoHz > 500)
        return fail(QStringLiteral("--servo-hz wants a number from 1 to 500"));
    bool gapOk = false;
    options.writeGapMs = parser.value(gapOption).toInt(&gapOk);
    if (!gapOk || options.writeGapMs < 1 || options.writeGapMs > 10)
        return fail(QStringLiteral("--write-gap-ms wants a number from 1 to 10"));
    options.statePath = parser.value(stateOption);
    options.sentLogPath = parser.value(sentLogOption);
    options.lineFaults.splitDeliveries = parser.isSet(splitOption);
    options.lineFaults.mergeFrames = parser.isSet(mergeOption);
    options.lineFaults.garbage = parser.isSet(garbageOption);
    bool seedOk = false;
    options.lineFaults.seed = parser.value(seedOption).toUInt(&seedOk);
    if (!seedOk)
        return fail(QStringLiteral("--seed wants a number from 0 to 4294967295"));
    if (parser.isSet(dropOption) && parser.isSet(dropOnceOption))
        return fail(QStringLiteral("--drop-frame and --drop-frame-once do not go together"));
    const QCommandLineOption &drop = parser.isSet(dropOnceOption) ? dropOnceOption : dropOption;
    if (parser.isSet(drop)) {
        bool dropOk = false;
        options.deviceFaults.dropFrame = parser.value(drop).toInt(&dropOk);
        if (!dropOk || options.deviceFaults.dropFrame < 1 || options.deviceFaults.dropFrame > 18)
            return fail(QStringLiteral("--%1 wants a number from 1 to 18").arg(drop.names()[0]));
        options.deviceFaults.dropOnce = parser.isSet(dropOnceOption);
    }
    options.deviceFaults.ignoreWrites = parser.isSet(ignoreWritesOption);
    options.deviceFaults.silent = parser.isSet(silentOption);
    bool delayOk = false;
    options.replyDelayMs = parser.value(replyDelayOption).toInt(&delayOk);
    if (!delayOk || options.replyDelayMs < 0 || options.replyDelayMs > 10000)
        return fail(QStringLiteral("--reply-delay wants a number from 0 to 10000"));
    QString error;
    if (!AdapterPackets::parse(parser.value(adapterOption), &options.adapter, &error))
        return fail(QStringLiteral("--adapter: %1").arg(error));
    if (parser.isSet(stallOption)) {
        bool stallOk = false;
        options.adapter.stallMs = parser.value(stallOption).toInt(&stallOk);
        if (!stallOk || options.adapter.stallMs < 1 ||
            options.adapter.stallMs > AdapterPackets::maxStallMs)
            return fail(QStringLiteral("--adapter-stall wants a number from 1 to %1")
                            .arg(AdapterPackets::maxStallMs));
    }
    options.adapter.seed = options.lineFaults.seed;
    if (!parseReplyPacing(parser.value(replyOption), options))
        return fail(QStringLiteral("--reply wants burst:GAP_MS (0..1000) or stop-and-wait"));
    options.streamDuringReply = parser.isSet(streamDuringReplyOption);

    TxParamsRecord settings = demoSettings();
    if (!options.statePath.isEmpty()) {
        if (QFileInfo::exists(options.statePath)) {
            if (!statefile::load(options.statePath, settings, &error))
                return fail(QStringLiteral("%1: %2").arg(options.statePath, error));
        } else if (!statefile::save(options.statePath, settings, &error)) {
            return fail(QStringLiteral("cannot create %1: %2").arg(options.statePath, error));
        }
    }

    for (const QString &hold : parser.values(holdOption)) {
        const params::Field *field = params::findField(hold.section(QLatin1Char('='), 0, 0));
        bool valueOk = false;
        const int value = hold.section(QLatin1Char('='), 1).toInt(&valueOk);
        if (!field || !valueOk || field->isDouble)
            return fail(
                QStringLiteral("--hold wants NAME=VALUE, a whole-number setting: %1").arg(hold));
        field->setNumber(settings, value);
    }

    PseudoTerminal terminal;
    if (!terminal.open(parser.value(linkOption), &error))
        return fail(error);

    SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &SignalWatcher::received, &app, [&](const QString &name) {
        logLine(QStringLiteral("%1: removing %2 and quitting").arg(name, terminal.linkPath()));
        QCoreApplication::quit();
    });

    Simulator simulator(terminal, settings, options);
    std::printf("txsim: listening on %s (%s)\n", terminal.linkPath().toLocal8Bit().constData(),
                terminal.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);
    return app.exec();
}
