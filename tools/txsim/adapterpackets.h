#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <random>

// How a USB serial adapter hands the transmitter's bytes to the computer: in
// packets, each of which the serial port reports as one delivery. Pure timing,
// no I/O: the transmitter's writes go in with their times, packets come out
// with the times they reach the computer. Times are in nanoseconds.
//
//   cdc    the transmitter is a USB device itself: each write is one packet,
//          at once (no serial line in between)
//   ftdi   bytes cross a 115200 8N1 line into the chip, which sends 62 data
//          bytes when it has them, or what it has when its latency timer
//          (16 ms unless set) runs out, counted from the first byte waiting
//   ch340  bytes cross the line as for ftdi; the chip sends up to 32 bytes
//          once the line has been idle for ch340IdleNs, or at once when 32
//          are waiting
// Any kind may also stall now and then (Policy::stallMs): the packet that
// carries a chosen byte of a write is held back that long, as a busy host
// controller or hub can, and everything behind it waits too. Which writes
// and bytes are chosen follows a seed, so a run repeats.
// On the line a write starts when the previous one has left, so writes that
// come faster than the line carries them queue up back to back.
class AdapterPackets
{
public:
    enum class Kind { Cdc, Ftdi, Ch340 };
    struct Policy {
        Kind kind = Kind::Cdc;
        int latencyMs = 16;  // ftdi only
        int stallMs = 0;     // 0: never held back
        int stallOneIn = 20; // about one write in this many is held
        quint32 seed = 1;
    };
    struct Packet {
        QByteArray bytes;
        qint64 dueNs;
    };

    // One byte with its start and stop bits at 115200 baud.
    static constexpr qint64 byteNs = 10 * 1000000000LL / 115200;
    static constexpr int ftdiPacketBytes = 62;
    static constexpr int ch340PacketBytes = 32;
    // About a dozen byte times: a pause a transmitter's gap between frames
    // exceeds but the bytes within one frame never do.
    static constexpr qint64 ch340IdleNs = 1000000;
    static constexpr int defaultFtdiLatencyMs = 16;
    static constexpr int maxFtdiLatencyMs = 255; // the chip's timer is one byte
    static constexpr int maxStallMs = 1000;

    // "cdc", "ftdi", "ftdi:LATENCY_MS" or "ch340"; false with *error otherwise.
    static bool parse(const QString &text, Policy *policy, QString *error);

    explicit AdapterPackets(const Policy &policy) : policy(policy), random(policy.seed) {}

    // The transmitter writes `bytes` at `nowNs` (never earlier than a previous write).
    void write(const QByteArray &bytes, qint64 nowNs);
    // Packets due by `nowNs`, oldest first. A packet is final once due: any
    // later write reaches the chip after it left.
    QVector<Packet> takeDue(qint64 nowNs);
    // When the next packet is due if nothing more is written; -1 with nothing waiting.
    qint64 nextDueNs() const;
    // Forgets everything not yet sent (the computer's side went away).
    void clear();
    // Packets held back by a stall so far.
    int heldPackets() const { return held; }

private:
    // The packet the waiting bytes make next: its length and due time.
    struct Cut {
        int length = 0;
        qint64 dueNs = -1;
    };
    Cut nextCut() const;
    // The same, later by the stall when one of its bytes is held.
    Cut heldCut() const;
    // The byte of a write of `size` bytes whose packet is held back, or -1.
    int heldByte(int size);

    Policy policy;
    std::minstd_rand random;
    QByteArray waiting;         // bytes on the line or in the chip, not yet sent
    QVector<qint64> arrivalNs;  // when each of them has crossed the line
    QVector<bool> holds;        // whether the packet carrying each of them is held back
    QVector<Packet> cdcPackets; // cdc: the writes, each a packet
    qint64 lineFreeNs = 0;      // when the line has carried every byte written
    int held = 0;
};
