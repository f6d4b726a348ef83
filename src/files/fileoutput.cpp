#include "fileoutput.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace files
{
namespace
{

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool isStandardOutput(const QString &path) { return path == QLatin1String("-"); }

// Links followed as far as they lead; a link to nothing gives the name the
// shell's ">" would create.
QString linkEnd(const QString &path)
{
    QString p = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40 && QFileInfo(p).isSymLink(); ++hops)
        p = QFileInfo(p).symLinkTarget();
    return p;
}

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

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

// The old bytes of a file rewritten in place, and a descriptor that writes
// over them from the start without truncating first.
int openOver(const QString &file, QByteArray *before, QString *error)
{
    QFile old(file);
    if (!old.open(QIODevice::ReadOnly)) {
        *error = old.errorString();
        return -1;
    }
    *before = old.readAll();
    old.close();
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        *error = systemError();
    return fd;
}

// Cut to what was written and synced; or, when that or the writing failed,
// the old bytes put back, so the file and its other hard links stay as they
// were.
bool finishOver(int fd, bool ok, const QByteArray &before, QString *error)
{
    const off_t length = ::lseek(fd, 0, SEEK_CUR);
    if (ok && (length < 0 || ::ftruncate(fd, length) != 0 || ::fsync(fd) != 0)) {
        *error = systemError();
        ok = false;
    }
    if (!ok) {
        QString ignored;
        const bool restored = ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, before, &ignored) &&
                              ::ftruncate(fd, before.size()) == 0;
        if (!restored)
            *error += QStringLiteral("; the old content could not be put back");
    }
    if (::close(fd) != 0 && ok) {
        *error = systemError();
        ok = false;
    }
    return ok;
}

bool rewriteInPlace(const QString &file, const QByteArray &content, QString *error)
{
    QByteArray before;
    const int fd = openOver(file, &before, error);
    return fd >= 0 && finishOver(fd, writeAll(fd, content, error), before, error);
}

// A temporary file beside `target`. The name is short, so that a target
// whose name is near the 255-byte limit can still be replaced.
int createTemporary(const QString &target, QByteArray *name, QString *error)
{
    const QString folder = folderOf(target);
    *name = QFile::encodeName(folder + QStringLiteral("/.txctl-XXXXXX"));
    const int fd = ::mkstemp(name->data());
    if (fd < 0)
        *error =
            QStringLiteral("cannot create a temporary file in %1: %2").arg(folder, systemError());
    return fd;
}

// The temporary file given `mode` (and the owner when known), synced, closed
// and renamed over `target`; removed when any of that fails.
bool installTemporary(int fd, const QByteArray &temp, const QString &target, mode_t mode, uid_t uid,
                      gid_t gid, bool ok, QString reason, QString *error)
{
    ok = ok && ::fchmod(fd, mode) == 0;
    // Only root may give a file away; anyone else keeps the file as theirs.
    if (ok && (uid != ::geteuid() || gid != ::getegid()) && ::fchown(fd, uid, gid) != 0 &&
        errno != EPERM)
        ok = false;
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok && reason.isEmpty())
        reason = systemError();
    if (::close(fd) != 0 && ok) {
        reason = systemError();
        ok = false;
    }
    const QString tempName = QFile::decodeName(temp);
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

bool replaceAtomically(const QString &target, mode_t mode, uid_t uid, gid_t gid,
                       const QByteArray &content, QString *error)
{
    QByteArray temp;
    const int fd = createTemporary(target, &temp, error);
    if (fd < 0)
        return false;
    QString reason;
    const bool ok = writeAll(fd, content, &reason);
    return installTemporary(fd, temp, target, mode, uid, gid, ok, reason, error);
}

OutputTarget::Refusal refusalOf(const QString &path, const struct stat &st,
                                OutputTarget::Takes takes)
{
    if (S_ISDIR(st.st_mode))
        return OutputTarget::Refusal::Folder;
    if (takes == OutputTarget::Takes::FilesOnly && (!S_ISREG(st.st_mode) || namesDescriptor(path)))
        return OutputTarget::Refusal::NotAFile;
    // A descriptor the shell opened (/dev/stdout on a terminal) is as "-".
    if (isTerminal(st) && !namesDescriptor(path))
        return OutputTarget::Refusal::Terminal;
    return OutputTarget::Refusal::None;
}

