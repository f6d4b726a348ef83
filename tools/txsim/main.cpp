#include "pseudoterminal.h"
#include "signalwatcher.h"
#include "simdevice.h"
#include "simulator.h"
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("txsim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Virtual eight-channel transmitter on a pseudo-terminal, for trying the configuration "
        "tool without hardware.");
    parser.addHelpOption();
    const QCommandLineOption linkOption("link", "Path of the link to the terminal.", "path",
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
    parser.addOptions({linkOption, hzOption, gapOption, stateOption});
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

    TxParamsRecord settings = demoSettings();
    QString error;
    if (!options.statePath.isEmpty()) {
        if (QFileInfo::exists(options.statePath)) {
            if (!statefile::load(options.statePath, settings, &error))
                return fail(QStringLiteral("%1: %2").arg(options.statePath, error));
        } else if (!statefile::save(options.statePath, settings, &error)) {
            return fail(QStringLiteral("cannot create %1: %2").arg(options.statePath, error));
        }
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
