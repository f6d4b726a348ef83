#pragma once

#include "fieldcatalogue.h"
#include "txparams.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A write as the window sends it: the S frame, 800 ms, the G frame, 800 ms,
// the H frame, 800 ms, then "WWW" (TransmitterSession does it). Frames
// arriving during the pauses are answered; settings frames are not taken. `paceMs` is the pause;
// only tests shorten it: the transmitter is given 800 ms to store each frame.
constexpr int designedPaceMs = 800;

// How far a write got, also when it failed: the frames whose last byte left
// the port, and whether the next one had begun to leave (and so may have
// been taken) when it stopped.
struct SentFrames {
    int sent = 0;
    bool nextBegun = false;
};

// A write's progress: step 1..3 after each frame's pause, 4 after "WWW".
constexpr int writeSteps = 4;

// What the frames tell the transmitter, as a record: the reference a read-back
// is compared with (a value a frame cannot carry arrives clamped).
TxParamsRecord settingsCarriedBy(const QStringList &frames);

// Every setting that travels in both directions and reads back differently:
// `before` is what was written, `after` what came back.
QVector<params::FieldChange> verificationMismatches(const TxParamsRecord &written,
                                                    const TxParamsRecord &readBack);
