#pragma once

#include <QByteArray>

struct TxParamsRecord;
struct TelemetryRecord;

namespace protocol
{

enum class DeliveryKind {
    Empty,
    Servo,
    Status,
    Aux,
    Settings,     // both 0xFE markers, whether or not the code is known
    Unrecognised, // any other length, marker or 20-byte type
};

// What the caller of the decoder still has to do for one frame.
struct DecodeResult {
    DeliveryKind kind = DeliveryKind::Empty;
    int frameNumber = 0;      // 1..19 for the aux and known settings frames: goes into
                              // readFlag and the "ReadFlag:%d" log; 0 leaves both alone
    bool display = false;     // run the settings display before the selection/validation
    bool acknowledge = false; // every non-empty delivery is answered with "WWW"
};

// Decodes one piece of the byte stream as exactly one frame (see frames.h):
// writes the fields it carries into p and t unchecked, and nothing else. It
// does not reassemble: both programs cut the stream into whole frames first
// (StreamFramer); anything else is unrecognised. The window then runs the
// dual-rate selection and the validation on p once per delivery of the port,
// in that order, after the display if asked for.
DecodeResult decodeDelivery(const QByteArray &delivery, TxParamsRecord &p, TelemetryRecord &t);

} // namespace protocol
