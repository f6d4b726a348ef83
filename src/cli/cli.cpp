#include "cli.h"

#include "parameterfile.h"
#include "parameterreader.h"
#include "portaccess.h"
#include "validation.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace cli
{

namespace
{
std::mutex outputMutex; // commands on several ports print from several threads
QString firstOutputError;
thread_local QString prefix;
thread_local QString lastFailure;

// Every line of text, after the thread's prefix.
QByteArray prefixed(const QString &text)
{
    if (prefix.isEmpty())
        return text.toUtf8();
    QString out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i + 1 < lines.size() || !lines[i].isEmpty())
            out += prefix + lines[i] + (i + 1 < lines.size() ? QStringLiteral("\n") : QString());
    }
    return out.toUtf8();
}

void noteOutputError()
{
    if (firstOutputError.isEmpty())
        firstOutputError =
            QStringLiteral("standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

void setMessagePrefix(const QString &text) { prefix = text; }
bool hasMessagePrefix() { return !prefix.isEmpty(); }
QString lastFailureMessage() { return lastFailure; }

int fail(int code, const QString &message)
{
    if (code != Success)
        lastFailure = message;
    const std::lock_guard<std::mutex> lock(outputMutex);
    std::fprintf(stderr, "txctl: %s\n", prefixed(message).constData());
    return code;
}

void warn(const QString &message) { fail(Success, message); }

bool print(const QString &text)
{
    const std::lock_guard<std::mutex> lock(outputMutex);
    if (std::fputs(prefixed(text).constData(), stdout) >= 0 && std::fflush(stdout) == 0)
        return true;
    noteOutputError();
    return false;
}

QString outputError()
{
    const std::lock_guard<std::mutex> lock(outputMutex);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        noteOutputError();
    return firstOutputError;
}

bool stdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }
bool stdoutIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }
bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

Command::Command(const QString &name, const QString &syntax, const QString &description,
                 const QString &examples)
    : name(name), syntax(syntax), description(description), examples(examples)
{
    parser.addHelpOption();
}

Step Command::parse(const QStringList &arguments, int minPositional, int maxPositional)
{
    if (!parser.parse(QStringList{QStringLiteral("txctl")} + arguments))
        return Step::exitWith(
            fail(UsageOrFile,
                 QStringLiteral("%1: %2 (see txctl %1 --help)").arg(name, parser.errorText())));
    if (parser.isSet(QStringLiteral("help"))) {
        print(helpText());
        return Step::exitWith(Success);
    }
    const int n = parser.positionalArguments().size();
    if (n < minPositional || n > maxPositional)
        return Step::exitWith(
            fail(UsageOrFile, QStringLiteral("%1: usage: txctl %2").arg(name, syntax)));
    return Step::goOn();
}

Step Command::parse(const QStringList &arguments, int minPositional, int maxPositional,
                    LinkOptions &link)
{
    const Step step = parse(arguments, minPositional, maxPositional);
    QString error;
    if (!step.exits() && !link.read(parser, &error))
        return Step::exitWith(fail(UsageOrFile, error));
    return step;
}

QString Command::helpText() const
{
    // The parser's own text begins with a usage line naming only the program.
    QString options = parser.helpText();
    options = options.mid(options.indexOf(QStringLiteral("Options:")));
    return QStringLiteral("Usage: txctl %1\n\n%2\n\n%3\nExamples:\n%4\n")
        .arg(syntax, description, options, examples);
}

LinkOptions::LinkOptions(QCommandLineParser &parser, bool writes) : writes(writes)
{
    parser.addOption(port);
    parser.addOption(timeout);
    parser.addOption(attempts);
    if (writes) {
        // For tests against the virtual transmitter; the transmitter needs 800.
        pace.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(pace);
    }
}

namespace
{
bool number(const QCommandLineParser &parser, const QCommandLineOption &option, int lo, int hi,
            int *out, QString *error)
{
    bool ok = false;
    const int v = parser.value(option).toInt(&ok);
    if (!ok || v < lo || v > hi) {
        *error = QStringLiteral("--%1 wants a number from %2 to %3")
                     .arg(option.names().first())
                     .arg(lo)
                     .arg(hi);
        return false;
    }
    *out = v;
    return true;
}
} // namespace

