#include "transmitterlink.h"

#include "frames.h"
#include "portaccess.h"
#include "portlist.h"
#include "serialsetup.h"

#include <QEventLoop>
#include <QTimer>

namespace
{
// How often a wait looks at the stop condition, which has no signal of its
// own: Ctrl+C ends a wait within this.
constexpr int pollMs = 20;
constexpr int writeTimeoutMs = 1000;
} // namespace

TransmitterLink::TransmitterLink() : session(port, TransmitterSession::Ack::PerFrame)
{
    QObject::connect(&port, &QSerialPort::readyRead, &session,
                     [this] { session.receive(port.readAll()); });
}

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
    lostReason.clear();
    session.restart();
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
    session.abort(QStringLiteral("closed"));
    if (lostReason.isEmpty()) {
        port.write(protocol::commandDisconnect);
        // Qt drops unwritten bytes on close: let the notice leave first.
        port.waitForBytesWritten(writeTimeoutMs);
        // Nothing the transmitter still sends belongs to a later link.
        port.clear(QSerialPort::Input);
    }
    port.close();
}

bool TransmitterLink::failed(QString *error)
{
    if (lostReason.isEmpty()) {
        const QSerialPort::SerialPortError e = port.error();
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
            e == QSerialPort::WriteError) {
            // A vanished device reports whatever the last system call said
            // ("Inappropriate ioctl for device"): say what it means.
            const QString why =
                e == QSerialPort::WriteError
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

bool TransmitterLink::send(const QByteArray &bytes, QString *error)
{
    if (failed(error))
        return false;
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

bool TransmitterLink::runUntil(const std::function<bool()> &done, QString *error, int ms)
{
    if (!port.isOpen()) {
        *error = QStringLiteral("the port is not open");
        return false;
    }
    bool ok = true;
    bool over = false;
    QEventLoop loop;
    QElapsedTimer elapsed;
    elapsed.start();
    const auto check = [&] {
        if (over)
            return;
        if (failed(error)) {
            ok = false;
        } else if (stopCondition && !session.frameLeaving() && stopCondition()) {
            // A frame the port has begun goes out whole (within the stall
            // timeout): the transmitter then holds it, and it is counted sent.
            *error = QStringLiteral("interrupted");
            ok = false;
        } else if (!done() && (ms < 0 || elapsed.elapsed() < ms)) {
            return;
        }
        over = true;
        loop.quit();
    };
    // The session's own signals end the wait; timers only for what has none.
    QObject::connect(&session, &TransmitterSession::finished, &loop, check);
    QObject::connect(&session, &TransmitterSession::framesHandled, &loop, check);
    // A flood of read errors from a vanished device never ends on its own.
    QObject::connect(&port, &QSerialPort::errorOccurred, &loop, check);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, &loop, check);
    if (stopCondition)
        stopPoll.start(pollMs);
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        if (elapsed.elapsed() < ms)
            deadline.start(int(ms - elapsed.elapsed()));
        else
            check();
    });
    if (ms >= 0)
        deadline.start(ms);
    check();
    if (!over)
        loop.exec();
    if (!ok)
        session.abort(*error);
    return ok;
}

bool TransmitterLink::runJob(const std::function<void()> &start,
                             const std::function<void(int)> &progress,
                             TransmitterSession::Result *outcome, QString *error)
{
    if (failed(error))
        return false;
    bool over = false;
    QObject context;
    QObject::connect(&session, &TransmitterSession::finished, &context,
                     [&](const TransmitterSession::Result &r) {
                         *outcome = r;
                         over = true;
                     });
    if (progress)
        QObject::connect(&session, &TransmitterSession::progressed, &context, progress);
    start();
    if (!runUntil([&over] { return over; }, error))
        return false;
    if (outcome->outcome == TransmitterSession::Outcome::Done)
        return true;
    *error = failed(error) ? *error : outcome->error;
    return false;
}

bool TransmitterLink::read(const ReadOptions &options, ReadResult *result, QString *error,
                           const std::function<void(int)> &progress)
{
    TransmitterSession::Result outcome;
    QObject context;
    if (options.retryNotice)
        QObject::connect(&session, &TransmitterSession::notice, &context, options.retryNotice);
    const bool ok = runJob([&] { session.read(options); }, progress, &outcome, error);
    *result = outcome.read;
    return ok;
}

bool TransmitterLink::write(const QStringList &frames, int paceMs, QString *error,
                            const std::function<void(int)> &progress, SentFrames *sent)
{
    TransmitterSession::WriteOptions options;
    options.paceMs = paceMs;
    TransmitterSession::Result outcome;
    const bool ok = runJob([&] { session.write(frames, options); }, progress, &outcome, error);
    if (sent)
        *sent = {outcome.framesSent, outcome.frameBegun};
    return ok;
}

bool TransmitterLink::receive(int ms, const FrameHandler &handler, QString *error,
                              const std::function<bool()> &done)
{
    QObject context;
    QObject::connect(&session, &TransmitterSession::liveFrame, &context, handler);
    return runUntil([&] { return done && done(); }, error, ms);
}
