#include "cli.h"
#include "commands.h"
#include "history.h"
#include "standardstreams.h"

#include <QCoreApplication>

#include <csignal>

namespace
{

struct Entry {
    const char *name;
    int (*run)(const QStringList &);
    const char *summary;
};

const Entry commands[] = {
    {"ports", cli::runPorts, "list serial ports and whether you may open them"},
    {"read", cli::runRead, "read the transmitter's settings into a parameter file"},
    {"write", cli::runWrite, "write a parameter file to the transmitter (backup, verify)"},
    {"reset", cli::runReset, "restore the factory settings (backup, verify)"},
    {"info", cli::runInfo, "show the firmware version, voltages and signal"},
    {"monitor", cli::runMonitor, "show the live channel values, voltages and signal, or log CSV"},
    {"show", cli::runShow, "list every setting of a parameter file, as text or JSON"},
    {"set", cli::runSet, "change settings by name in a file or on the transmitter"},
    {"diff", cli::runDiff,
     "list the settings that differ between two files, or file and transmitter"},
    {"history", cli::runHistory, "list the settings history (backups before writes, results)"},
    {"restore", cli::runRestore, "write a history entry back to the transmitter (verified)"},
};

QString overview()
{
    QString text = QStringLiteral(
        "Usage: txctl COMMAND [options]\n\n"
        "Reads, writes, verifies and monitors an eight-channel RC transmitter on a serial port,\n"
        "without a display. Parameter files are the ones the window saves and loads.\n\n"
        "Commands:\n");
    for (const Entry &e : commands)
        text += QStringLiteral("  %1 %2\n")
                    .arg(QLatin1String(e.name), -9)
                    .arg(QLatin1String(e.summary));
    text += QStringLiteral(
        "\n`txctl COMMAND --help` describes a command, with examples.\n\n"
        "Exit status: 0 success, 1 usage or file error, 2 link error (port, timeout,\n"
        "incomplete read), 3 verification mismatch, 128+N stopped by signal N (130 Ctrl+C).\n"
        "diff exits 1 when the settings differ and 2 on trouble, as diff(1) does.\n\n"
        "Examples:\n"
        "  txctl ports\n"
        "  txctl read --port /dev/ttyUSB0 -o model.txt\n"
        "  txctl write --port /dev/ttyUSB0 model.txt\n");
    return text;
}

// A listing nobody received is no success (a full disk, a closed pipe). For
// diff, whose 1 means "differ", it is trouble whatever the comparison found.
int withOutputChecked(const QString &command, int status)
{
    const bool diff = command == QLatin1String("diff");
    const bool claimsResult = status == cli::Success || (diff && status == 1);
    if (!claimsResult || cli::outputError().isEmpty())
        return status;
    return cli::fail(diff ? 2 : int(cli::UsageOrFile), cli::outputError());
}

} // namespace

int main(int argc, char *argv[])
{
    if (!files::openMissingStandardStreams())
        return cli::UsageOrFile;
    // Past the file size limit a write fails with EFBIG, which is reported,
    // instead of ending the process half-way through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    // A command's backup outlasts whatever other programs record meanwhile.
    files::history::keepOwnEntries();
    QCoreApplication::setApplicationName(QStringLiteral("txctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TXCONFIG_VERSION));

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return cli::fail(cli::UsageOrFile, QStringLiteral("no command given (see txctl --help)"));
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        cli::print(overview());
        return withOutputChecked(name, cli::Success);
    }
    if (name == QLatin1String("--version")) {
        cli::print(QStringLiteral("txctl %1\n").arg(QCoreApplication::applicationVersion()));
        return withOutputChecked(name, cli::Success);
    }
    for (const Entry &e : commands) {
        if (name != QLatin1String(e.name))
            continue;
        return withOutputChecked(name, e.run(args));
    }
    return cli::fail(cli::UsageOrFile,
                     QStringLiteral("unknown command '%1' (see txctl --help)").arg(name));
}
