// read, write, reset and restore: the commands that move settings.
#include "carriedfields.h"
#include "cli.h"
#include "commands.h"
#include "history.h"
#include "manyports.h"
#include "outputtarget.h"
#include "parameterfile.h"
#include "settingstext.h"
#include "transfer.h"
#include "validation.h"

#include <QTextStream>

#include <cstdio>

namespace cli
{
namespace
{

// --no-backup and --no-verify, for a transmitter that cannot answer.
struct WriteOptions {
    QCommandLineOption noBackup{"no-backup", "Do not read and keep the settings before writing."};
    QCommandLineOption noVerify{"no-verify", "Do not read the settings back after writing."};

    explicit WriteOptions(QCommandLineParser &parser) { parser.addOptions({noBackup, noVerify}); }
    WriteChoice choice(const QCommandLineParser &parser) const
    {
        return {!parser.isSet(noBackup), !parser.isSet(noVerify)};
    }
};

bool confirmed(const QString &question)
{
    std::fprintf(stderr, "%s [y/N] ", question.toUtf8().constData());
    std::fflush(stderr);
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

int runRead(const QStringList &args)
{
    Command cmd(QStringLiteral("read"), QStringLiteral("read --port P... [-o FILE]"),
                QStringLiteral(
                    "Connects, asks for the settings and collects the aux frame and all 18 "
                    "settings frames,\nacknowledging each, then disconnects. Writes the parameter "
                    "file the window saves and loads,\nto FILE or standard output; names every "
                    "value that had to be repaired. A reply with\nmissing frames is asked for "
                    "again; if frames are still missing nothing is written.\nSeveral --port read "
                    "several transmitters at once, into files named with {port}."),
                QStringLiteral("  txctl read --port /dev/ttyUSB0 -o model.txt\n"
                               "  txctl read --port /dev/ttyUSB0 | txctl show /dev/stdin\n"
                               "  txctl read --port /dev/ttyUSB0 --port /dev/ttyUSB1 -o "
                               "'model-{port}.txt'\n"));
    LinkOptions link(cmd.parser);
    link.severalPorts = true;
    const QCommandLineOption output(
        {"o", "output"}, "Parameter file to write ({port}: the port's name).", "FILE", "-");
    cmd.parser.addOption(output);
    if (const Step parsed = cmd.parse(args, 0, 0, link); parsed.exits())
        return parsed.status();
    const QString pattern = cmd.parser.value(output);
    QString error;
    if (!checkPerPortPattern(QStringLiteral("-o"), pattern, link, &error))
        return fail(UsageOrFile, error);
    for (const QString &port : link.portNames) {
        if (!OutputTarget(perPortPath(pattern, port, link.portNames)).check(&error))
            return fail(UsageOrFile, error);
    }
    return forEachPort(link, [&pattern, &link](const LinkOptions &one) {
        ReadResult result;
        if (const Step read = readTransmitter(one, &result); read.exits())
            return read.status();
        QString error;
        if (!OutputTarget(perPortPath(pattern, one.portName, link.portNames))
                 .write(files::parameterFileContent(result.settings), &error))
            return fail(UsageOrFile, error);
        return int(Success);
    });
}

int runWrite(const QStringList &args)
{
    Command cmd(
        QStringLiteral("write"), QStringLiteral("write --port P... FILE"),
        QStringLiteral(
            "Writes a parameter file to the transmitter exactly as the window does: the "
            "S, G and H frames,\neach followed by 800 ms, then \"WWW\". Before that a "
            "complete read is kept in the history as a\nbackup; after it a second read is "
            "compared, setting by setting, with what was written.\nMismatches are listed "
            "and the exit status is 3. A file with values out of range or characters that are "
            "no\ndigits is refused unless --repair is given (with --dry-run too). FILE - reads "
            "standard input.\nSeveral --port write several "
            "transmitters at once,\n"
            "each with its own backup and check; one summary line per port, the worst "
            "exit status."),
        QStringLiteral("  txctl write --port /dev/ttyUSB0 model.txt\n"
                       "  txctl write --port /dev/ttyUSB0 model.txt --dry-run   # what "
                       "would change\n"
                       "  txctl write --port /dev/ttyUSB0 --no-verify --no-backup "
                       "model.txt   # a transmitter that cannot answer\n"
                       "  txctl write model.txt --port /dev/ttyUSB0 --port /dev/ttyUSB1 "
                       "--port /dev/ttyUSB2\n"));
    LinkOptions link(cmd.parser, true);
    WriteOptions writeOptions(cmd.parser);
    const QCommandLineOption dryRun(
        "dry-run", "Only read the transmitter and list what the write would change.");
    const QCommandLineOption repairOption(
        "repair", "Write a file that needed repairs, with the repaired values.");
    cmd.parser.addOptions({dryRun, repairOption});
    cmd.parser.addPositionalArgument("FILE", "Parameter file to write.");
    link.severalPorts = true;
    TxParamsRecord settings;
    QVector<Repair> repairs;
    Step step = cmd.parse(args, 1, 1, link);
    const QString path = cmd.parser.positionalArguments().value(0);
    if (!step.exits())
        step = loadSettingsFileOrFail(path, &settings, &repairs);
    if (step.exits())
        return step.status();
    // A dry run fails wherever the write would.
    if (const Step refused = refuseRepairs(path, repairs, cmd.parser.isSet(repairOption));
        refused.exits())
        return refused.status();
    const bool dry = cmd.parser.isSet(dryRun);
    const WriteChoice choice = writeOptions.choice(cmd.parser);
    // The write would stop at its backup: so does the dry run, before any port.
    if (QString error; dry && choice.backup && !files::history::usable(&error))
        return fail(UsageOrFile, QStringLiteral("a write would keep no backup (%1); nothing "
                                                "written without one (--no-backup writes "
                                                "without one)")
                                     .arg(error));
    return forEachPort(link, [&](const LinkOptions &one) {
        if (!dry)
            return writeVerified(one, choice, settings, path);
        ReadResult result;
        if (const Step read = readTransmitter(one, &result); read.exits())
            return read.status();
        // What a read can confirm; the rest goes out unseen either way.
        print(
            changesText(params::changedFields(result.settings, settings, protocol::carriedBothWays),
                        one.portName, path));
        print(QStringLiteral("dry run: nothing written\n"));
        return int(Success);
    });
}

int runReset(const QStringList &args)
{
    Command cmd(QStringLiteral("reset"), QStringLiteral("reset --port P... [--yes]"),
                QStringLiteral("Writes the factory settings as the window's reset does, with the "
                               "backup and the verifying read\nof write. Asks first on a terminal; "
                               "scripts pass --yes."),
                QStringLiteral("  txctl reset --port /dev/ttyUSB0\n"
                               "  txctl reset --port /dev/ttyUSB0 --yes\n"));
    LinkOptions link(cmd.parser, true);
    WriteOptions writeOptions(cmd.parser);
    const QCommandLineOption yes("yes", "Do not ask for confirmation.");
    cmd.parser.addOption(yes);
    link.severalPorts = true;
    if (const Step parsed = cmd.parse(args, 0, 0, link); parsed.exits())
        return parsed.status();
    if (!cmd.parser.isSet(yes)) {
        if (!stdinIsTerminal())
            return fail(UsageOrFile, QStringLiteral("reset asks for confirmation; pass --yes when "
                                                    "standard input is not a terminal"));
        if (!confirmed(QStringLiteral("Restore the factory settings on %1?")
                           .arg(link.portNames.join(QStringLiteral(", ")))))
            return fail(UsageOrFile, QStringLiteral("reset cancelled"));
    }
    TxParamsRecord factory;
    params::restoreFactoryGroup1(factory);
    params::restoreFactoryGroup2(factory);
    const WriteChoice choice = writeOptions.choice(cmd.parser);
    return forEachPort(link, [&](const LinkOptions &one) {
        return writeVerified(one, choice, factory, QStringLiteral("factory settings"));
    });
}

int runRestore(const QStringList &args)
{
    Command cmd(QStringLiteral("restore"), QStringLiteral("restore ID --port P..."),
                QStringLiteral("Writes a history entry back to the transmitter, like write: "
                               "backup first, verified after.\nID is an id from txctl history "
                               "or its unique beginning. An entry holding values out of\nrange "
                               "(a backup of a transmitter that held them) is refused unless "
                               "--repair is given."),
                QStringLiteral("  txctl history\n"
                               "  txctl restore 20261207-231502-118+0100-backup --port "
                               "/dev/ttyUSB0\n"));
    LinkOptions link(cmd.parser, true);
    WriteOptions writeOptions(cmd.parser);
    const QCommandLineOption repairOption(
        "repair", "Write an entry that needed repairs, with the repaired values.");
    cmd.parser.addOption(repairOption);
    cmd.parser.addPositionalArgument("ID", "History entry to write back.");
    link.severalPorts = true;
    if (const Step parsed = cmd.parse(args, 1, 1, link); parsed.exits())
        return parsed.status();
    QString error;
    files::history::Entry entry;
    if (!files::history::find(cmd.parser.positionalArguments().first(), &entry, &error))
        return fail(UsageOrFile, error);
    TxParamsRecord settings;
    QVector<Repair> repairs;
    Step step = loadSettingsFileOrFail(entry.path, &settings, &repairs);
    if (!step.exits())
        step = refuseRepairs(entry.id, repairs, cmd.parser.isSet(repairOption));
    if (step.exits())
        return step.status();
    const WriteChoice choice = writeOptions.choice(cmd.parser);
    return forEachPort(link, [&](const LinkOptions &one) {
        return writeVerified(one, choice, settings, entry.id);
    });
}

} // namespace cli
