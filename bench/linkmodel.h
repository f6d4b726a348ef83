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
};

struct LineModelResult {
    QList<QByteArray> sent;
    QList<QByteArray> framed; // what the framer made of the deliveries
    qint64 skipped = 0;
};

LineModelResult runLineModel(const LineModel &model);
