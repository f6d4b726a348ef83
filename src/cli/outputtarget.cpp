#include "outputtarget.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace cli
{
namespace
{

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool isStandardOutput(const QString &path) { return path == QLatin1String("-"); }

} // namespace

bool namesDescriptor(const QString &path)
{
    static const QRegularExpression descriptor(
        QStringLiteral("^(/proc/(self|thread-self|\\d+)/fd|/dev/fd)/\\d+$"));
    QString p = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        if (descriptor.match(p).hasMatch())
            return true;
        const QFileInfo info(p);
        if (!info.isSymLink())
            return false;
        p = info.symLinkTarget();
    }
    return false;
}

namespace
{

// Terminals and serial ports, by the device's class rather than its name.
// Pseudo-terminal slaves (majors 136..143) have no entry under /sys.
bool isTerminal(const struct stat &st)
{
    if (!S_ISCHR(st.st_mode))
        return false;
    const unsigned maj = major(st.st_rdev);
    if (maj >= 136 && maj <= 143)
        return true;
    const QFileInfo subsystem(
        QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(maj).arg(minor(st.st_rdev)));
    return QFileInfo(subsystem.symLinkTarget()).fileName() == QLatin1String("tty");
}

QString folderOf(const QString &path) { return QFileInfo(path).absolutePath(); }

bool folderWritable(const QString &path)
{
    return ::access(QFile::encodeName(folderOf(path)).constData(), W_OK | X_OK) == 0;
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

// Over the old bytes without truncating first, then cut to length: a write
// that fails (a full disk, the file size limit) puts the old bytes back, so
// the file and its other hard links stay as they were.
bool rewriteInPlace(const QByteArray &file, const QByteArray &content, QString *error)
{
    QFile old(QFile::decodeName(file));
    if (!old.open(QIODevice::ReadOnly)) {
        *error = old.errorString();
        return false;
    }
    const QByteArray before = old.readAll();
    old.close();
    const int fd = ::open(file.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    bool ok = writeAll(fd, content, error);
    if (ok && (::ftruncate(fd, content.size()) != 0 || ::fsync(fd) != 0)) {
        *error = systemError();
        ok = false;
    }
    if (!ok) {
        QString ignored;
        const bool restored = ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, before, &ignored)
                              && ::ftruncate(fd, before.size()) == 0;
        if (!restored)
            *error += QStringLiteral("; the old content could not be put back");
    }
    if (::close(fd) != 0 && ok) {
        *error = systemError();
        ok = false;
    }
    return ok;
}

// A temporary file beside `target`, filled, given `mode` (and the owner when
// known), synced and renamed over it. The temporary name is short, so that a
// target whose name is near the 255-byte limit can still be replaced.
bool replaceAtomically(const QString &target, mode_t mode, const struct stat *owner,
                       const QByteArray &content, QString *error)
{
    const QString folder = folderOf(target);
    QByteArray temp = QFile::encodeName(folder + QStringLiteral("/.txctl-XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        *error =
            QStringLiteral("cannot create a temporary file in %1: %2").arg(folder, systemError());
        return false;
    }
    const QString tempName = QFile::decodeName(temp);
    QString reason;
    bool ok = writeAll(fd, content, &reason) && ::fchmod(fd, mode) == 0;
    // Only root may give a file away; anyone else keeps the file as theirs.
    if (ok && owner && (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid()) &&
        ::fchown(fd, owner->st_uid, owner->st_gid) != 0 && errno != EPERM)
        ok = false;
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok && reason.isEmpty())
        reason = systemError();
    if (::close(fd) != 0 && ok) {
        reason = systemError();
        ok = false;
    }
    if (!ok)
        *error = QStringLiteral("temporary file %1: %2").arg(tempName, reason);
    if (ok && ::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        *error = QStringLiteral("cannot rename %1 over it: %2").arg(tempName, systemError());
        ok = false;
    }
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}

// The one answer both kinds of output give to a path they may not use.
bool refused(const QString &path, const struct stat &st, QString *error)
{
    if (S_ISDIR(st.st_mode)) {
        *error = QStringLiteral("%1: is a folder").arg(path);
        return true;
    }
    // A descriptor the shell opened (/dev/stdout on a terminal) is as "-".
    if (isTerminal(st) && !namesDescriptor(path)) {
        *error = QStringLiteral("%1 is a terminal or serial port, never an output; write, set "
                                "--port, reset and restore write to a transmitter")
                     .arg(path);
        return true;
    }
    return false;
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
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    if (::stat(name.constData(), &st) != 0) {
        if (errno == ENOENT && folderWritable(path))
            return true;
        const int cause = errno; // of the folder's test when the file is missing
        const QString reason = systemError();
        *error =
            cause == ENOENT || cause == EACCES
                ? QStringLiteral("%1: cannot create it in %2: %3").arg(path, folderOf(path), reason)
                : QStringLiteral("%1: %2").arg(path, reason);
        return false;
    }
    if (refused(path, st, error))
        return false;
    if (::access(name.constData(), W_OK) != 0) {
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
        ok = replaceAtomically(QFileInfo(path).absoluteFilePath(), 0666 & ~mask, nullptr, content,
                               &reason);
    } else if (refused(path, st, error)) {
        return false;
    } else if (namesDescriptor(path) || !S_ISREG(st.st_mode)) {
        ok = writeInPlace(name, S_ISREG(st.st_mode) ? O_APPEND : 0, content, &reason);
    } else {
        const QString file = QFileInfo(path).canonicalFilePath();
        ok = st.st_nlink > 1 || !folderWritable(file)
                 ? rewriteInPlace(QFile::encodeName(file), content, &reason)
                 : replaceAtomically(file, st.st_mode & 07777, &st, content, &reason);
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
    const bool exists = ::stat(name.constData(), &st) == 0;
    if (exists && refused(path, st, error))
        return false;
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
    if (!exists || S_ISREG(st.st_mode))
        flags |= namesDescriptor(path) ? O_APPEND : O_TRUNC;
    fd = ::open(name.constData(), flags, 0666);
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
