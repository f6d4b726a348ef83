#pragma once

#include "fieldcatalogue.h"
#include "telemetry.h"
#include "txparams.h"

#include <QByteArray>
#include <QVector>

// The settings a read gathers, over every reply of that read. Each frame is
// decoded the way the window decodes a delivery: fields stored, dual-rate
// selection, then validation.
//
// A repair notice must stand for what the result holds. A field may arrive
// more than once in one read (a request repeated for missing frames), and a
// frame read wrongly off a bad line may carry values the field never had; so
// the notices are not collected frame by frame but worked out at the end,
// from the value each field last arrived with against the value it holds.
class SettingsReply
{
public:
    // Decodes one frame into the settings; returns its frame number (1..19
    // for the aux and the known settings frames, else 0).
    int add(const QByteArray &frame);

    const TxParamsRecord &settings() const { return validated; }
    const TxParamsRecord &asReceived() const { return received; }
    // Each field whose last received value was out of range, once, with that
    // value and the repair value it now holds.
    QVector<params::FieldChange> repairs() const;

private:
    TxParamsRecord validated;
    TxParamsRecord received; // as decoded, never validated
    TelemetryRecord telemetry;
};
