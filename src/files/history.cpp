#include "history.h"

#include "parameterfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>

namespace files
{
namespace history
{
namespace
{

const QString timeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
// The names of the entries in the order they were added, one a line: the
// clock may be set back, so names do not tell which entry is the oldest.
const QString orderFile = QStringLiteral(".order");
// Held (flock) while an entry is added and the folder pruned, by every
// process that records.
const QString lockFile = QStringLiteral(".lock");
// Beside an entry a running process keeps: locked (flock, shared) while it runs.
const QString holdPrefix = QStringLiteral(".held-");

// Time, its UTC offset (missing in older names), kind, and an optional
// counter for two entries within one millisecond.
const QRegularExpression &namePattern()
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{8}-\\d{6}-\\d{3})([+-]\\d{4})?-([a-z]+)(?:-(\\d+))?\\.txt$"));
    return re;
}

bool parse(const QFileInfo &info, Entry *entry)
{
    const QRegularExpressionMatch m = namePattern().match(info.fileName());
    if (!m.hasMatch())
        return false;
    entry->id = info.completeBaseName();
    entry->path = info.absoluteFilePath();
    const QString t = m.captured(1); // yyyyMMdd-HHmmss-zzz
    const QString iso = QStringLiteral("%1-%2-%3T%4:%5:%6.%7")
                            .arg(t.mid(0, 4), t.mid(4, 2), t.mid(6, 2), t.mid(9, 2), t.mid(11, 2),
                                 t.mid(13, 2), t.mid(16, 3));
    const QString offset = m.captured(2); // "+0100"
    if (!offset.isEmpty()) {
        entry->time =
            QDateTime::fromString(iso + offset.left(3) + ':' + offset.mid(3), Qt::ISODateWithMs);
    } else {
        // An older name in local time; one inside a daylight-saving gap is
        // still listed (read as UTC) rather than lost.
        entry->time = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (!entry->time.isValid())
            entry->time = QDateTime::fromString(iso + 'Z', Qt::ISODateWithMs);
    }
    entry->kind = m.captured(3);
    entry->counter = m.captured(4).isEmpty() ? 1 : m.captured(4).toInt();
    return entry->time.isValid();
}

// "+0100": the offset that keeps a name unambiguous across seasons and zones.
QString offsetText(const QDateTime &local)
{
    const int minutes = local.offsetFromUtc() / 60;
    return QStringLiteral("%1%2%3")
        .arg(QLatin1Char(minutes < 0 ? '-' : '+'))
        .arg(qAbs(minutes) / 60, 2, 10, QLatin1Char('0'))
        .arg(qAbs(minutes) % 60, 2, 10, QLatin1Char('0'));
}

// Whether this process holds the entries it records, and the descriptors of
// their locks, open until it ends.
bool keepingOwn = false;
std::mutex holdsMutex;

void holdEntry(const QDir &dir, const QString &name)
{
    const std::lock_guard<std::mutex> guard(holdsMutex);
    if (!keepingOwn)
        return;
    const int fd = ::open(QFile::encodeName(dir.filePath(holdPrefix + name)).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0 && ::flock(fd, LOCK_SH) != 0)
        ::close(fd);
    // Otherwise the descriptor stays open, and the lock with it, until the process ends.
}

// True when a running process holds the entry. A lock file nobody holds any
// more goes; the entry is anybody's then.
bool heldByAnyone(const QDir &dir, const QString &name)
{
    const QByteArray path = QFile::encodeName(dir.filePath(holdPrefix + name));
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!held)
        ::unlink(path.constData());
    ::close(fd);
    return held;
}

// The entries' names, oldest arrival first: those the order file names, after
// any it does not know (older versions kept none), which go by time.
QStringList arrivalOrder(const QDir &dir)
{
    QFile order(dir.filePath(orderFile));
    QStringList listed;
    if (order.open(QIODevice::ReadOnly))
        listed = QString::fromUtf8(order.readAll()).split('\n', Qt::SkipEmptyParts);
    QVector<Entry> all = entries();
    std::reverse(all.begin(), all.end());
    QStringList names;
    QSet<QString> present;
    for (const Entry &e : all) {
        const QString name = QFileInfo(e.path).fileName();
        present.insert(name);
        if (!listed.contains(name))
            names << name;
    }
    for (const QString &name : listed) {
        if (present.contains(name) && !names.contains(name))
            names << name;
    }
    return names;
}

// Keeps the newest `keptEntries` by arrival, and every entry a running process holds.
void prune(const QDir &dir, const QString &justTaken)
{
    QStringList order = arrivalOrder(dir);
    order.removeAll(justTaken);
    order << justTaken;
    QStringList kept;
    int excess = order.size() - keptEntries;
    for (const QString &name : order) {
        if (excess > 0 && name != justTaken && !heldByAnyone(dir, name) &&
            QFile::remove(dir.filePath(name)))
            --excess;
        else
            kept << name;
    }
    QSaveFile file(dir.filePath(orderFile));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(kept.join('\n').toUtf8() + '\n');
        file.commit();
    }
}

// Takes a name no other process or thread can take too: created exclusively.
bool reserveName(const QDir &dir, const QString &stem, QString *name, QString *error)
{
    for (int n = 1; n < 1000; ++n) {
        *name =
            n == 1 ? stem + QStringLiteral(".txt") : QStringLiteral("%1-%2.txt").arg(stem).arg(n);
        const int fd = ::open(QFile::encodeName(dir.filePath(*name)).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    *error = QStringLiteral("%1: %2").arg(dir.filePath(*name),
                                          QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

// flock on the folder's lock file while it lives (nothing when it cannot be
// opened: the exclusive names still keep entries apart).
class FolderLock
{
public:
    explicit FolderLock(const QDir &dir)
        : fd(::open(QFile::encodeName(dir.filePath(lockFile)).constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (fd >= 0)
            while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int fd;
};

} // namespace

void keepOwnEntries()
{
    const std::lock_guard<std::mutex> lock(holdsMutex);
    keepingOwn = true;
}

QString directory()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base =
        QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/txconfig/history");
}

bool usable(QString *error)
{
    const QDir dir(directory());
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(dir.path());
        return false;
    }
    QTemporaryFile probe(dir.filePath(QStringLiteral(".probe-XXXXXX")));
    if (!probe.open()) {
        *error = QStringLiteral("%1: %2").arg(dir.path(), probe.errorString());
        return false;
    }
    return true;
}

bool record(const QByteArray &content, const QString &kind, Entry *entry, QString *error)
{
    const QDir dir(directory());
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(dir.path());
        return false;
    }
    const FolderLock lock(dir);
    const QDateTime now = QDateTime::currentDateTime();
    QString name;
    if (!reserveName(dir, now.toString(timeFormat) + offsetText(now) + '-' + kind, &name, error))
        return false;
    const QString path = dir.filePath(name);
    if (!writeParameterFile(path, content, error)) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        QFile::remove(path);
        return false;
    }
    holdEntry(dir, name);
    prune(dir, name);
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
    // Within one millisecond the counter tells the later entry: -160 after -99.
    std::sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) {
        if (a.time != b.time)
            return a.time > b.time;
        return a.counter != b.counter ? a.counter > b.counter : a.id > b.id;
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
