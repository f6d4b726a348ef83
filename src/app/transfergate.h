#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QVector>

class QAbstractButton;

// Keeps the transfers (read, load, write, save, factory reset) from running
// into each other. Their flows pause in nested event loops, so without a
// guard a second command runs in the middle of the first: a read reply that
// lands between the S and the G frame of a write makes the G and H frames
// carry the transmitter's old values, and a write clicked twice sends
// S, S, G, H, G, H.
//
// From the click on, the other command buttons are disabled; they are enabled
// again when the flow ends. The clicked button keeps its own short lock-out
// (the flows do that), and a click on it while its flow still runs starts
// nothing. A read ends only when its reply is complete or the reply has gone
// quiet, which may be long after the read's flow has returned.
class TransferGate : public QObject
{
public:
    // Frames of a complete read reply (the aux frame and 18 settings frames).
    static constexpr int replyFrames = 19;
    // Reply frames come a few ms apart, or one per acknowledgement; this
    // long without one and the transmitter has said all it will.
    static constexpr int replyQuietMs = 400;
    // However chatty the line, a read holds the other commands no longer.
    static constexpr int replyLimitMs = 5000;

    TransferGate(const QVector<QAbstractButton *> &commands, QObject *parent);

    // A transfer flow for as long as it lives. False (and nothing held) when
    // another transfer runs: the caller must return at once.
    class Flow
    {
    public:
        Flow(TransferGate &gate, QAbstractButton *clicked);
        ~Flow();
        Flow(const Flow &) = delete;
        Flow &operator=(const Flow &) = delete;
        explicit operator bool() const { return admitted; }

    private:
        TransferGate &gate;
        bool admitted;
    };

    bool busy() const { return flows > 0 || awaitingReply; }
    // The read request has gone out: hold until the reply is complete or quiet.
    void expectReply();
    // An aux or settings frame (1..19) was decoded.
    void replyFrameDecoded(int frameNumber);
    // The link closed: no reply is coming.
    void linkClosed();

private:
    void close(QAbstractButton *clicked);
    void reopenIfIdle();
    void endReply();

    QVector<QAbstractButton *> commands;
    QVector<QAbstractButton *> disabledByGate;
    int flows = 0;
    bool awaitingReply = false;
    QSet<int> replySeen;
    QTimer replyQuiet;
    QElapsedTimer replyClock;
};
