#include "transmittersession.h"

#include "decoder.h"
#include "frames.h"
#include "settingswriter.h"

#include <QDebug>
#include <QSerialPort>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#endif

namespace
{

// A started reply that has been quiet this long has said all it will: the
// transmitter pauses a few ms between frames, a slow one up to half a
// second, and an adapter's latency timer holds a piece up to 255 ms.
constexpr int replyQuietMs = 1000;
// Frames of an earlier request can complete a read while the reply to the
// latest one is still coming. That reply is let end (whole, or quiet this
// long: past an adapter's longest latency), so none of it is taken for the
// answer to whatever is sent next.
constexpr int settleMs = 300;
// How often the output is looked at while bytes are leaving: a pause is
// counted from the moment the frame is found gone, so this is all it can
// grow by.
constexpr int leaveTickMs = 1;

} // namespace

TransmitterSession::TransmitterSession(QIODevice &port, Ack ack, QObject *parent)
    : QObject(parent), port(port), ack(ack)
{
    quietTick.setSingleShot(true);
    quietTick.setInterval(StreamFramer::defaultGapMs);
    connect(&quietTick, &QTimer::timeout, this, &TransmitterSession::framerQuiet);
    replyTimer.setSingleShot(true);
    connect(&replyTimer, &QTimer::timeout, this, &TransmitterSession::replyQuiet);
    paceTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the pause is the time the
    // transmitter needs to store a frame, so it is a minimum.
    paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&paceTimer, &QTimer::timeout, this, &TransmitterSession::paceOver);
    leaveTick.setInterval(leaveTickMs);
    leaveTick.setTimerType(Qt::PreciseTimer);
    connect(&leaveTick, &QTimer::timeout, this, &TransmitterSession::checkLeft);
    if (auto *serial = qobject_cast<QSerialPort *>(&port))
        connect(serial, &QSerialPort::bytesWritten, this, &TransmitterSession::checkLeft);
    clock.start();
}

void TransmitterSession::restart()
{
    framer = StreamFramer();
    quietTick.stop();
}

void TransmitterSession::receive(const QByteArray &delivery)
{
    if (delivery.isEmpty())
        return;
    framer.push(delivery, clock.elapsed());
    handleFrames(framer.takeFrames());
    if (ack == Ack::PerDelivery)
        put(protocol::commandAck);
    if (framer.pendingBytes() > 0)
        quietTick.start();
    checkReadComplete();
}

bool TransmitterSession::enter(State next)
{
    using S = State;
    const S from = state;
    const bool allowed = next == S::Idle ||
                         (from == S::Idle && (next == S::Requesting || next == S::Sending)) ||
                         (from == S::Requesting && next == S::Receiving) ||
                         (from == S::Receiving && (next == S::Settling || next == S::Requesting)) ||
                         (from == S::Settling && next == S::Requesting) ||
                         (from == S::Sending && (next == S::Pausing || next == S::Requesting)) ||
                         (from == S::Pausing && (next == S::Sending || next == S::Requesting));
    if (!allowed) {
        qWarning("session: no move from state %d to %d, ignored", int(from), int(next));
        return false;
    }
    state = next;
    return true;
}

bool TransmitterSession::reading() const
{
    return state == State::Requesting || state == State::Receiving || state == State::Settling;
}

bool TransmitterSession::expected(bool ok, const char *event) const
{
    if (!ok)
        qInfo("session: %s in state %d, ignored", event, int(state));
    return ok;
}

void TransmitterSession::checkReadComplete()
{
    if (!reading() || received.size() < settingsReplyFrames || doubt == Doubt::LettingEnd)
        return;
    if (thisRequest.size() == settingsReplyFrames) {
        endRead();
    } else if (state != State::Settling && enter(State::Settling)) {
        settleWaitMs = settleMs;
        replyTimer.start(settleMs);
    }
}

// The line has been quiet since the last delivery: frames the framer now
// completes are handled, but not answered again per delivery; their
// delivery was.
void TransmitterSession::framerQuiet()
{
    framer.idle(clock.elapsed());
    const QList<QByteArray> completed = framer.takeFrames();
    if (!completed.isEmpty())
        handleFrames(completed);
    if (framer.pendingBytes() > 0)
        quietTick.start();
    checkReadComplete();
}

void TransmitterSession::handleFrames(const QList<QByteArray> &completed)
{
    for (const QByteArray &frame : completed) {
        TxParamsRecord ignored;
        TelemetryRecord live;
        const protocol::DecodeResult r = protocol::decodeDelivery(frame, ignored, live);
        if (r.kind == protocol::DeliveryKind::Servo || r.kind == protocol::DeliveryKind::Status) {
            emit liveFrame(frame);
        } else if (r.kind == protocol::DeliveryKind::Settings && r.frameNumber == 0) {
            // A code outside the table answers nothing, but the user's read
            // shows it as any settings frame: the display is refreshed.
            if (readFor == ReadFor::Storing &&
                (state == State::Receiving || state == State::Settling))
                emit replyFrame(frame, 0);
        } else if (r.frameNumber != 0 && (state == State::Receiving || state == State::Settling)) {
            reply.add(frame);
            if (readFor == ReadFor::Storing)
                emit replyFrame(frame, r.frameNumber);
            thisRequest.insert(r.frameNumber);
            if (!received.contains(r.frameNumber)) {
                received.insert(r.frameNumber);
                emit progressed(int(received.size()));
            }
            replyTimer.start(state == State::Settling
                                 ? settleWaitMs
                                 : qMin(replyQuietMs, readOptions.replyTimeoutMs));
        }
        if (ack == Ack::PerFrame)
            put(protocol::commandAck);
    }
    emit framesHandled();
}

