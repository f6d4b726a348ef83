#pragma once

#include "fieldcatalogue.h"
#include "txparams.h"

#include <QString>
#include <QVector>

#include <functional>

// A complete read of the transmitter's settings: "RR", then the aux frame and
// the eighteen settings frames (numbers 1..19, the aux frame being 7), in any
// order. Each frame is decoded the way the window decodes a delivery
// (settingsreply.h).
//
// A reply that misses frames is asked for again, up to `attempts` requests in
// all; frames already received count towards the set, since nothing changes
// the settings between two requests of one read.
struct ReadOptions {
    int attempts = 3;
    // Per request: how long to wait for the first reply frame; once frames
    // come, a reply quiet for a second (or this, if shorter) has ended.
    int replyTimeoutMs = 3000;
    // Told each time a request is repeated, e.g. "no answer for frame 7
    // (aux sources), asking again (2/3)".
    std::function<void(const QString &line)> retryNotice;
};

struct ReadResult {
    TxParamsRecord settings;              // repaired, as the window would hold them
    TxParamsRecord received;              // as decoded, before any repair
    QVector<params::FieldChange> repairs; // last value received -> repair value held
    QVector<int> missing;                 // frame numbers never received
    int requests = 0;
};

constexpr int settingsReplyFrames = 19;

// "frame 5 (fail-safe)" for frame number 5.
QString settingsFrameTitle(int number);
