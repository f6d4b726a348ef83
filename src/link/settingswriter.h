#pragma once

#include "fieldcatalogue.h"
#include "txparams.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class TransmitterLink;

// A write as the window sends it: the S frame, 800 ms, the G frame, 800 ms,
// the H frame, 800 ms, then "WWW". Frames arriving during the pauses (the
// live stream) are answered as the window answers them. `paceMs` is the pause;
// only tests shorten it: the transmitter is given 800 ms to store each frame.
constexpr int designedPaceMs = 800;

// progress(step) with step 1..3 after each frame's pause, 4 after "WWW".
bool writeSettings(TransmitterLink &link, const QStringList &frames, int paceMs, QString *error,
                   const std::function<void(int)> &progress = {});
constexpr int writeSteps = 4;

// What the frames tell the transmitter, as a record: the reference a read-back
// is compared with (a value a frame cannot carry arrives clamped).
TxParamsRecord settingsCarriedBy(const QStringList &frames);

// Every setting that travels in both directions and reads back differently:
// `before` is what was written, `after` what came back.
QVector<params::FieldChange> verificationMismatches(const TxParamsRecord &written,
                                                    const TxParamsRecord &readBack);
