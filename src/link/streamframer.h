#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>
#include <QtGlobal>

#include <vector>

// Cuts the transmitter's byte stream into frames whatever pieces the serial
// port delivers it in.
//
// The frames carry no length field and no checksum (layouts in frames.h):
//   servo/status  20 bytes  FE 18 / FE 19 at bytes 0 and 1
//   settings      12 bytes  FE at bytes 0 and 11, any code byte at 2
//   aux            8 bytes  AA at byte 2, nothing else fixed
// A USB serial adapter may hand over one frame in two deliveries or two frames
// in one, and a noisy line adds stray bytes. What is left to go by:
//   - the transmitter writes each frame whole and pauses between frames, so
//     a frame usually ends where a delivery ends and starts where one starts;
//   - the markers and the fixed lengths;
//   - the codes: the transmitter sends settings frames with the codes of
//     the table only, so a 12-byte reading with another code is junk, or
//     FE from junk, an aux frame and more junk;
//   - quiet time on the line: after gapMs without bytes, a frame that began
//     on a delivery edge is complete; after staleMs every unfinished frame is
//     given up.
//
// A delivery that is exactly one frame, starting on a frame boundary (after
// a gap or right after the previous frame), comes out as delivered, so with
// an adapter that keeps frames whole this reader sees what the window's
// one-delivery-one-frame decoder sees. A doubtful frame (isDoubtfulFrame)
// waits: an adapter's latency timer cuts the stream anywhere and may hold
// the rest back for 16 ms, so the head of a settings frame with code AA
// (FE xx AA and five more bytes) would otherwise be taken for an aux frame.
// It comes out as delivered when the next bytes do not continue it, or when
// the line goes stale.
//
// Anything else is parsed by choosing, over the bytes held, the reading that
// skips the fewest bytes and best lines up frame edges with delivery edges,
// and that keeps frames of known codes whole rather than reading junk and
// the head of a frame as one; a frame that might still grow, or that is
// doubtful with nothing after it yet, is held until more bytes or quiet time
// decide it.
class StreamFramer
{
public:
    // The transmitter pauses several ms between frames, while one frame takes
    // under 2 ms at 115200 baud. An adapter's latency timer may hold a piece
    // back: 16 ms by default, but users set it anywhere up to the 255 ms the
    // FTDI chips allow, and a started frame is held that long before its
    // bytes are given up (staleMs).
    static constexpr int defaultGapMs = 5;
    static constexpr int defaultStaleMs = 300;

    explicit StreamFramer(int gapMs = defaultGapMs, int staleMs = defaultStaleMs);

    // Bytes as the port delivered them, with the monotonic time of the delivery in ms.
    void push(const QByteArray &bytes, qint64 timeMs);
    // Tells the framer the line has been quiet until timeMs (call from a timer), so a
    // pending partial frame can be completed or discarded.
    void idle(qint64 timeMs);
    // Frames completed so far, oldest first; each is exactly the bytes of one whole frame,
    // as a one-delivery-one-frame link would have delivered it to the decoder.
    QList<QByteArray> takeFrames();
    // Bytes skipped while resynchronising (garbage, broken frames), for statistics.
    qint64 skippedBytes() const { return skipped; }

    // Bytes held back as the possible start of a frame.
    int pendingBytes() const { return int(held.size()); }
    // True when `bytes` is one frame of a known kind, by the window's rules:
    // its length, markers and (for 20 bytes) type.
    static bool isWholeFrame(const QByteArray &bytes);
    // True when `bytes` is a whole frame that more bytes could still show to
    // be something else: the head of a longer frame (an aux frame starting FE
    // is the head of a settings frame with code AA), a settings frame with a
    // code outside the table, or junk in front of the head of another frame.
    // Such a delivery is held until the next bytes or stale quiet time decide.
    static bool isDoubtfulFrame(const QByteArray &bytes);

private:
    // How much a trailing unfinished frame is worth waiting for.
    enum class Mode {
        Streaming, // more bytes are coming: wait rather than guess
        Quiet,     // the gap has passed: a whole frame begun on an edge ends, a partial one waits
        Final,     // given up: every byte is a frame or skipped
    };

    // Whether the bytes held end in the head of a frame that shows a marker.
    bool holdsFrameHead() const;
    void append(const QByteArray &bytes);
    void parse(Mode mode);
    void emitFrame(const QByteArray &frame);

    int gapMs;
    int staleMs;
    QByteArray held;
    // Positions in `held` where one delivery ended and the next began (the
    // start of `held` counts when heldAnchored).
    QVector<int> edges;
    bool heldAnchored = true; // `held` starts on a delivery or frame boundary
    qint64 lastDeliveryMs = 0;
    QList<QByteArray> frames;
    qint64 skipped = 0;
    // parse()'s tables, kept between calls: it runs on every delivery.
    std::vector<char> edge;
    std::vector<int> best;
    std::vector<int> choice;
};
