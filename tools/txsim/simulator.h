#pragma once

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
// Every write goes through one queue and leaves at least the write gap
// (Options::writeGapMs) after the previous one, so that each frame reaches
// the tool as its own delivery (the tool decodes one frame per delivery and
// never reassembles). The frames of a read reply are spaced wider: a busy
// machine can hand two writes over together when they come close, and a lost
// live frame is replaced at once while a lost settings frame is not. Nineteen
// of them at readReplyGapMs still arrive within the half second the tool
// waits after "RR".
//
// Line faults (LineFaults) apply to every frame on its way out; a frame that
// is to be merged waits up to mergeWaitMs for the next one.
class Simulator : public QObject
{
    Q_OBJECT

public:
    struct Options {
        int servoHz = 50;
        // Below 10 ms only for load tests: a busy tool may then get two
        // frames in one delivery, which it cannot decode.
        int writeGapMs = 10;
        QString statePath; // empty: nothing is saved
        SimDevice::Faults deviceFaults;
        LineFaults::Options lineFaults;
        QString sentLogPath; // empty: no log; else one line of hex per frame written
    };

    Simulator(PseudoTerminal &terminal, const TxParamsRecord &settings, const Options &options,
              QObject *parent = nullptr);

    static constexpr int readReplyGapMs = 25;
    static constexpr int statusIntervalMs = 200; // 5 Hz
    static constexpr int ackSummaryIntervalMs = 5000;
    static constexpr int mergeWaitMs = 100;

private:
    void readInput();
    void handle(const InputTokenizer::Token &token);
    void queueWrite(const QByteArray &bytes);
    void writeNext();
    bool waitForPartner();
    void frameWritten(const QByteArray &frame, bool written);
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

    QQueue<QByteArray> outgoing; // frames
    LineFaults lineFaults;
    QQueue<QByteArray> pieces;        // writes still due for the frames taken from `outgoing`
    QVector<QByteArray> piecesFrames; // those frames
    QElapsedTimer partnerWait;        // since a frame to be merged was first left waiting
    QFile sentLog;
    QTimer writeTimer;
    QElapsedTimer sinceLastWrite;
    int readReplyLeft = 0; // frames of a read reply still queued; the stream waits

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
