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
      lineFaults(options.lineFaults)
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
    sinceLastWrite.start();

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
    const SimDevice::Reply reply = device.handle(token);
    if (!reply.log.isEmpty())
        logLine(reply.log);
    for (const QByteArray &bytes : reply.writes)
        queueWrite(bytes);
    if (!reply.writes.isEmpty()) {
        readReplyLeft += reply.writes.size();
        if (device.streaming())
            logLine(QStringLiteral("RR: stream paused"));
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

void Simulator::queueWrite(const QByteArray &bytes)
{
    outgoing.enqueue(bytes);
    if (!writeTimer.isActive())
        writeTimer.start(int(qMax<qint64>(0, options.writeGapMs - sinceLastWrite.elapsed())));
}

void Simulator::writeNext()
{
    if (pieces.isEmpty()) {
        if (outgoing.isEmpty() || waitForPartner())
            return;
        piecesFrames.clear();
        while (piecesFrames.size() < lineFaults.framesPerWrite() && !outgoing.isEmpty())
            piecesFrames.append(outgoing.dequeue());
        for (const QByteArray &piece : lineFaults.writesFor(piecesFrames))
            pieces.enqueue(piece);
    }
    const bool written = terminal.write(pieces.dequeue());
    sinceLastWrite.restart();
    if (!written && device.streaming()) {
        stopDeadStream();
        return;
    }
    if (pieces.isEmpty()) {
        for (const QByteArray &frame : piecesFrames)
            frameWritten(frame, written);
    }
    if (!pieces.isEmpty())
        writeTimer.start(LineFaults::splitPauseMs);
    else if (!outgoing.isEmpty())
        writeTimer.start(readReplyLeft > 0 ? readReplyGapMs : options.writeGapMs);
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

void Simulator::frameWritten(const QByteArray &frame, bool written)
{
    // Servo and status frames are the only 20-byte frames.
    if (written && device.streaming() && frame.size() == protocol::servoFrameLength)
        ++liveFramesSent;
    if (written && sentLog.isOpen()) {
        sentLog.write(frame.toHex() + '\n');
        sentLog.flush();
    }
    if (readReplyLeft > 0 && --readReplyLeft == 0)
        logLine(device.streaming() ? QStringLiteral("RR: reply sent, stream resumed")
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
    pieces.clear();
    piecesFrames.clear();
    partnerWait.invalidate();
    readReplyLeft = 0;
    terminal.discardUnread();
    logLine(QStringLiteral("nobody is reading: stream stopped, unread frames dropped"));
    logStreamTotals();
}

// Live frames wait while a read reply is going out, and are dropped rather
// than queued behind one another when the line cannot keep up.
bool Simulator::streamMayWrite() const { return readReplyLeft == 0 && outgoing.size() < 2; }

void Simulator::streamServo()
{
    if (streamMayWrite())
        queueWrite(protocol::encodeServoFrame(telemetryAt(streamClock.elapsed() / 1000.0)));
}

void Simulator::streamStatus()
{
    if (streamMayWrite())
        queueWrite(protocol::encodeStatusFrame(telemetryAt(streamClock.elapsed() / 1000.0)));
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
