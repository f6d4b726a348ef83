// set: settings changed by name, in a file or on the transmitter.
#include "carriedfields.h"
#include "cli.h"
#include "commands.h"
#include "manyports.h"
#include "outputtarget.h"
#include "parameterfile.h"
#include "settingstext.h"
#include "transfer.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace cli
{
namespace
{

struct Assignment {
    const params::Field *field;
    double value;
};

// The value as Field::parse takes it: the unit may follow without a space and
// in any case ("3.7v"); a whole-number field takes "5.0"; a value between two
// steps (3.75 V where the step is 0.1 V) is refused, never rounded.
bool plainValue(const params::Field &field, QString value, QString *plain, QString *error)
{
    if (!field.unit.isEmpty() && value.endsWith(field.unit, Qt::CaseInsensitive))
        value = value.chopped(field.unit.size()).trimmed();
    bool isNumber = false;
    const double n = value.toDouble(&isNumber);
    if (!isNumber || field.isDouble || !std::isfinite(n)) {
        *plain = value;
        return true;
    }
    const double stored = n * field.divisor;
    if (std::abs(stored - std::round(stored)) > 1e-6) {
        *error = QStringLiteral("%1 takes steps of %2%3")
                     .arg(field.name, QString::number(1.0 / field.divisor),
                          field.unit.isEmpty() ? QString() : QLatin1Char(' ') + field.unit);
        return false;
    }
    *plain = field.divisor == 1 ? QString::number(qint64(std::round(stored))) : value;
    return true;
}

// "ch1.subtrim=-20", "ch1.subtrim=-20 %", "alarm_voltage=3.7 V", "ch8.reverse=reversed":
// names and values as show prints them, checked against the window's ranges.
bool parseAssignment(const QString &assignment, Assignment *out, QString *error)
{
    const int eq = assignment.indexOf(QLatin1Char('='));
    const QString name = assignment.left(eq).trimmed();
    if (eq <= 0) {
        *error = QStringLiteral("%1: NAME=VALUE expected, e.g. ch1.subtrim=-20").arg(assignment);
        return false;
    }
    const params::Field *field = nullptr;
    for (const params::Field &f : params::fieldCatalogue()) {
        if (f.name == name && protocol::carriedToTransmitter(f))
            field = &f;
    }
    if (!field) {
        *error = QStringLiteral("no setting named %1 (txctl show FILE lists the names)").arg(name);
        return false;
    }
    QString value;
    if (!plainValue(*field, assignment.mid(eq + 1).trimmed(), &value, error) ||
        !field->parse(value, &out->value, error)) {
        *error = QStringLiteral("%1: %2").arg(assignment, *error);
        return false;
    }
    out->field = field;
    return true;
}

// Every assignment checked, each name once, the dual-rate selectors first:
// "dualrate.up" changes the channel and position shown, whichever order the
// pairs were given in.
bool parseAll(const QStringList &assignments, QVector<Assignment> *out, QString *error)
{
    QSet<QString> names;
    for (const QString &a : assignments) {
        Assignment parsed{};
        if (!parseAssignment(a, &parsed, error))
            return false;
        if (names.contains(parsed.field->name)) {
            *error = QStringLiteral("%1 is given twice").arg(parsed.field->name);
            return false;
        }
        names.insert(parsed.field->name);
        out->append(parsed);
    }
    const auto selector = [](const Assignment &a) {
        return a.field->name == QLatin1String("dualrate.channel") ||
               a.field->name == QLatin1String("dualrate.position");
    };
    std::stable_partition(out->begin(), out->end(), selector);
    return true;
}

TxParamsRecord applied(TxParamsRecord p, const QVector<Assignment> &assignments)
{
    for (const Assignment &a : assignments)
        a.field->set(p, a.value);
    return p;
}

} // namespace

int runSet(const QStringList &args)
{
    Command cmd(
        QStringLiteral("set"),
        QStringLiteral("set FILE NAME=VALUE... [-o OUT] | set --port P... NAME=VALUE..."),
        QStringLiteral(
            "Changes settings by name, with values as txctl show prints them (the unit may be "
            "left out).\nEach value is checked against the window's range and step; an unknown "
            "name, a name given twice\nor a value out of range changes nothing. With FILE the "
            "file is rewritten (or OUT written;\nFILE - reads standard input and writes standard "
            "output); the list of changes goes to standard\nerror when the file goes to standard "
            "output. With --port the transmitter's settings are read,\nchanged and written back "
            "as txctl write does (backup, verification). Settings that needed\nrepairs are "
            "refused unless --repair is given."),
        QStringLiteral("  txctl set model.txt ch1.subtrim=-20 ch8.reverse=reversed\n"
                       "  txctl set model.txt 'alarm_voltage=3.8 V' -o model-3v8.txt\n"
                       "  txctl set - ch1.subtrim=5 < model.txt > model-5.txt\n"
                       "  txctl set --port /dev/ttyUSB0 throttle_curve.mix=on\n"));
    LinkOptions link(cmd.parser, true);
    link.severalPorts = true;
    const QCommandLineOption noBackup("no-backup",
                                      "With --port: do not keep the settings before writing.");
    const QCommandLineOption output({"o", "output"}, "File to write instead of FILE.", "OUT");
    const QCommandLineOption repairOption(
        "repair", "Go on with settings that needed repairs, writing the repaired values.");
    // For shell completion: the names set accepts, one a line.
    QCommandLineOption listNames("list-names", "Print every setting name set accepts.");
    listNames.setFlags(QCommandLineOption::HiddenFromHelp);
    cmd.parser.addOptions({noBackup, output, repairOption, listNames});
    cmd.parser.addPositionalArgument("NAME=VALUE", "Setting and its new value.");
    if (const Step parsed = cmd.parse(args, 0, 1000); parsed.exits())
        return parsed.status();
    if (cmd.parser.isSet(listNames)) {
        QString names;
        for (const params::Field &f : params::fieldCatalogue()) {
            if (protocol::carriedToTransmitter(f))
                names += f.name + QLatin1Char('\n');
        }
        print(names);
        return Success;
    }
    if (cmd.parser.positionalArguments().isEmpty())
        return fail(UsageOrFile, QStringLiteral("set: usage: txctl %1").arg(cmd.syntax));
    QStringList assignments = cmd.parser.positionalArguments();
    const bool repairGiven = cmd.parser.isSet(repairOption);
    QString error;
    QVector<Assignment> parsed;

    if (cmd.parser.isSet(link.port)) {
        if (!link.read(cmd.parser, &error))
            return fail(UsageOrFile, error);
        if (cmd.parser.isSet(output))
            return fail(UsageOrFile, QStringLiteral("-o applies to a FILE, not to --port"));
        if (!parseAll(assignments, &parsed, &error)) // before any port is touched
            return fail(UsageOrFile, error);
        const WriteChoice choice{!cmd.parser.isSet(noBackup), true};
        return forEachPort(link, [&](const LinkOptions &one) {
            ReadResult result;
            if (const Step read = readTransmitter(one, &result); read.exits())
                return read.status();
            const QVector<Repair> repairs = describeRepairs(result.repairs);
            if (const Step refused = refuseRepairs(one.portName, repairs, repairGiven);
                refused.exits())
                return refused.status();
            const TxParamsRecord changed = applied(result.settings, parsed);
            const QVector<params::FieldChange> changes =
                params::changedFields(result.settings, changed, protocol::carriedToTransmitter);
            if (changes.isEmpty() && repairs.isEmpty()) {
                warn(QStringLiteral("%1 already holds these values; nothing written")
                         .arg(one.portName));
                return int(Success);
            }
            print(changesText(changes, one.portName, QStringLiteral("set")));
            return writeVerified(one, choice, changed, assignments.join(QLatin1Char(' ')));
        });
    }

    for (const QCommandLineOption *linkOnly : std::initializer_list<const QCommandLineOption *>{
             &noBackup, &link.timeout, &link.attempts, &link.pace}) {
        if (cmd.parser.isSet(*linkOnly))
            return fail(UsageOrFile, QStringLiteral("--%1 applies only with --port")
                                         .arg(linkOnly->names().constFirst()));
    }
    const QString path = assignments.takeFirst();
    if (assignments.isEmpty())
        return fail(UsageOrFile, QStringLiteral("set: usage: txctl %1").arg(cmd.syntax));
    // Without -o the file is rewritten; "-" reads standard input and writes standard output.
    const QString out = cmd.parser.isSet(output) ? cmd.parser.value(output) : path;
    if (!cmd.parser.isSet(output) && path != QLatin1String("-") && namesDescriptor(path))
        return fail(UsageOrFile, QStringLiteral("%1 is a descriptor, not a file to rewrite; give "
                                                "-o OUT (- for standard output)")
                                     .arg(path));
    const OutputTarget target(out);
    TxParamsRecord settings;
    QVector<Repair> repairs;
    if (const Step loaded = loadSettingsFileOrFail(path, &settings, &repairs); loaded.exits())
        return loaded.status();
    if (const Step refused = refuseRepairs(path, repairs, repairGiven); refused.exits())
        return refused.status();
    if (!parseAll(assignments, &parsed, &error) || !target.check(&error))
        return fail(UsageOrFile, error);
    const TxParamsRecord changed = applied(settings, parsed);
    if (!target.write(files::parameterFileContent(changed), &error))
        return fail(UsageOrFile, error);
    const QString summary =
        changesText(params::changedFields(settings, changed, protocol::carriedToTransmitter), path,
                    out == QLatin1String("-") ? QStringLiteral("standard output") : out);
    // Standard output carries the file alone when the file goes there.
    if (out == QLatin1String("-") || namesDescriptor(out))
        warn(summary.trimmed());
    else
        print(summary);
    return Success;
}

} // namespace cli