bool LinkOptions::read(const QCommandLineParser &parser, QString *error)
{
    portNames = parser.values(port);
    portName = portNames.value(0);
    if (portNames.size() > 1 && !severalPorts) {
        *error = QStringLiteral("give one --port");
        return false;
    }
    if (portName.isEmpty()) {
        *error = QStringLiteral("--port P is required (txctl ports lists the ports)");
        return false;
    }
    QSet<QString> devices; // before any output name is made from the names
    for (const QString &name : portNames) {
        const QString device = portlist::resolveDevice(name);
        if (devices.contains(device)) {
            *error = QStringLiteral("%1 is given twice (as %2)").arg(device, name);
            return false;
        }
        devices.insert(device);
    }
    readOptions.retryNotice = [](const QString &line) { warn(line); };
    return number(parser, timeout, 100, 60000, &readOptions.replyTimeoutMs, error) &&
           number(parser, attempts, 1, 20, &readOptions.attempts, error) &&
           (!writes || number(parser, pace, 0, 10000, &paceMs, error));
}

QVector<Repair> describeRepairs(const QVector<params::FieldChange> &changes,
                                const QVector<protocol::UnreadableField> &unreadable)
{
    QVector<Repair> repairs;
    for (const protocol::UnreadableField &u : unreadable) {
        const auto field =
            std::find_if(params::fieldCatalogue().begin(), params::fieldCatalogue().end(),
                         [&u](const params::Field &f) { return f.offset == u.offset; });
        if (field == params::fieldCatalogue().end())
            continue;
        const auto change = std::find_if(changes.begin(), changes.end(), [&](const auto &c) {
            return c.field->offset == u.offset;
        });
        const QString why = QStringLiteral("\"%1\" is not %2")
                                .arg(u.characters, u.twoCharacter ? QStringLiteral("hexadecimal")
                                                                  : QStringLiteral("a number"));
        repairs.append({&*field, why,
                        change == changes.end()
                            ? QStringLiteral("read as %1").arg(field->text(0))
                            : QStringLiteral("repaired to %1").arg(field->text(change->after))});
    }
    for (const params::FieldChange &c : changes) {
        if (std::none_of(repairs.begin(), repairs.end(),
                         [&c](const Repair &r) { return r.field->offset == c.field->offset; }))
            repairs.append({c.field, QStringLiteral("%1 out of range").arg(c.before),
                            QStringLiteral("repaired to %1").arg(c.field->text(c.after))});
    }
    return repairs;
}

bool loadSettingsFile(const QString &path, TxParamsRecord *settings, QVector<Repair> *repairs,
                      QString *error)
{
    TxParamsRecord p;
    const files::ParameterReading read = files::readParameterFile(path, p);
    if (!read.complete()) {
        *error = QStringLiteral("%1: %2").arg(path, files::readProblemText(read));
        return false;
    }
    *repairs = describeRepairs(params::settle(p), files::unreadableFields(read.text));
    *settings = p;
    return true;
}

Step loadSettingsFileOrFail(const QString &path, TxParamsRecord *settings, QVector<Repair> *repairs)
{
    QString error;
    QVector<Repair> found;
    if (!loadSettingsFile(path, settings, &found, &error))
        return Step::exitWith(fail(UsageOrFile, error));
    reportRepairs(path, found);
    if (repairs)
        *repairs = found;
    return Step::goOn();
}

Step refuseRepairs(const QString &source, const QVector<Repair> &repairs, bool repairGiven)
{
    if (repairs.isEmpty() || repairGiven)
        return Step::goOn();
    return Step::exitWith(fail(UsageOrFile, QStringLiteral("%1 needed %2 repair(s), named above; "
                                                           "nothing written (--repair writes the "
                                                           "repaired values)")
                                                .arg(source)
                                                .arg(repairs.size())));
}

void reportRepairs(const QString &source, const QVector<Repair> &repairs)
{
    for (const Repair &r : repairs)
        warn(QStringLiteral("%1: %2: %3, %4").arg(source, r.field->name, r.why, r.after));
}

Progress::Progress(const QString &label, int total)
    : label(label), total(total), shown(stderrIsTerminal() && !hasMessagePrefix())
{
    set(0);
}

Progress::~Progress()
{
    if (shown)
        std::fputs("\r\033[K", stderr);
}

void Progress::set(int done)
{
    if (!shown)
        return;
    constexpr int width = 30;
    const int filled = total > 0 ? width * qBound(0, done, total) / total : 0;
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('.'));
    std::fprintf(stderr, "\r%s [%s] %d/%d", label.toUtf8().constData(), bar.toUtf8().constData(),
                 done, total);
    std::fflush(stderr);
}

} // namespace cli
