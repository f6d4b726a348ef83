#include "streamframer.h"

#include "frames.h"

#include <array>
#include <limits>
#include <vector>

using namespace protocol;

namespace
{

// Costs of one reading of the bytes held; the cheapest wins. A skipped byte
// is dear, so a reading that explains more bytes as frames wins; among those,
// frames whose edges fall on delivery edges (or on each other) win, because
// the transmitter writes whole frames and noise comes between them. A frame
// is never free, so one 20-byte frame beats a 12-byte and an 8-byte one that
// tile the same bytes.
constexpr int costFrame = 1;
// The transmitter sends only the codes of the table: a settings frame with
// another code is junk that happens to show both markers, or a frame that
// swallowed the marker of the next one, so any reading that keeps the frames
// around it whole wins over it.
constexpr int costUnknownCode = 200;
// A frame that may be junk before the head of another frame (see
// mayHideFrameHead) loses to a reading that keeps that other frame whole.
constexpr int costHiddenHead = 40;
// An aux frame shows one fixed byte, the others two: one in 256 random
// stretches looks like an aux frame, one in 65 536 like the others. Its
// source numbers (see hasAuxSources) make up for that.
constexpr int costAuxFrame = 30;
constexpr int costLooseStart = 10; // a frame starting neither at a delivery edge nor after a frame
constexpr int costLooseEnd = 20;   // a frame followed by skipped bytes inside a delivery
constexpr int costSkip = 20;       // per byte
// A reading that swallows a whole frame, or whose channel words no servo
// output can have, is junk showing markers: dearer than skipping all of it.
constexpr int costSwallowed = costSkip * (servoFrameLength + 1);
constexpr int unreachable = std::numeric_limits<int>::max() / 2;

constexpr int choiceSkip = 0;
constexpr int choiceWait = 1; // the rest is an unfinished frame; any other choice is a length

constexpr std::array<int, 3> frameLengths{servoFrameLength, settingsFrameLength, auxFrameLength};
constexpr int longestFrame = servoFrameLength;
constexpr int servoVoltagePosition = 18; // the word after CH1..CH8

// Read for every byte many times over; the bytes must be there.
quint8 at(const QByteArray &b, int i) { return quint8(b.constData()[i]); }

bool isTwentyByteType(quint8 type) { return type == servoFrameType || type == statusFrameType; }

// Markers of a frame of `length` bytes at i; the bytes must be there.
bool markersMatch(const QByteArray &b, int i, int length)
{
    switch (length) {
    case servoFrameLength:
        return at(b, i) == frameMarker && isTwentyByteType(at(b, i + 1));
    case settingsFrameLength:
        return at(b, i) == frameMarker && at(b, i + settingsEndPosition) == frameMarker;
    default:
        return at(b, i + auxMarkerPosition) == auxMarker;
    }
}

// Whether b[i..] (shorter than `length`) can still become such a frame.
bool couldBecome(const QByteArray &b, int i, int length)
{
    const int have = b.size() - i;
    if (have >= length)
        return false;
    switch (length) {
    case servoFrameLength:
        return at(b, i) == frameMarker && (have < 2 || isTwentyByteType(at(b, i + 1)));
    case settingsFrameLength:
        return at(b, i) == frameMarker;
    default:
        return have <= auxMarkerPosition || at(b, i + auxMarkerPosition) == auxMarker;
    }
}

bool isKnownCode(quint8 code) { return settingsFrameNumber(code) != 0; }

// Whether b[i + k..] (at least two bytes held) starts like a frame by more
// than one marker: FE and a 20-byte type, FE and a known code, or (inside
// an aux frame, whose own bytes 3..6 are small source numbers) AA two on.
bool frameHeadAt(const QByteArray &b, int i, int k, int length)
{
    const int end = i + length;
    const int j = i + k;
    if (j + 1 >= end)
        return false;
    if (at(b, j) == frameMarker &&
        (isTwentyByteType(at(b, j + 1)) ||
         (j + settingsCodePosition < end && isKnownCode(at(b, j + settingsCodePosition)))))
        return true;
    return length == auxFrameLength && j + auxMarkerPosition < end &&
           at(b, j + auxMarkerPosition) == auxMarker;
}

// Junk before a frame can itself show the markers of a frame, and swallow
// the head of the real one: "xx yy AA" and the first five bytes of the next
// frame read as an aux frame. Such a reading is only taken when the bytes
// after it rule the other reading out.
bool mayHideFrameHead(const QByteArray &b, int i, int length)
{
    for (int k = 1; k < length; ++k)
        if (frameHeadAt(b, i, k, length))
            return true;
    return false;
}

// A 20-byte reading with a whole settings frame of a known code inside it:
// junk showing FE 18 or FE 19 swallowed that frame.
bool swallowsSettingsFrame(const QByteArray &b, int i, int length)
{
    for (int k = 1; k + settingsFrameLength <= length; ++k) {
        const int j = i + k;
        if (at(b, j) == frameMarker && at(b, j + settingsEndPosition) == frameMarker &&
            isKnownCode(at(b, j + settingsCodePosition)))
            return true;
    }
    return false;
}

// Bytes 3..6 of an aux frame at j are source numbers, 0..5: four such bytes
// after the AA say more than any marker does.
bool hasAuxSources(const QByteArray &b, int j)
{
    constexpr quint8 lastSource = 5;
    for (int s = auxMarkerPosition + 1; s < auxMarkerPosition + 5; ++s)
        if (at(b, j + s) > lastSource)
            return false;
    return true;
}

// A settings or 20-byte reading with an aux frame inside it, one with AA at
// byte 2 and source numbers after it: junk before the aux frame swallowed
// it, or in a servo reading small channel words look like that.
bool swallowsAuxFrame(const QByteArray &b, int i, int length)
{
    for (int k = 1; k + auxFrameLength <= length; ++k)
        if (at(b, i + k + auxMarkerPosition) == auxMarker && hasAuxSources(b, i + k))
            return true;
    return false;
}

// A servo output is a pulse width around 1000 and the transmitter runs on
// a few volts: a channel word of 4096 or more, or a voltage outside 1..30 V,
// in a servo reading means junk that shows FE 18, and the bytes after it,
// were read as a servo frame.
bool hasImplausibleServoWord(const QByteArray &b, int i)
{
    if (at(b, i + 1) != servoFrameType)
        return false;
    for (int word = 2; word < servoVoltagePosition; word += 2)
        if (at(b, i + word) >= 0x10)
            return true;
    const int centivolts =
        at(b, i + servoVoltagePosition) * 256 + at(b, i + servoVoltagePosition + 1);
    return centivolts < 100 || centivolts > 3000;
}

// The part of a servo reading there is so far already shows a channel word
// no servo has: taken whole, it would cost as junk (hasImplausibleServoWord).
bool startsImplausibleServo(const QByteArray &b, int i)
{
    if (b.size() - i < 2 || at(b, i + 1) != servoFrameType)
        return false;
    for (int word = 2; word < servoVoltagePosition && i + word < b.size(); word += 2)
        if (at(b, i + word) >= 0x10)
            return true;
    return false;
}

// A frame of `length` at i that the bytes after it may still turn into
// something else: the head of a longer frame (FE xx AA and five bytes, the
// head of settings frame 17, read as an aux frame; FE 18 or FE 19 and ten
// bytes and FE read as a settings frame), a settings frame with an unknown
// code (junk), or junk hiding the head of a frame. The next bytes or stale
// quiet time decide.
bool isDoubtful(const QByteArray &b, int i, int length)
{
    if (length < servoFrameLength && at(b, i) == frameMarker &&
        (length == auxFrameLength || isTwentyByteType(at(b, i + 1))))
        return true;
    if (length == settingsFrameLength && !isKnownCode(at(b, i + settingsCodePosition)))
        return true;
    return mayHideFrameHead(b, i, length);
}

bool showsMarker(const QByteArray &b, int i)
{
    return at(b, i) == frameMarker ||
           (b.size() - i > auxMarkerPosition && at(b, i + auxMarkerPosition) == auxMarker);
}

bool couldBecomeAny(const QByteArray &b, int i)
{
    for (int length : frameLengths)
        if (couldBecome(b, i, length))
            return true;
    return false;
}

} // namespace

