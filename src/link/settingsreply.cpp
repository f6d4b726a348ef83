#include "settingsreply.h"

#include "decoder.h"
#include "dualrate.h"
#include "validation.h"

int SettingsReply::add(const QByteArray &frame)
{
    const protocol::DecodeResult r = protocol::decodeDelivery(frame, validated, telemetry);
    params::settle(validated);
    TelemetryRecord ignored;
    protocol::decodeDelivery(frame, decoded, ignored);
    params::selectDualRate(decoded); // the mirrored dual-rate fields, as the window shows them
    return r.frameNumber;
}

// Validation only ever puts a value out of range back to its start value,
// field by field, so the fields where the two records differ are exactly the
// standing repairs.
QVector<params::FieldChange> SettingsReply::repairs() const
{
    return params::changedFields(decoded, validated);
}
