#include "settingswriter.h"

#include "carriedfields.h"
#include "textparser.h"

TxParamsRecord settingsCarriedBy(const QStringList &frames)
{
    TxParamsRecord p;
    protocol::readSFrameFields(frames.value(0), 0, p);
    protocol::readGFrameFields(frames.value(1), 0, p);
    protocol::readHFrameFields(frames.value(2), 0, p);
    return p;
}

QVector<params::FieldChange> verificationMismatches(const TxParamsRecord &written,
                                                    const TxParamsRecord &readBack)
{
    return params::changedFields(written, readBack, protocol::carriedBothWays);
}