bool TransmitterSession::put(const QByteArray &bytes)
{
    return port.isOpen() && port.write(bytes) == bytes.size();
}

// Bytes that must be known to have left (a request, a write's frames) are
// followed until they have; the event loop runs on meanwhile.
void TransmitterSession::send(const QByteArray &bytes, Leaving what)
{
    if (!put(bytes)) {
        notLeft(what);
        return;
    }
    leaving = what;
    stillQueued = bytesNotLeft();
    stallClock.start();
    checkLeft();
}

qint64 TransmitterSession::bytesNotLeft() const
{
    auto *serial = qobject_cast<QSerialPort *>(&port);
    if (!serial)
        return 0;
    qint64 queued = serial->bytesToWrite();
#ifdef Q_OS_UNIX
    // Bytes the port has handed to the system may still wait in its queue.
    int inSystem = 0;
    if (queued == 0 && ::ioctl(int(serial->handle()), TIOCOUTQ, &inSystem) == 0)
        queued = inSystem;
#endif
    return queued;
}

void TransmitterSession::checkLeft()
{
    if (leaving == Leaving::Nothing)
        return;
    const qint64 queued = bytesNotLeft();
    const Leaving what = leaving;
    if (queued <= 0 || (queued >= stillQueued && stallClock.elapsed() >= stallTimeoutMs)) {
        leaving = Leaving::Nothing;
        leaveTick.stop();
        if (queued <= 0)
            left(what);
        else
            notLeft(what);
        return;
    }
    if (queued < stillQueued) {
        stillQueued = queued;
        stallClock.start();
    }
    if (!leaveTick.isActive())
        leaveTick.start();
}

void TransmitterSession::left(Leaving what)
{
    switch (what) {
    case Leaving::Nothing:
        break;
    case Leaving::Request:
        // A reply complete before its request was found gone keeps its settle time.
        if (state == State::Receiving)
            replyTimer.start(readOptions.replyTimeoutMs);
        break;
    case Leaving::Frame:
        result.framesSent = ++nextFrame;
        enter(State::Pausing);
        paceClock.start();
        paceTimer.start(writeOptions.paceMs);
        break;
    case Leaving::ClosingAck:
        emit progressed(writeSteps);
        framesLeft();
        break;
    }
}

void TransmitterSession::notLeft(Leaving what)
{
    result.portRefused = true;
    result.frameBegun = what == Leaving::Frame;
    finish(Outcome::CutShort,
           what == Leaving::Request
               ? QStringLiteral("the port takes no bytes: the read request was not sent")
               : QStringLiteral("cannot write to the port"));
}

// Whatever came before a request (the tail of an earlier reply) must not
// be taken for its answer: it is framed and handled now, as frames outside
// a read. The framer keeps what it holds, so the rest of a frame the
// adapter has cut is not taken for a frame of its own when it comes.
void TransmitterSession::drainInput() { receive(port.readAll()); }

bool TransmitterSession::read(const ReadOptions &options)
{
    if (busy())
        return false;
    result = Result();
    result.job = Job::Read;
    readOptions = options;
    readFor = ReadFor::Storing;
    startReading();
    return true;
}

void TransmitterSession::startReading()
{
    reply = SettingsReply();
    received.clear();
    sendRequest();
}

void TransmitterSession::sendRequest()
{
    ++result.read.requests;
    thisRequest.clear();
    if (!enter(State::Requesting))
        return;
    drainInput();
    // Input from now on came after the request: it is its answer, even
    // when it comes before the request is found gone.
    enter(State::Receiving);
    send(protocol::commandRead, Leaving::Request);
}

void TransmitterSession::replyQuiet()
{
    if (!expected(state == State::Receiving || state == State::Settling, "reply quiet"))
        return;
    if (state == State::Settling || result.read.requests >= readOptions.attempts) {
        endRead();
        return;
    }
    QStringList missing;
    for (int n = 1; n <= settingsReplyFrames; ++n) {
        if (!received.contains(n))
            missing << settingsFrameTitle(n);
    }
    emit notice(QStringLiteral("no answer %1, asking again (%2/%3)")
                    .arg(received.isEmpty()
                             ? QStringLiteral("from the transmitter")
                             : QStringLiteral("for ") + missing.join(QStringLiteral(", ")))
                    .arg(result.read.requests + 1)
                    .arg(readOptions.attempts));
    sendRequest();
}

