#include "pseudoterminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace
{

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
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
    slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        *error = systemError("cannot open the pseudo-terminal's slave");
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
