#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// The settings history both programs keep: ordinary parameter files in one
// folder of the user's data location, named by local time, its UTC offset
// and kind, for instance "20261207-231502-118+0100-backup.txt" (each name
// taken exclusively, so two processes never share one). Only the newest
// `keptEntries` stay, newest by arrival, not by name: a clock set back never
// costs the entry just taken. Entries made within one millisecond carry a
// counter ("-2", "-3" ...) and are listed by it.
// Problems come back as strings; callers decide whether to warn.
namespace files
{
namespace history
{

constexpr int keptEntries = 200;

struct Entry {
    QString id; // the file name without ".txt": time and kind
    QString path;
    QDateTime time;
    QString kind;    // e.g. "read", "write", "reset", "backup", "verified"
    int counter = 1; // of entries with one time and kind
};

// From now on no process prunes an entry this process records while it runs:
// for a command whose backup must outlast whatever other programs record
// meanwhile. Each such entry has a lock file beside it (".held-" and its
// name), locked until the process ends; pruning passes over locked entries.
// (Not for the window, which records as long as it runs.)
void keepOwnEntries();

// $XDG_DATA_HOME/txconfig/history, or ~/.local/share/txconfig/history when
// XDG_DATA_HOME is unset, empty or relative (the base-directory rules ignore a
// relative one).
QString directory();

// False, with a reason in *error, when no entry could be recorded now (the
// folder cannot be made, or nothing can be created in it).
bool usable(QString *error);

// Writes content (a parameter file) as a new entry and prunes the earliest
// arrivals beyond keptEntries. False, with a reason in *error, when it cannot.
bool record(const QByteArray &content, const QString &kind, Entry *entry, QString *error);

// All entries, newest first.
QVector<Entry> entries();

// The entry whose id is `id` or begins with it, when exactly one does.
// False, with a reason in *error, otherwise.
bool find(const QString &id, Entry *entry, QString *error);

} // namespace history
} // namespace files