void TransmitterSession::endRead()
{
    replyTimer.stop();
    ReadResult &r = result.read;
    r.settings = reply.settings();
    r.received = reply.received();
    r.repairs = reply.repairs();
    r.missing.clear();
    QStringList names;
    for (int n = 1; n <= settingsReplyFrames; ++n) {
        if (!received.contains(n)) {
            r.missing.append(n);
            names << settingsFrameTitle(n);
        }
    }
    if (readFor == ReadFor::Comparing && (r.missing.isEmpty() || doubt == Doubt::AskedAgain)) {
        checkReadBack();
    } else if (r.missing.isEmpty()) {
        finish(Outcome::Done);
    } else if (received.isEmpty()) {
        finish(Outcome::NoAnswer,
               QStringLiteral("no reply from the transmitter to %1 request(s); is it switched "
                              "on and connected to this port?")
                   .arg(r.requests));
    } else {
        finish(Outcome::Incomplete,
               QStringLiteral("read incomplete after %1 request(s): missing %2")
                   .arg(r.requests)
                   .arg(names.join(QStringLiteral(", "))));
    }
}

// A read-back that differs from what was written may be the late reply to
// an earlier request (a read that gave up, say), not the transmitter's
// answer now. So a difference is believed only when it stays: the reply is
// let end and the latest frames compared again; what still differs is
// asked for once more, and only what differs both times is reported.
void TransmitterSession::checkReadBack()
{
    const ReadResult &r = result.read;
    QVector<params::FieldChange> differ;
    if (r.missing.isEmpty())
        differ = verificationMismatches(result.written, r.settings);
    if (!differ.isEmpty() && doubt == Doubt::None) {
        doubt = Doubt::LettingEnd;
        if (state != State::Settling)
            enter(State::Settling);
        settleWaitMs = replyQuietMs;
        replyTimer.start(replyQuietMs);
        return;
    }
    if (!differ.isEmpty() && doubt == Doubt::LettingEnd) {
        doubt = Doubt::AskedAgain;
        firstDifferences = differ;
        emit notice(
            QStringLiteral("%1 setting(s) read back differently, asking again").arg(differ.size()));
        startReading();
        return;
    }
    if (doubt == Doubt::AskedAgain) {
        // No whole second answer: the first difference stands.
        QVector<params::FieldChange> both =
            r.missing.isEmpty() ? QVector<params::FieldChange>() : firstDifferences;
        for (const params::FieldChange &c : differ) {
            for (const params::FieldChange &first : firstDifferences) {
                if (first.field == c.field)
                    both.append(c);
            }
        }
        differ = both;
    }
    result.mismatches = differ;
    finish(differ.isEmpty() ? Outcome::Done : Outcome::NotTaken,
           differ.isEmpty()
               ? QString()
               : QStringLiteral("%1 setting(s) read back differently").arg(differ.size()));
}

bool TransmitterSession::write(const QStringList &toSend, const WriteOptions &options)
{
    if (busy())
        return false;
    result = Result();
    result.job = Job::Write;
    result.written = settingsCarriedBy(toSend);
    frames = toSend;
    writeOptions = options;
    nextFrame = 0;
    sendNextFrame();
    return true;
}

void TransmitterSession::sendNextFrame()
{
    if (enter(State::Sending))
        send(frames.at(nextFrame).toUtf8(), Leaving::Frame);
}

void TransmitterSession::paceOver()
{
    if (!expected(state == State::Pausing, "pause over"))
        return;
    // Counted from the frame's last byte on the line, whatever the timer did.
    const qint64 left = writeOptions.paceMs - paceClock.elapsed();
    if (left > 0) {
        paceTimer.start(int(left));
        return;
    }
    emit progressed(nextFrame);
    if (nextFrame < frames.size()) {
        sendNextFrame();
        return;
    }
    if (writeOptions.closingAck && enter(State::Sending))
        send(protocol::commandAck, Leaving::ClosingAck);
    else
        framesLeft();
}

void TransmitterSession::framesLeft()
{
    // Everything has left: a write without a check is done, whatever comes next.
    if (!writeOptions.verify) {
        finish(Outcome::Done);
        return;
    }
    result.checking = true;
    emit framesSent();
    if (state == State::Idle) // stopped by a receiver
        return;
    // The read-back: the same read, its frames compared rather than stored.
    readOptions = writeOptions.check;
    readFor = ReadFor::Comparing;
    startReading();
}

void TransmitterSession::abort(const QString &why)
{
    if (busy())
        finish(Outcome::CutShort, why);
}

void TransmitterSession::finish(Outcome outcome, const QString &error)
{
    replyTimer.stop();
    paceTimer.stop();
    leaveTick.stop();
    // Bytes the port has taken may still reach the transmitter.
    result.frameBegun = result.frameBegun || leaving == Leaving::Frame;
    leaving = Leaving::Nothing;
    enter(State::Idle);
    doubt = Doubt::None;
    result.outcome = outcome;
    result.error = error;
    const Result done = result;
    emit finished(done);
}
