// set: settings changed by name, in a file or on the transmitter.
#include "carriedfields.h"
#include "cli.h"
#include "commands.h"
#include "manyports.h"
#include "outputtarget.h"
#include "parameterfile.h"
#include "settingstext.h"
#include "transfer.h"

namespace cli
{
namespace
{

// "ch1.subtrim=-20", "ch1.subtrim=-20 %", "alarm_voltage=3.7 V", "ch8.reverse=reversed":
// names and values as show prints them, checked against the window's ranges.
bool applyAssignment(TxParamsRecord &p, const QString &assignment, QString *error)
{
    const int eq = assignment.indexOf(QLatin1Char('='));
    const QString name = assignment.left(eq).trimmed();
    QString value = assignment.mid(eq + 1).trimmed();
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
    if (!field->unit.isEmpty() && value.endsWith(field->unit))
        value = value.chopped(field->unit.size()).trimmed();
    double v = 0;
    if (!field->parse(value, &v, error)) {
        *error = QStringLiteral("%1: %2").arg(assignment, *error);
        return false;
    }
    field->set(p, v);
    return true;
}

bool applyAll(TxParamsRecord &p, const QStringList &assignments, QString *error)
{
    for (const QString &a : assignments) {
        if (!applyAssignment(p, a, error))
            return false;
    }
    return true;
}

} // namespace

int runSet(const QStringList &args)
{
    Command cmd(
        QStringLiteral("set"),
        QStringLiteral("set FILE NAME=VALUE... [-o OUT] | set --port P... NAME=VALUE..."),
        QStringLiteral(
            "Changes settings by name, with values as txctl show prints them (the unit may be "
            "left out).\nEach value is checked against the window's range; an unknown name or a "
            "value out of range\nchanges nothing. With FILE the file is rewritten (or OUT "
            "written); with --port the transmitter's\nsettings are read, changed and written "
            "back as txctl write does (backup, verification)."),
        QStringLiteral("  txctl set model.txt ch1.subtrim=-20 ch8.reverse=reversed\n"
                       "  txctl set model.txt 'alarm_voltage=3.8 V' -o model-3v8.txt\n"
                       "  txctl set --port /dev/ttyUSB0 throttle_curve.mix=on\n"));
    LinkOptions link(cmd.parser, true);
    link.severalPorts = true;
    const QCommandLineOption noBackup("no-backup", "Do not keep the settings before writing.");
    const QCommandLineOption output({"o", "output"}, "File to write instead of FILE.", "OUT");
    // For shell completion: the names set accepts, one a line.
    QCommandLineOption listNames("list-names", "Print every setting name set accepts.");
    listNames.setFlags(QCommandLineOption::HiddenFromHelp);
    cmd.parser.addOptions({noBackup, output, listNames});
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
    QString error;

    if (cmd.parser.isSet(link.port)) {
        if (!link.read(cmd.parser, &error))
            return fail(UsageOrFile, error);
        TxParamsRecord check; // every assignment is checked before any port is touched
        if (!applyAll(check, assignments, &error))
            return fail(UsageOrFile, error);
        const WriteChoice choice{!cmd.parser.isSet(noBackup), true};
        return forEachPort(link, [&](const LinkOptions &one) {
            ReadResult result;
            if (const Step read = readTransmitter(one, &result); read.exits())
                return read.status();
            TxParamsRecord changed = result.settings;
            QString error;
            applyAll(changed, assignments, &error);
            print(changesText(
                params::changedFields(result.settings, changed, protocol::carriedToTransmitter),
                one.portName, QStringLiteral("set")));
            return writeVerified(one, choice, changed, assignments.join(QLatin1Char(' ')));
        });
    }

    const QString path = assignments.takeFirst();
    if (assignments.isEmpty())
        return fail(UsageOrFile, QStringLiteral("set: usage: txctl %1").arg(cmd.syntax));
    const OutputTarget target(cmd.parser.isSet(output) ? cmd.parser.value(output) : path);
    TxParamsRecord settings;
    if (const Step loaded = loadSettingsFileOrFail(path, &settings); loaded.exits())
        return loaded.status();
    TxParamsRecord changed = settings;
    if (!applyAll(changed, assignments, &error) || !target.check(&error) ||
        !target.write(files::parameterFileContent(changed), &error))
        return fail(UsageOrFile, error);
    print(changesText(params::changedFields(settings, changed, protocol::carriedToTransmitter),
                      path, cmd.parser.isSet(output) ? cmd.parser.value(output) : path));
    return Success;
}

} // namespace cli
