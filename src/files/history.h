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
// costs the entry just taken.
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
    QString kind; // e.g. "read", "write", "reset", "backup", "verified"
};

// From now on no entry this process records is pruned while it runs: for a
// command whose backup must outlast whatever other programs record meanwhile.
// (Not for the window, which records as long as it runs.)
void keepOwnEntries();

// <GenericDataLocation>/txconfig/history
QString directory();

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
