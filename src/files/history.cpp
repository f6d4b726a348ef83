#include "history.h"

#include "parameterfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace files
{
namespace history
{
namespace
{

const QString timeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// Time, kind and an optional counter for two entries within one millisecond.
const QRegularExpression &namePattern()
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{8}-\\d{6}-\\d{3})-([a-z]+)(?:-(\\d+))?\\.txt$"));
    return re;
}

bool parse(const QFileInfo &info, Entry *entry)
{
    const QRegularExpressionMatch m = namePattern().match(info.fileName());
    if (!m.hasMatch())
        return false;
    entry->id = info.completeBaseName();
    entry->path = info.absoluteFilePath();
    entry->time = QDateTime::fromString(m.captured(1), timeFormat);
    entry->kind = m.captured(2);
    return entry->time.isValid();
}

// Keeps the newest entries. The one just taken always stays, even when the
// clock was set back and entries from a later time exist.
void prune(const QString &justTaken)
{
    const QVector<Entry> all = entries();
    int kept = 1;
    for (const Entry &e : all) {
        if (e.path == justTaken)
            continue;
        if (kept < keptEntries)
            ++kept;
        else
            QFile::remove(e.path);
    }
}

} // namespace

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/txconfig/history");
}

bool record(const QByteArray &content, const QString &kind, Entry *entry, QString *error)
{
    const QDir dir(directory());
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(dir.path());
        return false;
    }
    const QString stem = QDateTime::currentDateTime().toString(timeFormat) + '-' + kind;
    QString name = stem + QStringLiteral(".txt");
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("%1-%2.txt").arg(stem).arg(n);
    const QString path = dir.filePath(name);
    if (!writeParameterFile(path, content, error)) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return false;
    }
    prune(QFileInfo(path).absoluteFilePath());
    if (entry)
        parse(QFileInfo(path), entry);
    return true;
}

QVector<Entry> entries()
{
    QVector<Entry> list;
    const QFileInfoList infos =
        QDir(directory()).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QFileInfo &info : infos) {
        Entry e;
        if (parse(info, &e))
            list.append(e);
    }
    // Names sort by time; the counter sorts after its stem as digits follow '.'.
    std::sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) {
        return a.time != b.time ? a.time > b.time : a.id > b.id;
    });
    return list;
}

bool find(const QString &id, Entry *entry, QString *error)
{
    QVector<Entry> matches;
    for (const Entry &e : entries()) {
        if (e.id == id) {
            *entry = e;
            return true;
        }
        if (!id.isEmpty() && e.id.startsWith(id))
            matches.append(e);
    }
    if (matches.size() == 1) {
        *entry = matches.first();
        return true;
    }
    *error = matches.isEmpty() ? QStringLiteral("no history entry %1 in %2").arg(id, directory())
                               : QStringLiteral("%1 entries begin with %2; give more of the id")
                                     .arg(matches.size())
                                     .arg(id);
    return false;
}

} // namespace history
} // namespace files
