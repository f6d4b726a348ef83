#include "simulator.h"

#include "frames.h"
#include "motion.h"
#include "statefile.h"
#include "transmitterframes.h"

#include <QSocketNotifier>
#include <QTime>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

void logLine(const QString &text)
{
    const QByteArray line =
        QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")).toUtf8() + text.toUtf8();
    std::fprintf(stdout, "%s\n", line.constData());
    std::fflush(stdout);
}

Simulator::Simulator(PseudoTerminal &terminal, const TxParamsRecord &settings,
                     const Options &options, QObject *parent)
    : QObject(parent), terminal(terminal), options(options), device(settings, options.deviceFaults),
      lineFaults(options.lineFaults), line(terminal, options.adapter)
{
    if (!options.sentLogPath.isEmpty()) {
        sentLog.setFileName(options.sentLogPath);
        if (!sentLog.open(QIODevice::WriteOnly | QIODevice::Truncate))
            logLine(QStringLiteral("cannot write %1: %2")
                        .arg(options.sentLogPath, sentLog.errorString()));
    }

    input = new QSocketNotifier(terminal.masterFd(), QSocketNotifier::Read, this);
    connect(input, &QSocketNotifier::activated, this, &Simulator::readInput);

    writeTimer.setSingleShot(true);
    writeTimer.setTimerType(Qt::PreciseTimer); // the pause inside a split frame is 2 ms
    connect(&writeTimer, &QTimer::timeout, this, &Simulator::writeNext);
    clock.start();
    connect(&line, &AdapterLine::refused, this, [this] {
        if (device.streaming())
            stopDeadStream();
    });

    servoTimer.setTimerType(Qt::PreciseTimer);
    servoTimer.setInterval(1000 / options.servoHz);
    connect(&servoTimer, &QTimer::timeout, this, &Simulator::streamServo);
    statusTimer.setInterval(statusIntervalMs);
    connect(&statusTimer, &QTimer::timeout, this, &Simulator::streamStatus);

    ackTimer.setInterval(ackSummaryIntervalMs);
    connect(&ackTimer, &QTimer::timeout, this, &Simulator::summariseAcks);
    ackTimer.start();
}