StreamFramer::StreamFramer(int gapMs, int staleMs) : gapMs(gapMs), staleMs(staleMs) {}

bool StreamFramer::isWholeFrame(const QByteArray &bytes)
{
    for (int length : frameLengths)
        if (bytes.size() == length && markersMatch(bytes, 0, length))
            return true;
    return false;
}

bool StreamFramer::isDoubtfulFrame(const QByteArray &bytes)
{
    return isWholeFrame(bytes) && isDoubtful(bytes, 0, bytes.size());
}

void StreamFramer::push(const QByteArray &bytes, qint64 timeMs)
{
    if (bytes.isEmpty())
        return;
    const qint64 quiet = timeMs - lastDeliveryMs;
    lastDeliveryMs = timeMs;
    // After a gap a whole frame (not a doubtful one) is taken as delivered,
    // so what is held ends before it. Otherwise a late piece may still finish
    // a held unfinished or doubtful frame (an adapter or a busy machine can
    // hold a piece back longer than the gap), but a complete one is done.
    if (!held.isEmpty() && quiet >= gapMs) {
        // An aux frame shows a single marker: 8 bytes with AA at byte 2 may
        // as well be the late rest of a frame whose head is held.
        const bool wholeNext = isWholeFrame(bytes) && !isDoubtfulFrame(bytes) &&
                               !(bytes.size() == auxFrameLength && holdsFrameHead());
        parse(quiet >= staleMs || wholeNext ? Mode::Final : Mode::Quiet);
    }
    if (held.isEmpty() && isWholeFrame(bytes) && !isDoubtfulFrame(bytes)) {
        emitFrame(bytes);
        return;
    }
    append(bytes);
    parse(Mode::Streaming);
}

