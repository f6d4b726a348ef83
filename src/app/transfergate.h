#pragma once

#include <QObject>
#include <QVector>

class QAbstractButton;

// Keeps the transfers (read, load, write, save, factory reset) from running
// into each other: a read reply that lands between the S and the G frame of
// a write makes the G and H frames carry the transmitter's old values, and
// a write clicked twice sends S, S, G, H, G, H.
//
// From the click on, the other command buttons are disabled; they are enabled
// again when the transfer ends. The clicked button keeps its own short
// lock-out (the flows do that), and a click on it while its transfer still
// runs starts nothing. A transfer that the link session carries on after its
// slot has returned (a read until its reply is complete, a write until it is
// checked) ends when the session says so.
class TransferGate : public QObject
{
public:
    TransferGate(const QVector<QAbstractButton *> &commands, QObject *parent);

    // A transfer for as long as it lives, unless handed to the session
    // (handOver), which then calls end(). False (and nothing held) when
    // another transfer runs: the caller must return at once.
    class Flow
    {
    public:
        Flow(TransferGate &gate, QAbstractButton *clicked);
        ~Flow();
        Flow(const Flow &) = delete;
        Flow &operator=(const Flow &) = delete;
        explicit operator bool() const { return admitted; }
        void handOver() { admitted = false; }

    private:
        TransferGate &gate;
        bool admitted;
    };

    bool busy() const { return running; }
    void end();

private:
    QVector<QAbstractButton *> commands;
    QVector<QAbstractButton *> disabledByGate;
    bool running = false;
};
