#include "transmitterlink.h"

#include "frames.h"

namespace
{
constexpr int sliceMs = 20;
constexpr int writeTimeoutMs = 1000;
} // namespace

TransmitterLink::~TransmitterLink() { close(); }

bool TransmitterLink::open(const QString &portName, QString *error)
{
    port.setPortName(portName);
    port.setBaudRate(QSerialPort::Baud115200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot open %1: %2").arg(portName, port.errorString());
        return false;
    }
    clock.start();
    lostReason.clear();
    return send(protocol::commandConnect, error);
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
            lostReason = QStringLiteral("link to %1 lost: %2")
                             .arg(port.portName(), e == QSerialPort::TimeoutError
                                                       ? QStringLiteral("write timed out")
                                                       : port.errorString());
        }
    }
    if (lostReason.isEmpty())
        return false;
    *error = lostReason;
    return true;
}

bool TransmitterLink::send(const QByteArray &bytes, QString *error)
{
    if (failed(error))
        return false;
    if (!port.isOpen()) {
        *error = QStringLiteral("the port is not open");
        return false;
    }
    // waitForBytesWritten is also false when nothing was left to write.
    if (port.write(bytes) != bytes.size() ||
        (!port.waitForBytesWritten(writeTimeoutMs) && port.bytesToWrite() > 0)) {
        if (!failed(error)) {
            lostReason = QStringLiteral("link to %1 lost: cannot write").arg(port.portName());
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
        if (failed(error))
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
