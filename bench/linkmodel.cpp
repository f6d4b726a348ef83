#include "linkmodel.h"

#include "frames.h"
#include "motion.h"
#include "simdevice.h"
#include "streamframer.h"
#include "transmitterframes.h"

#include <QRandomGenerator>

namespace
{

constexpr qint64 writeGapUs = 10000;
constexpr qint64 tickMs = StreamFramer::defaultGapMs;
// One byte of 8N1 at 115200 baud takes ten bit times.
constexpr qint64 byteUs = 87;
constexpr int ftdiPacketBytes = 62;
constexpr int replyPeriod = 100;
constexpr int writeJitterUs = 2000;

// The live stream at 50 Hz with a status frame every tenth frame, and a read
// reply (aux and 18 settings frames) every 100 frames.
QVector<QByteArray> transmitterFrames(int count)
{
    QVector<QByteArray> frames;
    const TxParamsRecord settings = demoSettings();
    for (int i = 0; frames.size() < count; ++i) {
        if (i % replyPeriod == replyPeriod / 2) {
            frames.append(protocol::encodeAuxFrame(settings));
            frames += protocol::encodeSettingsFrames(settings);
            continue;
        }
        const TelemetryRecord t = telemetryAt(i * 0.02);
        frames.append(i % 10 ? protocol::encodeServoFrame(t) : protocol::encodeStatusFrame(t));
    }
    frames.resize(count);
    return frames;
}

bool isReplyFrame(const QByteArray &frame) { return frame.size() != protocol::servoFrameLength; }

struct Timed {
    qint64 atUs;
    QByteArray bytes;
};

// What an FTDI-like adapter makes of the writes: the bytes come off the wire
// one every byteUs; a packet goes out when 62 bytes are held, or when the
// latency timer, restarted by every packet, expires with bytes held.
QVector<Timed> ftdiPackets(const QVector<Timed> &writes, int latencyMs, quint32 seed)
{
    const qint64 latencyUs = qint64(latencyMs) * 1000;
    QVector<Timed> packets;
    QByteArray held;
    qint64 timerUs = QRandomGenerator(seed).bounded(int(latencyUs)); // the timer's phase
    qint64 wireFreeUs = 0;
    auto expireUntil = [&](qint64 us) {
        for (; timerUs <= us; timerUs += latencyUs) {
            if (!held.isEmpty())
                packets.append({timerUs, held});
            held.clear();
        }
    };
    for (const Timed &w : writes) {
        qint64 at = qMax(w.atUs, wireFreeUs);
        for (char byte : w.bytes) {
            at += byteUs;
            expireUntil(at - 1);
            held += byte;
            if (held.size() == ftdiPacketBytes) {
                packets.append({at, held});
                held.clear();
                timerUs = at + latencyUs;
            }
        }
        wireFreeUs = at;
    }
    expireUntil(timerUs);
    return packets;
}

QByteArray junkEndingInMarker(QRandomGenerator &random)
{
    QByteArray junk;
    for (int n = 1 + int(random.bounded(3)); n > 0; --n)
        junk += char(random.bounded(256));
    return junk + char(0xFE);
}

} // namespace

LineModelResult runLineModel(const LineModel &model)
{
    LineFaults faults(model.faults);
    QRandomGenerator lateness(model.faults.seed);
    QRandomGenerator junk(model.faults.seed + 1000);
    QRandomGenerator jitter(model.faults.seed + 2000);
    const QVector<QByteArray> frames = transmitterFrames(model.writes * faults.framesPerWrite());
    LineModelResult r;

    // The writes in time order, as the transmitter's serial port puts them out.
    QVector<Timed> writes;
    qint64 nowUs = 0;
    for (int i = 0; i < frames.size(); i += faults.framesPerWrite()) {
        QVector<QByteArray> unit = frames.mid(i, faults.framesPerWrite());
        for (const QByteArray &f : unit)
            r.sent.append(f);
        if (model.junkEndingInMarker)
            for (QByteArray &f : unit)
                f.prepend(junkEndingInMarker(junk));
        const QVector<QByteArray> pieces = faults.writesFor(unit);
        writes.append({nowUs, pieces.first()});
        if (pieces.size() > 1) {
            const int late =
                model.latePieceMaxMs > 0 ? int(lateness.bounded(model.latePieceMaxMs + 1)) : 0;
            writes.append({nowUs + (LineFaults::splitPauseMs + late) * 1000, pieces.last()});
            nowUs += late * 1000;
        }
        const bool replyGoesOn = model.replyBurst && isReplyFrame(unit.last()) &&
                                 i + faults.framesPerWrite() < frames.size() &&
                                 isReplyFrame(frames[i + faults.framesPerWrite()]);
        nowUs += replyGoesOn ? 0 : writeGapUs;
        // The transmitter's timing is not exact: without this the writes and
        // an adapter's timer would keep the same few phases all run long.
        if (model.ftdiLatencyMs > 0)
            nowUs += jitter.bounded(writeJitterUs);
    }
    const QVector<Timed> deliveries =
        model.ftdiLatencyMs > 0 ? ftdiPackets(writes, model.ftdiLatencyMs, model.faults.seed)
                                : writes;

    // Deliveries in time order, with the framer's timer ticking in between.
    StreamFramer framer;
    qint64 nextTick = tickMs;
    for (const Timed &d : deliveries) {
        const qint64 atMs = d.atUs / 1000;
        for (; nextTick <= atMs; nextTick += tickMs) {
            framer.idle(nextTick);
            r.framed += framer.takeFrames();
        }
        framer.push(d.bytes, atMs);
        r.framed += framer.takeFrames();
    }
    framer.idle(deliveries.last().atUs / 1000 + StreamFramer::defaultStaleMs);
    r.framed += framer.takeFrames();
    r.skipped = framer.skippedBytes();
    return r;
}
