#pragma once

#include "adapterline.h"
#include "inputtokenizer.h"
#include "linefaults.h"
#include "pseudoterminal.h"
#include "simdevice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QQueue>
#include <QTimer>

class QSocketNotifier;

// Connects the device model to the pseudo-terminal: reads what the tool
// writes, answers, streams live frames and logs one line per exchange.
//
// Live frames and the frames of a read reply wait in two queues. Live frames
// leave at least the write gap (Options::writeGapMs) after the previous write,
// so that each frame reaches the tool as its own delivery unless an adapter
// or a fault glues them. The frames of a read reply are paced by
// Options::stopAndWait and replyGapMs: by default spaced wider, since a busy
// machine can hand two writes over together when they come close, and a lost
// live frame is replaced at once while a lost settings frame is not. Nineteen of
// them at readReplyGapMs still arrive within the half second the tool waits
// after "RR". Unless Options::streamDuringReply, the stream pauses while a
// reply goes out.
//
// Line faults (LineFaults) apply to every frame on its way out; a frame that
// is to be merged waits up to mergeWaitMs for the next one. Every write then
// passes the USB adapter (Options::adapter), which decides how it reaches the
// tool's side of the terminal.
class Simulator : public QObject
{
    Q_OBJECT

public:
    struct Options {
        int servoHz = 50;
        // Below 10 ms only for load tests: a busy tool may then get two
        // frames in one delivery.
        int writeGapMs = 10;
        QString statePath; // empty: nothing is saved
        SimDevice::Faults deviceFaults;
        LineFaults::Options lineFaults;
        QString sentLogPath; // empty: no log; else one line of hex per frame written
        AdapterPackets::Policy adapter;
        // The frames of a read reply: each replyGapMs after the previous one, or
        // (stopAndWait) after the tool's next "WWW", or ackTimeoutMs without one.
        bool stopAndWait = false;
        int replyGapMs = readReplyGapMs;
        bool streamDuringReply = false;
        int replyDelayMs = 0; // from "RR" to the first frame of its reply
    };

    Simulator(PseudoTerminal &terminal, const TxParamsRecord &settings, const Options &options,
              QObject *parent = nullptr);

    static constexpr int readReplyGapMs = 25;
    // Long enough for an acknowledgement through a 16 ms adapter latency;
    // short enough that a tool that never acknowledges gets a reply within 2 s.
    static constexpr int ackTimeoutMs = 100;
    static constexpr int statusIntervalMs = 200; // 5 Hz
    static constexpr int ackSummaryIntervalMs = 5000;
    static constexpr int mergeWaitMs = 100;

private:
    void readInput();
    void handle(const InputTokenizer::Token &token);
    void queueLive(const QByteArray &bytes);
    void queueReply(const QVector<QByteArray> &frames);
    void replyAcknowledged();
    qint64 dueMs(bool reply) const;
    void scheduleWrite();
    void writeNext();
    bool waitForPartner();
    void frameWritten(const QByteArray &frame, bool written, bool reply);
    void stopDeadStream();
    void streamServo();
    void streamStatus();
    bool streamMayWrite() const;
    void summariseAcks();
    void logStreamTotals();
    void saveState();

    PseudoTerminal &terminal;
    Options options;
    InputTokenizer tokenizer;
    SimDevice device;
    QSocketNotifier *input = nullptr;

    QQueue<QByteArray> outgoing;    // live frames
    QQueue<QByteArray> replyFrames; // frames of read replies not yet taken
    LineFaults lineFaults;
    QQueue<QByteArray> pieces;        // writes still due for the frames taken from a queue
    QVector<QByteArray> piecesFrames; // those frames
    bool piecesFromReply = false;
    QElapsedTimer partnerWait; // since a frame to be merged was first left waiting
    QFile sentLog;
    AdapterLine line;
    QTimer writeTimer;
    QElapsedTimer clock;
    qint64 lastWriteMs = 0;
    bool lastWasReply = false;
    qint64 replyDueMs = 0;    // the next reply frame's pace allows it from then on
    bool awaitingAck = false; // stop-and-wait: a reply frame went out, no "WWW" since
    int readReplyLeft = 0;    // frames of a read reply not yet written

    QTimer servoTimer;
    QTimer statusTimer;
    QElapsedTimer streamClock;
    QTimer ackTimer;
    int ackTotal = 0;
    // Live frames written and acknowledgements read since the stream started.
    int liveFramesSent = 0;
    int liveAcks = 0;
};

// One line on stdout, flushed at once so a pipe shows it immediately.
void logLine(const QString &text);
