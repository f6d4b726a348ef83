#include "ptypeer.h"

#include "transmitterframes.h"

#include <QSocketNotifier>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    clock.start();
    char name[256] = {};
    if (::openpty(&masterFd, &slaveFd, name, nullptr, nullptr) != 0) {
        masterFd = slaveFd = -1;
        return;
    }
    path = QString::fromLocal8Bit(name);
    // Raw, so the line discipline neither echoes nor rewrites the binary frames.
    termios raw{};
    ::tcgetattr(slaveFd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slaveFd, TCSANOW, &raw);
    ::fcntl(masterFd, F_SETFL, ::fcntl(masterFd, F_GETFL) | O_NONBLOCK);

    notifier = new QSocketNotifier(masterFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { readAvailable(); });
}

PtyPeer::~PtyPeer()
{
    releaseSlave();
    closeMaster();
}

bool PtyPeer::deliver(const QByteArray &data)
{
    return masterFd >= 0 && ::write(masterFd, data.constData(), size_t(data.size())) == data.size();
}

void PtyPeer::clear()
{
    readAvailable(); // what is already on its way belongs to the past too
    bytes.clear();
    pieces.clear();
}

int PtyPeer::count(const QByteArray &needle) const
{
    int n = 0;
    for (int at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + needle.size()))
        ++n;
    return n;
}

double PtyPeer::arrivalMs(int index) const
{
    for (const Piece &p : pieces) {
        if (index < p.end)
            return p.ms;
    }
    return -1;
}

void PtyPeer::releaseSlave()
{
    if (slaveFd >= 0)
        ::close(slaveFd);
    slaveFd = -1;
}

void PtyPeer::stopTakingBytes() { ::tcflow(slaveFd, TCOOFF); }

void PtyPeer::closeMaster()
{
    delete notifier;
    notifier = nullptr;
    if (masterFd >= 0)
        ::close(masterFd);
    masterFd = -1;
}

void PtyPeer::readAvailable()
{
    if (masterFd < 0 || hangUp)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, int(n));
            pieces.append({int(bytes.size()), clock.nsecsElapsed() / 1e6});
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // EIO (or end of file): no one holds the slave any more.
        hangUp = true;
        notifier->setEnabled(false);
        return;
    }
}

bool PtyPeer::answerRead(const TxParamsRecord &p)
{
    QVector<QByteArray> reply = protocol::encodeSettingsFrames(p);
    reply.append(protocol::encodeAuxFrame(p));
    for (const QByteArray &frame : reply) {
        const int acks = count("WWW");
        if (!deliver(frame) || !QTest::qWaitFor([&] { return count("WWW") == acks + 1; }))
            return false;
    }
    return true;
}
