#pragma once

#include "adapterpackets.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class PseudoTerminal;

// The transmitter's writes on their way through a USB serial adapter to the
// pseudo-terminal: each packet of the adapter (AdapterPackets) is one write to
// the terminal, made when it is due, so the tool gets the deliveries such an
// adapter gives.
//
// The terminal hands two writes over together unless the reader took the
// first before the second came. A timer that fires late may find two packets
// of a chip due at once; they still go out a USB frame (usbFrameMs) apart,
// as the host polls a full-speed adapter no more often, so that a late timer
// does not glue what the adapter keeps apart.
class AdapterLine : public QObject
{
    Q_OBJECT

public:
    AdapterLine(PseudoTerminal &terminal, const AdapterPackets::Policy &policy,
                QObject *parent = nullptr);

    // False when the terminal refused what was due by now (nobody reads).
    bool write(const QByteArray &bytes);
    // Drops what the adapter still holds.
    void clear();
    int heldPackets() const { return packets.heldPackets(); }

signals:
    // A packet that fell due later was refused by the terminal.
    void refused();

private:
    bool deliverDue();
    void deliverLater();

    static constexpr int usbFrameMs = 1;

    PseudoTerminal &terminal;
    AdapterPackets packets;
    bool spaced; // one packet per USB frame (the chips; a cdc write is its own packet)
    QVector<QByteArray> ready; // due, waiting for their USB frame
    qint64 nextFrameNs = 0;
    QElapsedTimer clock;
    QTimer timer;
};
