#pragma once

#include "fieldcatalogue.h"
#include "settingsreader.h"
#include "settingswriter.h"
#include "textparser.h"
#include "txparams.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QVector>

// What every command of txctl shares: exit statuses, messages, options,
// progress on a terminal, and loading a parameter file.
namespace cli
{

enum Exit { Success = 0, UsageOrFile = 1, LinkError = 2, Mismatch = 3 };

// What a step of a command decided: go on with the next step, or end the
// command with an exit status. A type of its own, so that "go on" is never a
// number that a comparison can mistake for a status.
class [[nodiscard]] Step
{
public:
    static Step goOn() { return Step(); }
    static Step exitWith(int status) { return Step(status); }
    bool exits() const { return hasStatus; }
    int status() const { return exitStatus; }

private:
    Step() = default;
    explicit Step(int status) : hasStatus(true), exitStatus(status) {}
    bool hasStatus = false;
    int exitStatus = Success;
};

// "txctl: message" on standard error; returns `code`.
int fail(int code, const QString &message);
// Put before every line this thread prints or fails with, e.g. "/dev/ttyUSB1: "
// while working on one of several ports; there is no progress bar then.
void setMessagePrefix(const QString &prefix);
bool hasMessagePrefix();
// The message of this thread's latest fail() with a status other than 0.
QString lastFailureMessage();
void warn(const QString &message);
// Standard output, as UTF-8, flushed; false once it could not be written
// (then outputError() says why, and the command must not exit 0).
bool print(const QString &text);
QString outputError();

bool stdinIsTerminal();
bool stdoutIsTerminal();
bool stderrIsTerminal();

// One command's parser and its help text.
struct Command {
    QString name;
    QString syntax;      // e.g. "read --port P [-o FILE]"
    QString description; // one paragraph
    QString examples;    // lines, each a command with a comment
    QCommandLineParser parser;
    const QCommandLineOption json{"json", "Write JSON for scripts."};

    Command(const QString &name, const QString &syntax, const QString &description,
            const QString &examples);
    // Parses arguments after the command's name: go on, or exit (0 after
    // --help, 1 after a usage error).
    Step parse(const QStringList &arguments, int minPositional, int maxPositional);
    // The same, then reads the link options (a bad value is a usage error).
    Step parse(const QStringList &arguments, int minPositional, int maxPositional,
               struct LinkOptions &link);
    QString helpText() const;
    // Adds --json; isSet(json) then tells whether it was given.
    void offerJson() { parser.addOption(json); }
};

// --port, --timeout, --attempts and the hidden --pace-ms shared by commands
// that talk to the transmitter. Commands that work on several transmitters at
// once take --port more than once.
struct LinkOptions {
    QCommandLineOption port{"port", "Serial port of the transmitter, e.g. /dev/ttyUSB0.", "P"};
    QCommandLineOption timeout{
        "timeout", "Longest wait for the reply to one read request (default 3000).", "MS", "3000"};
    QCommandLineOption attempts{
        "attempts", "Read requests before a read with missing frames fails (default 3).", "N", "3"};
    QCommandLineOption pace{"pace-ms", "Pause after each written frame.", "MS",
                            QString::number(designedPaceMs)};

    explicit LinkOptions(QCommandLineParser &parser, bool writes = false);
    // False with a usage message when a value is not a number in range,
    // --port is missing, or two --port name one device.
    bool read(const QCommandLineParser &parser, QString *error);

    QString portName;          // the first, or only, --port
    QStringList portNames;     // every --port, for commands that take several
    bool severalPorts = false; // set before read() by commands that take several
    ReadOptions readOptions;
    int paceMs = designedPaceMs;

private:
    bool writes;
};

// A setting that arrived unusable and what became of it.
struct Repair {
    const params::Field *field;
    QString why;   // "101 out of range", "\"ZZ\" is not hexadecimal"
    QString after; // "repaired to 0 %", or "read as normal" for characters that
                   // were no digits but gave a value in range
};

// Repairs of out-of-range values, with the fields whose characters were no
// digits (from a file) named as such rather than by the number they gave.
QVector<Repair> describeRepairs(const QVector<params::FieldChange> &changes,
                                const QVector<protocol::UnreadableField> &unreadable = {});

// Reads a parameter file with the window's reader (lenient fields, dual-rate
// selection, validation); unlike the window it refuses a file without all
// three frames as well as everything the reader refuses. "-" is standard
// input. Repairs are returned, not printed.
bool loadSettingsFile(const QString &path, TxParamsRecord *settings, QVector<Repair> *repairs,
                      QString *error);

// loadSettingsFile, its repairs reported (and returned when asked for);
// exits when the file cannot be used.
Step loadSettingsFileOrFail(const QString &path, TxParamsRecord *settings,
                            QVector<Repair> *repairs = nullptr);

// Settings that needed repairs are not what their source says: nothing is
// written from them unless --repair was given (then the repaired values go).
Step refuseRepairs(const QString &source, const QVector<Repair> &repairs, bool repairGiven);

// "<source>: ch3.subtrim: 101 out of range, repaired to 0 %" for each repair,
// on standard error.
void reportRepairs(const QString &source, const QVector<Repair> &repairs);

// A one-line bar on standard error, only when that is a terminal; the line is
// cleared when the object goes.
class Progress
{
public:
    Progress(const QString &label, int total);
    ~Progress();
    void set(int done);

private:
    QString label;
    int total;
    bool shown;
};

} // namespace cli
