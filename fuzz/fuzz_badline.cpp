#include "frames.h"
#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "streamframer.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <QVector>

// The stream framer on a transmitter's bad line. The transmitter sends only
// real frames in its own order: read replies (the aux frame, then the
// settings frames in code order) with servo and status frames, some with
// marker bytes among their values, in between. The line puts up to four
// junk bytes before any frame, and an adapter cuts the stream anywhere and
// hands the pieces over up to 30 ms apart (well inside the stale time),
// while a timer ticks every 5 ms. Input: a frame count; per frame a byte
// choosing the next reply frame (bit 7) or a stream frame, and a byte giving
// the junk length, then the junk; then per delivery a length byte (1..64)
// and a byte choosing the quiet time before it (the rest of the line in one
// piece once the input runs out).
// Checked: no frame out is made up from junk or from a cut frame.
using namespace fuzzchecks;

namespace
{

constexpr qint64 quietSteps[8] = {0, 1, 2, 4, 5, 10, 16, 30};
constexpr qint64 tickMs = StreamFramer::defaultGapMs;

QByteArray servoFrame(int value, int at)
{
    TelemetryRecord t{};
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000 + 61 * ch;
    t.servo[at] = value;
    t.txVolt = 842;
    return protocol::encodeServoFrame(t);
}

// The aux frame, then the settings frames in code order.
QVector<QByteArray> replyFrames()
{
    TxParamsRecord p{};
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    return QVector<QByteArray>{protocol::encodeAuxFrame(p)} + protocol::encodeSettingsFrames(p);
}

QVector<QByteArray> streamFrames()
{
    QVector<QByteArray> frames;
    // Values whose bytes are markers or codes: FE, FE 18, AA, A4.
    frames << servoFrame(0x04FE, 4) << servoFrame(0x04FE, 0) << servoFrame(0x03AA, 1)
           << servoFrame(0x07A4, 7) << servoFrame(0x0618, 2) << servoFrame(1500, 3);
    TelemetryRecord t{};
    t.rssi = 0xAA;
    t.extVolt = 0xFE;
    frames << protocol::encodeStatusFrame(t);
    t.rssi = 160;
    frames << protocol::encodeStatusFrame(t);
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QVector<QByteArray> reply = replyFrames();
    static const QVector<QByteArray> stream = streamFrames();
    FuzzBytes in(data, size);
    QList<QByteArray> sent;
    QByteArray line;
    int nextReplyFrame = 0;
    for (int n = 1 + in.takeByte() % 32; n > 0; --n) {
        const std::uint8_t pick = in.takeByte();
        const QByteArray &frame = pick & 0x80 ? reply.at(nextReplyFrame++ % reply.size())
                                              : stream.at(pick % stream.size());
        line += in.take(in.takeByte() % 5);
        line += frame;
        sent.append(frame);
    }

    StreamFramer framer;
    QList<QByteArray> framed;
    qint64 now = 0;
    qint64 nextTick = tickMs;
    for (int at = 0; at < line.size();) {
        // Once the input runs out, the rest of the line comes in one piece.
        const int length = in.atEnd() ? int(line.size()) : 1 + in.takeByte() % 64;
        now += quietSteps[in.takeByte() % 8];
        for (; nextTick <= now; nextTick += tickMs) {
            framer.idle(nextTick);
            framed += framer.takeFrames();
        }
        framer.push(line.mid(at, length), now);
        framed += framer.takeFrames();
        at += length;
    }
    framer.idle(now + StreamFramer::defaultStaleMs);
    framed += framer.takeFrames();
    requireNone(madeUpFrameProblem(sent, framed));
    return 0;
}
