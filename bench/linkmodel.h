#pragma once

#include "linefaults.h"

#include <QByteArray>
#include <QList>

// txsim's line faults without a terminal: the frames a transmitter sends,
// through LineFaults, as deliveries with made-up times, into a stream framer.
// No scheduler is involved, so every run of a seed gives the same figures.
struct LineModel {
    LineFaults::Options faults;
    int writes = 20000;     // frames (or merged pairs) written, one every 10 ms
    int latePieceMaxMs = 0; // the second piece of a split frame arrives up to this
                            // much later than the 2 ms txsim waits (adapter latency)
    // 1..3 random bytes and an FE before every frame, in the same write: junk
    // that ends in the settings frames' marker.
    bool junkEndingInMarker = false;
    // The aux and settings frames of a read reply back to back on the wire
    // rather than 10 ms apart.
    bool replyBurst = false;
    // 0: every write is one delivery. Otherwise an FTDI-like adapter between
    // line and reader: it hands over what it holds in 62-byte packets, or
    // whatever it holds when its latency timer (this many ms) expires, so
    // deliveries cut frames anywhere.
    int ftdiLatencyMs = 0;
};

struct LineModelResult {
    QList<QByteArray> sent;
    QList<QByteArray> framed; // what the framer made of the deliveries
    qint64 skipped = 0;
};

LineModelResult runLineModel(const LineModel &model);