// The one answer every kind of output gives to a path it may not use.
bool refused(const QString &path, const struct stat &st, OutputTarget::Takes takes, QString *error)
{
    switch (refusalOf(path, st, takes)) {
    case OutputTarget::Refusal::None:
        return false;
    case OutputTarget::Refusal::Folder:
        *error = QStringLiteral("%1: is a folder").arg(path);
        break;
    case OutputTarget::Refusal::NotAFile:
        *error = QStringLiteral("%1: a device, FIFO or descriptor, not a file").arg(path);
        break;
    case OutputTarget::Refusal::Terminal:
        *error = QStringLiteral("%1 is a terminal or serial port, never an output; write, set "
                                "--port, reset and restore write to a transmitter")
                     .arg(path);
        break;
    }
    return true;
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

OutputTarget::Refusal OutputTarget::refusal() const
{
    struct stat st {
    };
    if ((takes == Takes::AnyOutput && isStandardOutput(path)) ||
        ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Refusal::None;
    return refusalOf(path, st, takes);
}

bool OutputTarget::check(QString *error) const
{
    if (takes == Takes::AnyOutput && isStandardOutput(path))
        return true;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    if (::stat(name.constData(), &st) != 0) {
        const QString end = linkEnd(path);
        if (errno == ENOENT && folderWritable(end))
            return true;
        const int cause = errno; // of the folder's test when the file is missing
        const QString reason = systemError();
        *error =
            cause == ENOENT || cause == EACCES
                ? QStringLiteral("%1: cannot create it in %2: %3").arg(path, folderOf(end), reason)
                : QStringLiteral("%1: %2").arg(path, reason);
        return false;
    }
    if (refused(path, st, takes, error))
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
    const bool toStandardOutput = takes == Takes::AnyOutput && isStandardOutput(path);
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    if (toStandardOutput) {
        ok = writeAll(STDOUT_FILENO, content, &reason);
    } else if (::stat(name.constData(), &st) != 0) {
        ok = replaceAtomically(linkEnd(path), newFileMode(), ::geteuid(), ::getegid(), content,
                               &reason);
    } else if (refused(path, st, takes, error)) {
        return false;
    } else if (namesDescriptor(path) || !S_ISREG(st.st_mode)) {
        ok = writeInPlace(name, S_ISREG(st.st_mode) ? O_APPEND : 0, content, &reason);
    } else {
        const QString file = QFileInfo(path).canonicalFilePath();
        ok = st.st_nlink > 1 || !folderWritable(file)
                 ? rewriteInPlace(file, content, &reason)
                 : replaceAtomically(file, st.st_mode & 07777, st.st_uid, st.st_gid, content,
                                     &reason);
    }
    if (!ok)
        *error = QStringLiteral("%1: %2").arg(
            toStandardOutput ? QStringLiteral("standard output") : path, reason);
    return ok;
}

AppendingOutput::~AppendingOutput() { abandon(); }

void AppendingOutput::abandon()
{
    if (mode == Mode::Temporary) {
        ::close(fd);
        ::unlink(tempName.constData());
    } else if (mode == Mode::InPlace) {
        QString ignored;
        finishOver(fd, false, before, &ignored);
    } else if (ownsFd) {
        ::close(fd);
    }
    mode = Mode::Through;
    ownsFd = false;
    fd = -1;
}

bool AppendingOutput::open(const QString &output, QString *error)
{
    path = output;
    if (isStandardOutput(path)) {
        fd = STDOUT_FILENO;
        return true;
    }
    struct stat st {
    };
    const QByteArray name = QFile::encodeName(path);
    const bool exists = ::stat(name.constData(), &st) == 0;
    if (exists && refused(path, st, OutputTarget::Takes::AnyOutput, error))
        return false;
    QString reason;
    if (exists && (namesDescriptor(path) || !S_ISREG(st.st_mode))) {
        fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | (S_ISREG(st.st_mode) ? O_APPEND : 0));
        ownsFd = fd >= 0;
        if (fd < 0)
            reason = systemError();
    } else if (exists &&
               (st.st_nlink > 1 || !folderWritable(QFileInfo(path).canonicalFilePath()))) {
        target = QFileInfo(path).canonicalFilePath();
        fd = openOver(target, &before, &reason);
        mode = fd >= 0 ? Mode::InPlace : Mode::Through;
    } else {
        target = exists ? QFileInfo(path).canonicalFilePath() : linkEnd(path);
        fileMode = exists ? st.st_mode & 07777 : newFileMode();
        uid = exists ? st.st_uid : ::geteuid();
        gid = exists ? st.st_gid : ::getegid();
        fd = createTemporary(target, &tempName, &reason);
        mode = fd >= 0 ? Mode::Temporary : Mode::Through;
    }
    if (fd < 0) {
        *error = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    }
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

bool AppendingOutput::commit(QString *error)
{
    QString reason;
    bool ok = true;
    if (mode == Mode::Temporary)
        ok = installTemporary(fd, tempName, target, fileMode, uid, gid, true, QString(), &reason);
    else if (mode == Mode::InPlace)
        ok = finishOver(fd, true, before, &reason);
    else
        return true;
    mode = Mode::Through;
    fd = -1;
    if (!ok)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return ok;
}

} // namespace files
