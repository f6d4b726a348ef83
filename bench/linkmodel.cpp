#include "linkmodel.h"

#include "motion.h"
#include "simdevice.h"
#include "streamframer.h"
#include "transmitterframes.h"

#include <QRandomGenerator>

namespace
{

constexpr int writeGapMs = 10;
constexpr int tickMs = StreamFramer::defaultGapMs;

// The live stream at 50 Hz with a status frame every tenth frame, and a read
// reply (aux and 18 settings frames) every 100 frames.
QVector<QByteArray> transmitterFrames(int count)
{
    QVector<QByteArray> frames;
    const TxParamsRecord settings = demoSettings();
    for (int i = 0; frames.size() < count; ++i) {
        if (i % 100 == 50) {
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

} // namespace

LineModelResult runLineModel(const LineModel &model)
{
    LineFaults faults(model.faults);
    QRandomGenerator lateness(model.faults.seed);
    StreamFramer framer;
    LineModelResult r;
    const QVector<QByteArray> frames = transmitterFrames(model.writes * faults.framesPerWrite());
    qint64 now = 0;
    qint64 nextTick = tickMs;
    // Deliveries in time order, with the framer's timer ticking in between.
    auto deliver = [&](const QByteArray &bytes, qint64 at) {
        for (; nextTick <= at; nextTick += tickMs) {
            framer.idle(nextTick);
            r.framed += framer.takeFrames();
        }
        framer.push(bytes, at);
        r.framed += framer.takeFrames();
    };
    for (int i = 0; i < frames.size(); i += faults.framesPerWrite()) {
        const QVector<QByteArray> unit = frames.mid(i, faults.framesPerWrite());
        for (const QByteArray &f : unit)
            r.sent.append(f);
        const QVector<QByteArray> writes = faults.writesFor(unit);
        deliver(writes.first(), now);
        if (writes.size() > 1) {
            const int late =
                model.latePieceMaxMs > 0 ? int(lateness.bounded(model.latePieceMaxMs + 1)) : 0;
            deliver(writes.last(), now + LineFaults::splitPauseMs + late);
            now += late;
        }
        now += writeGapMs;
    }
    framer.idle(now + StreamFramer::defaultStaleMs);
    r.framed += framer.takeFrames();
    r.skipped = framer.skippedBytes();
    return r;
}
