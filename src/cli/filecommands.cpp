// show, diff and history: commands on parameter files.
#include "carriedfields.h"
#include "cli.h"
#include "commands.h"
#include "history.h"
#include "settingstext.h"
#include "transfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli
{
int runShow(const QStringList &args)
{
    Command cmd(QStringLiteral("show"), QStringLiteral("show FILE [--json]"),
                QStringLiteral("Lists every setting of a parameter file, grouped like the "
                               "window's tabs, with names and units.\nValues out of range are "
                               "repaired as the window repairs them on loading, and named."),
                QStringLiteral("  txctl show model.txt\n"
                               "  txctl show model.txt --json | jq '.settings[] | "
                               "select(.name == \"ch1.subtrim\")'\n"));
    cmd.offerJson();
    cmd.parser.addPositionalArgument("FILE", "Parameter file.");
    TxParamsRecord settings;
    QVector<Repair> repairs;
    Step step = cmd.parse(args, 1, 1);
    if (!step.exits())
        step =
            loadSettingsFileOrFail(cmd.parser.positionalArguments().first(), &settings, &repairs);
    if (step.exits())
        return step.status();
    if (cmd.parser.isSet(cmd.json)) {
        printBytes(settingsJson(settings, protocol::carriedToTransmitter, repairs));
    } else {
        print(settingsText(settings, protocol::carriedToTransmitter, repairs));
    }
    return Success;
}

int runDiff(const QStringList &args)
{
    Command cmd(
        QStringLiteral("diff"), QStringLiteral("diff A B | diff A --port P [--json]"),
        QStringLiteral("Lists the settings that differ between two parameter files, or "
                       "between a file and the\ntransmitter's current settings (only settings "
                       "the transmitter reports back are compared).\nExit status as for "
                       "diff(1): 0 no differences, 1 differences, 2 trouble."),
        QStringLiteral("  txctl diff before.txt after.txt\n"
                       "  txctl diff model.txt --port /dev/ttyUSB0\n"
                       "  txctl diff model.txt --port /dev/ttyUSB0 >/dev/null || echo "
                       "\"the transmitter holds other settings\"\n"
                       "  txctl diff a.txt b.txt --json | jq -r '.changes[].name'\n"));
    LinkOptions link(cmd.parser);
    cmd.offerJson();
    cmd.parser.addPositionalArgument("A", "Parameter file.");
    cmd.parser.addPositionalArgument("B", "Second parameter file, unless --port is given.");
    // 1 means "differ" here, as for diff(1): every failure is trouble.
    constexpr int trouble = 2;
    if (const Step parsed = cmd.parse(args, 1, 2); parsed.exits())
        return parsed.status() == Success ? Success : trouble;
    const QStringList files = cmd.parser.positionalArguments();
    const bool withPort = cmd.parser.isSet(link.port);
    if (files.size() != (withPort ? 1 : 2))
        return fail(trouble, QStringLiteral("diff: usage: txctl %1").arg(cmd.syntax));

    TxParamsRecord a, b;
    Step step = loadSettingsFileOrFail(files[0], &a);
    if (!step.exits() && !withPort)
        step = loadSettingsFileOrFail(files[1], &b);
    if (step.exits())
        return trouble;
    QString other = files.value(1);
    QVector<params::FieldChange> changes;
    if (withPort) {
        QString error;
        if (!link.read(cmd.parser, &error))
            return fail(trouble, error);
        ReadResult result;
        // A signal ends diff as every command (128+N), not as trouble.
        if (const Step read = readTransmitter(link, &result); read.exits())
            return read.status() > 128 ? read.status() : trouble;
        changes = params::changedFields(a, result.settings, protocol::carriedBothWays);
        other = link.portName;
    } else {
        changes = protocol::writeChanges(a, b);
    }
    printChanges(changes, files[0], other, cmd.parser.isSet(cmd.json));
    return changes.isEmpty() ? Success : 1;
}

int runHistory(const QStringList &args)
{
    Command cmd(
        QStringLiteral("history"), QStringLiteral("history [--json]"),
        QStringLiteral("Lists the settings history, newest first: a backup before every write or "
                       "reset and the\nresult read back after it (\"verified\", or \"mismatch\"), "
                       "plus what the window read and wrote\nwhen started with --history. Each "
                       "entry is an ordinary parameter file; the newest %1 are kept.")
            .arg(files::history::keptEntries),
        QStringLiteral("  txctl history\n"
                       "  txctl show \"$(txctl history --json | jq -r '.entries[0].path')\"   "
                       "# the newest\n"
                       "  txctl history --json | jq -r '.entries[] | select(.kind == \"backup\") "
                       "| .id'\n"
                       "  txctl restore 20261207-231502-118+0100-backup --port /dev/ttyUSB0\n"));
    cmd.offerJson();
    if (const Step parsed = cmd.parse(args, 0, 0); parsed.exits())
        return parsed.status();
    const QVector<files::history::Entry> entries = files::history::entries();
    if (cmd.parser.isSet(cmd.json)) {
        QJsonArray list;
        for (const files::history::Entry &e : entries)
            list.append(QJsonObject{
                {"id", e.id},
                {"kind", e.kind},
                {"time",
                 e.time.toOffsetFromUtc(e.time.offsetFromUtc()).toString(Qt::ISODateWithMs)},
                {"path", e.path}});
        printBytes(QJsonDocument(
                       QJsonObject{{"directory", files::history::directory()}, {"entries", list}})
                       .toJson());
        return Success;
    }
    if (entries.isEmpty()) {
        print(QStringLiteral("no history yet in %1\n").arg(files::history::directory()));
        return Success;
    }
    int idWidth = 2;
    for (const files::history::Entry &e : entries)
        idWidth = qMax(idWidth, int(e.id.size()));
    QString out = QStringLiteral("%1 %2 %3 %4\n")
                      .arg(QStringLiteral("ID"), -idWidth)
                      .arg(QStringLiteral("KIND"), -9)
                      .arg(QStringLiteral("TIME"), -29)
                      .arg(QStringLiteral("FILE"));
    for (const files::history::Entry &e : entries) {
        // The time as the entry was made, with its offset: a listing read
        // after travelling or a change of season still tells the order.
        const int minutes = e.time.offsetFromUtc() / 60;
        const QString time = e.time.toOffsetFromUtc(e.time.offsetFromUtc())
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) +
                             QString::asprintf("%c%02d:%02d", minutes < 0 ? '-' : '+',
                                               qAbs(minutes) / 60, qAbs(minutes) % 60);
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(e.id, -idWidth)
                   .arg(e.kind, -9)
                   .arg(time, -29)
                   .arg(e.path);
    }
    print(out);
    return Success;
}

} // namespace cli
