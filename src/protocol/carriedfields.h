#pragma once

#include "fieldcatalogue.h"

struct TxParamsRecord;

// Which settings each direction of the link carries, found by sending one
// changed field at a time through the real encoders and decoders (binary
// frames from the transmitter, text frames to it) rather than listed again.
namespace protocol
{

// The field arrives in the aux or a settings frame.
bool carriedFromTransmitter(const params::Field &field);
// The field goes out in the S, G or H frame (and so is in a parameter file).
bool carriedToTransmitter(const params::Field &field);
// Both: what a read after a write can confirm.
bool carriedBothWays(const params::Field &field);
// The number (1..19) of the reply frame that brings the field from the
// transmitter: the aux frame is 7, the settings frames their code's number;
// 0 for a field no frame brings.
int replyFrameOf(const params::Field &field);

// What writing `edited` changes in a transmitter that holds `held`: the
// fields the frames carry whose values differ, in catalogue order. txctl's
// diff of two files and the window's Write tooltip both list these.
QVector<params::FieldChange> writeChanges(const TxParamsRecord &held, const TxParamsRecord &edited);

} // namespace protocol