bool StreamFramer::holdsFrameHead() const
{
    for (int i = 0; i < held.size(); ++i)
        if (showsMarker(held, i) && couldBecomeAny(held, i))
            return true;
    return false;
}

void StreamFramer::idle(qint64 timeMs)
{
    if (held.isEmpty())
        return;
    const qint64 quiet = timeMs - lastDeliveryMs;
    if (quiet >= staleMs)
        parse(Mode::Final);
    else if (quiet >= gapMs)
        parse(Mode::Quiet);
}

QList<QByteArray> StreamFramer::takeFrames()
{
    QList<QByteArray> out;
    out.swap(frames);
    return out;
}

void StreamFramer::append(const QByteArray &bytes)
{
    if (held.isEmpty())
        heldAnchored = true; // a delivery starts here
    else
        edges.append(held.size());
    held += bytes;
}

void StreamFramer::emitFrame(const QByteArray &frame) { frames.append(frame); }

// Cheapest reading of `held` from the end backwards: best[2 * i + f] is the
// cost of reading held[i..] when a frame ends at i (f = 1) or not (f = 0).
void StreamFramer::parse(Mode mode)
{
    // A whole frame delivered on its own is one unit, which quiet time ends.
    // A doubtful one waits, as delivered, until more bytes or stale quiet
    // time: an adapter's latency timer may hold the rest of a longer frame
    // back. Stale, it goes by the reading below like bytes from several
    // deliveries, whose junk and pieces of cut frames can add up to a
    // frame's length: read alone it stays one frame unless junk hides a
    // frame in it.
    if (heldAnchored && edges.isEmpty() && isWholeFrame(held)) {
        const bool doubtful = isDoubtfulFrame(held);
        if (mode != Mode::Streaming && !doubtful) {
            emitFrame(held);
            held.clear();
            edges.clear();
            heldAnchored = true;
            return;
        }
        if (doubtful && mode != Mode::Final)
            return;
    }
    const int n = held.size();
    edge.assign(std::size_t(n) + 1, 0);
    edge[0] = heldAnchored;
    edge[std::size_t(n)] = 1;
    for (int e : edges)
        edge[std::size_t(e)] = 1;

    best.assign(2 * (std::size_t(n) + 1), unreachable);
    choice.assign(best.size(), choiceSkip);
    best[2 * std::size_t(n)] = best[2 * std::size_t(n) + 1] = 0;
    for (int i = n - 1; i >= 0; --i) {
        // What the bytes at i are worth whether a frame ends there or not,
        // weighed once for both cases below.
        const bool mayWait = mode != Mode::Final && n - i < longestFrame && couldBecomeAny(held, i);
        const bool marker = mayWait && showsMarker(held, i);
        const int waitExtra =
            mayWait ? (marker && mayHideFrameHead(held, i, n - i) ? costHiddenHead : 0) +
                          (startsImplausibleServo(held, i) ? costSwallowed : 0)
                    : 0;
        struct Reading {
            bool fits = false;
            bool doubtful = false;
            int cost = 0; // without the start cost and what follows
        } readings[frameLengths.size()];
        for (std::size_t k = 0; k < frameLengths.size(); ++k) {
            const int length = frameLengths[k];
            Reading &r = readings[k];
            r.fits = i + length <= n && markersMatch(held, i, length);
            if (!r.fits)
                continue;
            r.doubtful = isDoubtful(held, i, length);
            r.cost = costFrame;
            if (length == settingsFrameLength && !isKnownCode(at(held, i + settingsCodePosition)))
                r.cost += costUnknownCode;
            if (length == auxFrameLength && !hasAuxSources(held, i))
                r.cost += costAuxFrame;
            if (r.doubtful && mayHideFrameHead(held, i, length))
                r.cost += swallowsSettingsFrame(held, i, length) ? costSwallowed : costHiddenHead;
            if (length == servoFrameLength && hasImplausibleServoWord(held, i))
                r.cost += costSwallowed;
            // Small channel words can look like aux sources; settings
            // values rarely do, and channel words rarely do that and
            // hide a frame's head as well.
            if (length != auxFrameLength && swallowsAuxFrame(held, i, length))
                r.cost += length == settingsFrameLength ||
                                  (r.doubtful && mayHideFrameHead(held, i, length))
                              ? costSwallowed
                              : costHiddenHead;
        }
        for (int afterFrame = 0; afterFrame <= 1; ++afterFrame) {
            const std::size_t slot = 2 * std::size_t(i) + std::size_t(afterFrame);
            const bool anchored = afterFrame || edge[std::size_t(i)];
            const int startCost = anchored ? 0 : costLooseStart;
            const int looseEnd = afterFrame && !edge[std::size_t(i)] ? costLooseEnd : 0;
            int cost = costSkip + best[2 * std::size_t(i + 1)] + looseEnd;
            int pick = choiceSkip;
            // Waiting for more bytes: for the start of a frame, or for the
            // bytes that decide a doubtful frame, which costs what taking it
            // would, so that deferring never makes a reading cheaper.
            int waitCost = unreachable;
            if (mayWait) {
                // Only a marker makes held bytes a likely frame; without one
                // they cost what skipping them would. The head of a frame
                // inside makes them likely junk before it. Waiting for the
                // rest of a servo reading that is junk already costs what
                // taking it would: else it outbids the frame the junk follows.
                waitCost =
                    marker ? startCost + waitExtra : costSkip * (n - i) + looseEnd + waitExtra;
            }
            bool sureFrame = false; // a frame beyond doubt ends any wait here
            for (std::size_t k = 0; k < frameLengths.size(); ++k) {
                const Reading &r = readings[k];
                if (!r.fits)
                    continue;
                const int length = frameLengths[k];
                const bool doubtful = r.doubtful;
                sureFrame = sureFrame || !doubtful;
                const int c = r.cost + startCost + best[2 * std::size_t(i + length) + 1];
                // A doubtful frame waits until enough bytes follow it to hold
                // whatever longer frame it may be part of or hide the head of.
                if (doubtful && mode != Mode::Final && n - i < length + longestFrame) {
                    waitCost = qMin(waitCost, c);
                    continue;
                }
                if (c < cost) {
                    cost = c;
                    pick = length;
                }
            }
            if (!sureFrame && waitCost <= cost) { // waiting beats guessing at a tie
                cost = waitCost;
                pick = choiceWait;
            }
            best[slot] = cost;
            choice[slot] = pick;
        }
    }

    int i = 0;
    int afterFrame = 0;
    while (i < n) {
        const int pick = choice[2 * std::size_t(i) + std::size_t(afterFrame)];
        if (pick == choiceWait)
            break;
        if (pick == choiceSkip) {
            ++skipped;
            ++i;
            afterFrame = 0;
        } else {
            emitFrame(held.mid(i, pick));
            i += pick;
            afterFrame = 1;
        }
    }

    heldAnchored = i == n || afterFrame || edge[std::size_t(i)];
    held.remove(0, i);
    QVector<int> kept;
    for (int e : edges)
        if (e > i && e < n)
            kept.append(e - i);
    edges.swap(kept);
}
