#include "outputtarget.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli
{
namespace
{

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool isStandardOutput(const QString &path) { return path == QLatin1String("-"); }

// Names under /dev and /proc stand for something else (a terminal, a pipe,
// a descriptor): never rename over them.
bool isSpecialName(const QString &path)
{
    return path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/"));
}

bool writeInPlace(const QByteArray &file, int flags, const QByteArray &content, QString *error)
{
    const int fd = ::open(file.constData(), O_WRONLY | O_CLOEXEC | flags);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    const bool ok = writeAll(fd, content, error);
    if (::close(fd) != 0 && ok) {
        *error = systemError();
        return false;
    }
    return ok;
}

// A temporary file beside `target`, filled, given `mode` (and the owner when
// known), synced and renamed over it.
bool replaceAtomically(const QString &target, mode_t mode, const struct stat *owner,
                       const QByteArray &content, QString *error)
{
    const QFileInfo info(target);
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                        info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    bool ok = writeAll(fd, content, error) && ::fchmod(fd, mode) == 0;
    // Only root may give a file away; anyone else keeps the file as theirs.
    if (ok && owner && (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid()) &&
        ::fchown(fd, owner->st_uid, owner->st_gid) != 0 && errno != EPERM)
        ok = false;
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok && error->isEmpty())
        *error = systemError();
    if (::close(fd) != 0 && ok) {
        *error = systemError();
        ok = false;
    }
    if (ok && ::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        *error = systemError();
        ok = false;
    }
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}

} // namespace

bool writeAll(int fd, const QByteArray &bytes, QString *error)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = systemError();
            return false;
        }
        done += n;
    }
    return true;
}

bool OutputTarget::check(QString *error) const
{
    if (isStandardOutput(path))
        return true;
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("%1: is a folder").arg(path);
        return false;
    }
    const QString probe = info.exists() ? path : info.absolutePath();
    if (::access(QFile::encodeName(probe).constData(), W_OK) != 0) {
        *error = QStringLiteral("%1: %2").arg(path, systemError());
        return false;
    }
    return true;
}

bool OutputTarget::write(const QByteArray &content, QString *error) const
{
    QString reason;
    bool ok = false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    if (isStandardOutput(path)) {
        ok = writeAll(STDOUT_FILENO, content, &reason);
    } else if (::stat(name.constData(), &st) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = replaceAtomically(path, 0666 & ~mask, nullptr, content, &reason);
    } else if (!S_ISREG(st.st_mode) || isSpecialName(path)) {
        // A regular file behind /dev/stdout is the shell's: add, as ">>" would.
        ok = writeInPlace(name, S_ISREG(st.st_mode) ? O_APPEND : 0, content, &reason);
    } else if (st.st_nlink > 1) {
        ok = writeInPlace(name, O_TRUNC, content, &reason);
    } else {
        ok = replaceAtomically(QFileInfo(path).canonicalFilePath(), st.st_mode & 07777, &st,
                               content, &reason);
    }
    if (!ok)
        *error = QStringLiteral("%1: %2").arg(
            isStandardOutput(path) ? QStringLiteral("standard output") : path, reason);
    return ok;
}

AppendingOutput::~AppendingOutput()
{
    if (ownsFd)
        ::close(fd);
}

bool AppendingOutput::open(const QString &target, QString *error)
{
    path = target;
    if (isStandardOutput(path)) {
        fd = STDOUT_FILENO;
        return true;
    }
    struct stat st {
    };
    const QByteArray name = QFile::encodeName(path);
    const bool regular = ::stat(name.constData(), &st) != 0 || S_ISREG(st.st_mode);
    fd = ::open(name.constData(),
                O_WRONLY | O_CREAT | O_CLOEXEC | (regular && !isSpecialName(path) ? O_TRUNC : 0),
                0666);
    if (fd < 0) {
        *error = QStringLiteral("%1: %2").arg(path, systemError());
        return false;
    }
    ownsFd = true;
    return true;
}

bool AppendingOutput::append(const QByteArray &bytes, QString *error)
{
    QString reason;
    if (writeAll(fd, bytes, &reason))
        return true;
    *error = QStringLiteral("%1: %2").arg(
        isStandardOutput(path) ? QStringLiteral("standard output") : path, reason);
    return false;
}

} // namespace cli
