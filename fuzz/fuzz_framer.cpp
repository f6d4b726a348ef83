#include "decoder.h"
#include "frames.h"
#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "streamframer.h"
#include "telemetry.h"
#include "txparams.h"

#include <QVector>

// Serial deliveries with their timing, as the fuzzer likes them. Input: a
// list of events, each a control byte (bits 0..2 pick the quiet time before
// it, bit 3 a timer tick before the delivery), a length byte (length % 41)
// and that many bytes. Checked:
//   - every frame out is one whole frame of a known kind, which the window's
//     decoder takes as such;
//   - frames come out in stream order, and frames, skipped bytes and held
//     bytes account for every byte in;
//   - a delivery that is a whole frame, with quiet time before and after it,
//     comes out exactly as delivered, as soon as the framer can know it; a
//     doubtful one (the head of a longer frame, say) is held as delivered.
using namespace fuzzchecks;
using protocol::DeliveryKind;

namespace
{

constexpr qint64 quietSteps[8] = {0, 1, 2, 4, 5, 10, 30, 60};
constexpr int gapMs = StreamFramer::defaultGapMs;

struct Event {
    qint64 atMs;
    bool tickFirst;
    QByteArray bytes;
};

QVector<Event> readEvents(FuzzBytes &in, std::size_t size)
{
    QVector<Event> events;
    qint64 t = 0;
    for (std::size_t used = 0; used < size; used += 2) {
        const std::uint8_t control = in.takeByte();
        const int length = in.takeByte() % 41;
        t += quietSteps[control & 7];
        events.append({t, (control & 8) != 0, in.take(std::size_t(length))});
        used += std::size_t(events.last().bytes.size());
    }
    return events;
}

void checkFrame(const QByteArray &frame)
{
    require(StreamFramer::isWholeFrame(frame), "a frame out is not a whole frame");
    TxParamsRecord p{};
    TelemetryRecord t{};
    const DeliveryKind kind = protocol::decodeDelivery(frame, p, t).kind;
    require(kind == DeliveryKind::Servo || kind == DeliveryKind::Status ||
                kind == DeliveryKind::Aux || kind == DeliveryKind::Settings,
            "the window's decoder does not take a frame out as a frame");
}

class Run
{
public:
    explicit Run(const QVector<Event> &events) : events(events) {}

    void go()
    {
        for (int k = 0; k < events.size(); ++k) {
            const Event &e = events[k];
            if (e.tickFirst) {
                framer.idle(e.atMs);
                collect(e.atMs - lastPushMs >= gapMs);
            }
            if (e.bytes.isEmpty())
                continue;
            const bool gapBefore = lastPushMs < 0 || e.atMs - lastPushMs >= gapMs;
            heldBefore = framer.pendingBytes();
            in += e.bytes;
            framer.push(e.bytes, e.atMs);
            lastPushMs = e.atMs;
            collect(gapBefore);
            if (gapBefore && gapAfter(k) && StreamFramer::isWholeFrame(e.bytes))
                expectWhole(e.bytes);
        }
        framer.idle(lastPushMs + StreamFramer::defaultStaleMs);
        collect(true);
        require(framer.pendingBytes() == 0, "bytes held after the line went stale");
        require(frameBytes + framer.skippedBytes() == in.size(),
                "frames and skipped bytes do not account for the bytes in");
    }

private:
    bool gapAfter(int k) const
    {
        for (int next = k + 1; next < events.size(); ++next)
            if (!events[next].bytes.isEmpty())
                return events[next].atMs - events[k].atMs >= gapMs;
        return true;
    }

    // The delivery just pushed is a whole frame between two gaps: it is out,
    // or it is exactly what is held until the gap after it is known. A
    // doubtful one is held, and then depends on the bytes around it.
    void expectWhole(const QByteArray &bytes)
    {
        if (StreamFramer::isDoubtfulFrame(bytes)) {
            require(heldBefore > 0 || framer.pendingBytes() == bytes.size(),
                    "a doubtful frame was not held as delivered");
            return;
        }
        // An aux frame, with its single marker, may also be the late rest of
        // a frame held before it.
        if (bytes.size() == protocol::auxFrameLength && heldBefore > 0)
            return;
        if (framer.pendingBytes() == 0) {
            require(lastOut == bytes, "a whole frame after a gap did not come out as delivered");
            return;
        }
        require(framer.pendingBytes() == bytes.size(),
                "a whole frame after a gap is held with other bytes");
        awaited = bytes;
    }

    void collect(bool heldFrameKnown)
    {
        const QList<QByteArray> out = framer.takeFrames();
        if (!awaited.isEmpty() && heldFrameKnown) {
            require(!out.isEmpty() && out.first() == awaited,
                    "a held whole frame did not come out first once the gap was known");
            awaited.clear();
        }
        for (const QByteArray &frame : out) {
            checkFrame(frame);
            const int at = in.indexOf(frame, cursor);
            require(at >= 0, "a frame out is not in the stream after the previous frame");
            cursor = at + frame.size();
            frameBytes += frame.size();
            lastOut = frame;
        }
    }

    const QVector<Event> &events;
    StreamFramer framer;
    QByteArray in; // every byte pushed so far
    int cursor = 0;
    qint64 frameBytes = 0;
    qint64 lastPushMs = -1;
    QByteArray lastOut;
    QByteArray awaited;
    int heldBefore = 0; // bytes the framer held before the latest delivery
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzBytes in(data, size);
    const QVector<Event> events = readEvents(in, size);
    Run(events).go();
    return 0;
}
