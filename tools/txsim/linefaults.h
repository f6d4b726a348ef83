#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QVector>

// What a poor serial line or USB adapter does to the transmitter's frames,
// for trying a reader that must cope with it (the window and txctl read the
// stream through a framer that reassembles cut and glued frames).
//   split:   each write is cut in two inside its (first) frame; the second
//            piece follows after splitPauseMs, so the reader sees two deliveries
//   merge:   two consecutive frames go out in one write
//   garbage: 1..maxGarbageBytes random bytes go out right before each frame,
//            in the same write
// The random choices come from a generator seeded once, so a run with the
// same seed puts the same bytes on the line.
class LineFaults
{
public:
    struct Options {
        bool splitDeliveries = false;
        bool mergeFrames = false;
        bool garbage = false;
        quint32 seed = 1;
    };

    static constexpr int splitPauseMs = 2;
    static constexpr int maxGarbageBytes = 4;

    explicit LineFaults(const Options &options) : options(options), random(options.seed) {}

    // Frames that go out together in one write (before splitting).
    int framesPerWrite() const { return options.mergeFrames ? 2 : 1; }
    // The writes that put `frames` on the line, in order.
    QVector<QByteArray> writesFor(const QVector<QByteArray> &frames);

private:
    Options options;
    QRandomGenerator random;
};