void Simulator::readInput()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(terminal.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            tokenizer.feed(QByteArray(buffer, int(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: all read; EIO: no client has the port open just now
    }
    // A stray byte is reported per delivery rather than held until the next token.
    tokenizer.flushSkipped();
    for (const InputTokenizer::Token &token : tokenizer.takeTokens())
        handle(token);
}

void Simulator::handle(const InputTokenizer::Token &token)
{
    const bool wasStreaming = device.streaming();
    if (wasStreaming && token.kind == InputTokenizer::Kind::Ack)
        ++liveAcks;
    if (token.kind == InputTokenizer::Kind::Ack)
        replyAcknowledged();
    const SimDevice::Reply reply = device.handle(token);
    if (!reply.log.isEmpty())
        logLine(reply.log);
    if (!reply.writes.isEmpty()) {
        queueReply(reply.writes);
        if (device.streaming())
            logLine(options.streamDuringReply ? QStringLiteral("RR: stream keeps running")
                                              : QStringLiteral("RR: stream paused"));
    }
    if (reply.settingsChanged)
        saveState();
    if (device.streaming() && !wasStreaming) {
        streamClock.start();
        liveFramesSent = liveAcks = 0;
        servoTimer.start();
        statusTimer.start();
        logLine(QStringLiteral("OK: servo frames at %1 Hz, status frames at %2 Hz")
                    .arg(options.servoHz)
                    .arg(1000 / statusIntervalMs));
    } else if (!device.streaming() && wasStreaming) {
        servoTimer.stop();
        statusTimer.stop();
        logStreamTotals();
    }
}

void Simulator::queueLive(const QByteArray &bytes)
{
    outgoing.enqueue(bytes);
    scheduleWrite();
}

void Simulator::queueReply(const QVector<QByteArray> &frames)
{
    if (readReplyLeft == 0) {
        replyDueMs = clock.elapsed() + options.replyDelayMs;
        awaitingAck = false;
    }
    readReplyLeft += frames.size();
    for (const QByteArray &frame : frames)
        replyFrames.enqueue(frame);
    scheduleWrite();
}

void Simulator::replyAcknowledged()
{
    if (!awaitingAck)
        return;
    awaitingAck = false;
    replyDueMs = qMin(replyDueMs, clock.elapsed());
    scheduleWrite();
}

// When the next frame of a queue may go. Reply frames follow their own pace;
// with the stream paused they also keep the write gap after a live frame.
// Live frames keep the write gap after any write, except while a reply goes
// out with the stream running: then the two are independent, as two tasks
// of a transmitter writing to one line are.
qint64 Simulator::dueMs(bool reply) const
{
    const qint64 afterGap = lastWriteMs + options.writeGapMs;
    if (reply)
        return lastWasReply || options.streamDuringReply ? replyDueMs : qMax(replyDueMs, afterGap);
    return readReplyLeft > 0 && options.streamDuringReply ? 0 : afterGap;
}

void Simulator::scheduleWrite()
{
    if (!pieces.isEmpty())
        return; // the rest of a split write is timed already
    qint64 due = -1;
    if (!outgoing.isEmpty())
        due = dueMs(false);
    if (!replyFrames.isEmpty())
        due = due < 0 ? dueMs(true) : qMin(due, dueMs(true));
    if (due >= 0)
        writeTimer.start(int(qMax<qint64>(0, due - clock.elapsed())));
}

void Simulator::writeNext()
{
    const qint64 now = clock.elapsed();
    if (pieces.isEmpty()) {
        // Live frames first: with the stream paused they are only those queued before the reply.
        bool live = !outgoing.isEmpty() && dueMs(false) <= now;
        const bool replyDue = !replyFrames.isEmpty() && dueMs(true) <= now;
        // A live frame left waiting for a partner to merge with lets a due reply frame pass.
        if (live && replyDue && outgoing.size() < lineFaults.framesPerWrite())
            live = false;
        if (!live && !replyDue) {
            scheduleWrite();
            return;
        }
        if (live && waitForPartner())
            return;
        QQueue<QByteArray> &source = live ? outgoing : replyFrames;
        piecesFromReply = !live;
        piecesFrames.clear();
        while (piecesFrames.size() < lineFaults.framesPerWrite() && !source.isEmpty())
            piecesFrames.append(source.dequeue());
        for (const QByteArray &piece : lineFaults.writesFor(piecesFrames))
            pieces.enqueue(piece);
    }
    const bool written = line.write(pieces.dequeue());
    lastWriteMs = now;
    lastWasReply = piecesFromReply;
    if (!written && device.streaming()) {
        stopDeadStream();
        return;
    }
    if (pieces.isEmpty()) {
        for (const QByteArray &frame : piecesFrames)
            frameWritten(frame, written, piecesFromReply);
        if (piecesFromReply) {
            replyDueMs = now + (options.stopAndWait ? ackTimeoutMs : options.replyGapMs);
            awaitingAck = options.stopAndWait;
        }
        scheduleWrite();
    } else {
        writeTimer.start(LineFaults::splitPauseMs);
    }
}

// A frame to be merged waits for the next one, but not for ever: the stream
// may have stopped, or the read reply ended on an odd frame.
bool Simulator::waitForPartner()
{
    if (outgoing.size() >= lineFaults.framesPerWrite()) {
        partnerWait.invalidate();
        return false;
    }
    if (!partnerWait.isValid())
        partnerWait.start();
    if (partnerWait.elapsed() >= mergeWaitMs) {
        partnerWait.invalidate();
        return false;
    }
    writeTimer.start(options.writeGapMs);
    return true;
}

void Simulator::frameWritten(const QByteArray &frame, bool written, bool reply)
{
    // Servo and status frames are the only 20-byte frames.
    if (written && device.streaming() && frame.size() == protocol::servoFrameLength)
        ++liveFramesSent;
    if (written && sentLog.isOpen()) {
        sentLog.write(frame.toHex() + '\n');
        sentLog.flush();
    }
    if (reply && --readReplyLeft == 0)
        logLine(device.streaming() && !options.streamDuringReply
                    ? QStringLiteral("RR: reply sent, stream resumed")
                    : QStringLiteral("RR: reply sent"));
}

// Nobody reads: the client went away without "DIS". Stop, and do not greet
// the next client with a backlog of stale frames.
void Simulator::stopDeadStream()
{
    device.stopStreaming();
    servoTimer.stop();
    statusTimer.stop();
    outgoing.clear();
    replyFrames.clear();
    pieces.clear();
    piecesFrames.clear();
    partnerWait.invalidate();
    readReplyLeft = 0;
    awaitingAck = false;
    line.clear();
    terminal.discardUnread();
    logLine(QStringLiteral("nobody is reading: stream stopped, unread frames dropped"));
    logStreamTotals();
}

// Live frames wait while a read reply is going out (unless the stream runs
// during replies), and are dropped rather
// than queued behind one another when the line cannot keep up.
bool Simulator::streamMayWrite() const
{
    return (readReplyLeft == 0 || options.streamDuringReply) && outgoing.size() < 2;
}

void Simulator::streamServo()
{
    if (streamMayWrite())
        queueLive(protocol::encodeServoFrame(telemetryAt(streamClock.elapsed() / 1000.0)));
}

void Simulator::streamStatus()
{
    if (streamMayWrite())
        queueLive(protocol::encodeStatusFrame(telemetryAt(streamClock.elapsed() / 1000.0)));
}

void Simulator::summariseAcks()
{
    const int n = device.takeAckCount();
    if (n == 0)
        return;
    ackTotal += n;
    logLine(QStringLiteral("WWW: %1 acknowledgement(s) in the last %2 s (%3 in all)")
                .arg(n)
                .arg(ackSummaryIntervalMs / 1000)
                .arg(ackTotal));
}

// One acknowledgement per live frame means the tool saw each as a delivery
// of its own.
void Simulator::logStreamTotals()
{
    logLine(QStringLiteral("stream: %1 live frame(s) sent, %2 acknowledgement(s) received")
                .arg(liveFramesSent)
                .arg(liveAcks));
    if (options.adapter.stallMs > 0)
        logLine(QStringLiteral("adapter: %1 packet(s) held back %2 ms")
                    .arg(line.heldPackets())
                    .arg(options.adapter.stallMs));
}

void Simulator::saveState()
{
    if (options.statePath.isEmpty())
        return;
    QString error;
    if (statefile::save(options.statePath, device.settings(), &error))
        logLine(QStringLiteral("settings saved to %1").arg(options.statePath));
    else
        logLine(QStringLiteral("cannot save settings to %1: %2").arg(options.statePath, error));
}
