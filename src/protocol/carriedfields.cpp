#include "carriedfields.h"

#include "decoder.h"
#include "encoder.h"
#include "fieldcatalogue.h"
#include "frames.h"
#include "telemetry.h"
#include "textparser.h"
#include "transmitterframes.h"
#include "txparams.h"

#include <QHash>

namespace protocol
{
namespace
{

struct Carried {
    bool in = false;
    bool out = false;
    int frame = 0; // the reply frame that brings it
};

// A value next to the start-up one that every field can carry.
int nudged(int start) { return start <= 0 ? start + 1 : start - 1; }

Carried probe(const params::Field &f)
{
    TxParamsRecord sent;
    f.ref(sent) = nudged(f.value(sent));

    Carried c;
    TelemetryRecord ignored;
    QVector<QByteArray> replyFrames = encodeSettingsFrames(sent);
    replyFrames.append(encodeAuxFrame(sent));
    for (const QByteArray &frame : replyFrames) {
        TxParamsRecord got;
        const int number = decodeDelivery(frame, got, ignored).frameNumber;
        if (f.value(got) == f.value(sent)) {
            c.in = true;
            c.frame = number;
        }
    }

    const QStringList frames = buildTextFrames(sent);
    TxParamsRecord parsed;
    readSFrameFields(frames[0], 0, parsed);
    readGFrameFields(frames[1], 0, parsed);
    readHFrameFields(frames[2], 0, parsed);
    c.out = f.value(parsed) == f.value(sent);
    return c;
}

Carried carried(const params::Field &f)
{
    static const QHash<QString, Carried> table = [] {
        QHash<QString, Carried> t;
        for (const params::Field &field : params::fieldCatalogue())
            t.insert(field.name, probe(field));
        return t;
    }();
    return table.value(f.name);
}

} // namespace

bool carriedFromTransmitter(const params::Field &field) { return carried(field).in; }
bool carriedToTransmitter(const params::Field &field) { return carried(field).out; }
int replyFrameOf(const params::Field &field) { return carried(field).frame; }

bool carriedBothWays(const params::Field &field)
{
    const Carried c = carried(field);
    return c.in && c.out;
}

QVector<params::FieldChange> writeChanges(const TxParamsRecord &held, const TxParamsRecord &edited)
{
    return params::changedFields(held, edited, carriedToTransmitter);
}

} // namespace protocol
