#include "transmitterlink.h"

#include "frames.h"
#include "portaccess.h"
#include "portlist.h"
#include "serialsetup.h"

namespace
{
constexpr int sliceMs = 20;
constexpr int writeTimeoutMs = 1000;
} // namespace

TransmitterLink::~TransmitterLink() { close(); }

bool TransmitterLink::open(const QString &portName, QString *error)
{
    // Qt names its lock file after the path it is given: every spelling of a
    // device must come to the same path, so two programs never share it.
    const QString device = portlist::resolveDevice(portName);
    if (!portlist::clearStaleLock(device, error))
        return false;
    givenName = portName;
    port.setPortName(device);
    configureTransmitterLine(port);
    if (!port.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot open %1: %2").arg(portName, openFailureText(device));
        return false;
    }
    clock.start();
    lostReason.clear();
    return send(protocol::commandConnect, error);
}

QString TransmitterLink::openFailureText(const QString &device) const
{
    switch (portlist::openFailure(port.error(), device)) {
    case portlist::OpenFailure::Busy: {
        const QString holder = portlist::deviceHolder(device);
        return holder.isEmpty() ? QStringLiteral("in use by another program")
                                : QStringLiteral("in use by another program (%1)").arg(holder);
    }
    case portlist::OpenFailure::AccessDenied:
        return QStringLiteral("permission denied: %1").arg(portlist::accessAdvice(device));
    case portlist::OpenFailure::Other:
        break;
    }
    return port.errorString();
}

void TransmitterLink::close()
{
    if (!port.isOpen())
        return;
    if (lostReason.isEmpty()) {
        port.write(protocol::commandDisconnect);
        // Qt drops unwritten bytes on close: let the notice leave first.
        port.waitForBytesWritten(writeTimeoutMs);
    }
    port.close();
}

bool TransmitterLink::failed(QString *error)
{
    if (lostReason.isEmpty()) {
        const QSerialPort::SerialPortError e = port.error();
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
            e == QSerialPort::WriteError || e == QSerialPort::TimeoutError) {
            // A vanished device reports whatever the last system call said
            // ("Inappropriate ioctl for device"): say what it means.
            const QString why =
                e == QSerialPort::TimeoutError ? QStringLiteral("write timed out")
                : e == QSerialPort::WriteError
                    ? port.errorString()
                    : QStringLiteral("the device is gone (unplugged?): %1").arg(port.errorString());
            lostReason = QStringLiteral("link to %1 lost: %2").arg(givenName, why);
        }
    }
    if (lostReason.isEmpty())
        return false;
    *error = lostReason;
    return true;
}

bool TransmitterLink::stopped(QString *error) const
{
    if (!stopCondition || !stopCondition())
        return false;
    *error = QStringLiteral("interrupted");
    return true;
}

bool TransmitterLink::send(const QByteArray &bytes, QString *error)
{
    if (failed(error) || stopped(error))
        return false;
    if (!port.isOpen()) {
        *error = QStringLiteral("the port is not open");
        return false;
    }
    // waitForBytesWritten is also false when nothing was left to write.
    if (port.write(bytes) != bytes.size() ||
        (!port.waitForBytesWritten(writeTimeoutMs) && port.bytesToWrite() > 0)) {
        if (!failed(error)) {
            lostReason = QStringLiteral("link to %1 lost: cannot write").arg(givenName);
            *error = lostReason;
        }
        return false;
    }
    return true;
}

bool TransmitterLink::receive(int ms, const FrameHandler &handler, QString *error,
                              const std::function<bool()> &done)
{
    const auto finished = [&done] { return done && done(); };
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        while (!pending.isEmpty() && !finished()) {
            handler(pending.takeFirst());
            if (!send(protocol::commandAck, error))
                return false;
        }
        if (failed(error) || stopped(error))
            return false;
        const qint64 left = ms - elapsed.elapsed();
        if (finished() || left <= 0)
            return true;
        // A quiet slice sets a timeout error, which means nothing here.
        if (port.bytesAvailable() > 0 || port.waitForReadyRead(int(qMin<qint64>(left, sliceMs))))
            framer.push(port.readAll(), clock.elapsed());
        else if (port.error() == QSerialPort::TimeoutError)
            port.clearError();
        framer.idle(clock.elapsed());
        pending += framer.takeFrames();
    }
}
