#include "pseudoterminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace
{

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool olderThan(const timespec &a, const timespec &b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

// Whether the link at `linkPath` is that of a running simulator: each one
// holds an exclusive lock on its own slave for as long as it runs (see open()),
// and makes its link right after the terminal. Terminal numbers are reused at
// once, so a link left by a run that died may lead to a terminal handed out
// since, to this program (`ownSlave`) or another: a link older than its
// terminal is such a leftover. A terminal that a client holds in exclusive
// mode (a serial port library's TIOCEXCL) refuses to open with EBUSY and is
// in use as well.
bool isRunningSimulatorsLink(const QByteArray &linkPath, int ownSlave)
{
    struct stat linkInfo = {};
    struct stat target = {};
    struct stat own = {};
    if (::lstat(linkPath.constData(), &linkInfo) != 0 ||
        ::stat(linkPath.constData(), &target) != 0 || ::fstat(ownSlave, &own) != 0)
        return false;
    if (target.st_rdev == own.st_rdev || olderThan(linkInfo.st_ctim, target.st_ctim))
        return false;
    const int fd = ::open(linkPath.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    removeLink();
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
}

bool PseudoTerminal::open(const QString &linkPath, QString *error)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        *error = systemError("cannot open a pseudo-terminal");
        return false;
    }
    const char *name = ::ptsname(master);
    if (!name) {
        *error = systemError("cannot name the pseudo-terminal");
        return false;
    }
    slaveName = QString::fromLocal8Bit(name);
    slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        *error = systemError("cannot open the pseudo-terminal's slave");
        return false;
    }
    // Marks this terminal as a running simulator's, for any other one started
    // on the same link path; the lock goes with the process.
    if (::flock(slave, LOCK_EX | LOCK_NB) != 0) {
        *error = systemError("cannot lock the pseudo-terminal");
        return false;
    }
    // No echo, no line editing, no translation: the bytes are the protocol.
    termios raw{};
    if (::tcgetattr(slave, &raw) != 0) {
        *error = systemError("cannot read the terminal settings");
        return false;
    }
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B115200);
    ::cfsetospeed(&raw, B115200);
    if (::tcsetattr(slave, TCSANOW, &raw) != 0) {
        *error = systemError("cannot set raw mode");
        return false;
    }

    const QByteArray linkBytes = QFile::encodeName(linkPath);
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        if (isRunningSimulatorsLink(linkBytes, slave)) {
            *error = QStringLiteral("%1 is the link of another running txsim; leaving it alone "
                                    "(give this one its own with --link)")
                         .arg(linkPath);
            return false;
        }
        ::unlink(linkBytes.constData());
    } else if (existing.exists()) {
        *error =
            QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(linkPath);
        return false;
    }
    if (::symlink(name, linkBytes.constData()) != 0) {
        *error = systemError("cannot create the link");
        return false;
    }
    link = linkPath;
    return true;
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    int queued = 0;
    // A frame cut in half would be worse than a frame lost, so only whole ones go.
    if (::ioctl(slave, FIONREAD, &queued) == 0 && queued > 2048)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void PseudoTerminal::discardUnread()
{
    if (slave >= 0)
        ::tcflush(slave, TCIFLUSH);
}

void PseudoTerminal::removeLink()
{
    if (link.isEmpty())
        return;
    if (QFileInfo(link).symLinkTarget() == QFileInfo(slaveName).absoluteFilePath())
        ::unlink(QFile::encodeName(link).constData());
    link.clear();
}
