#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

struct TxParamsRecord;
struct TelemetryRecord;

// The transmitter's side of the binary frames (layouts in frames.h and
// settingsrows.h): what a stand-in device sends, and what tests feed the
// decoder. Decoding any of these frames gives back the values encoded.
//
// A value the frame cannot carry is clamped: a byte field so that
// value + offset lies in 0..255, a word to 0..65535. Byte 1 of a settings
// frame, bytes 0, 1 and 7 of the aux frame and every unused byte are 0.
namespace protocol
{

QByteArray encodeServoFrame(const TelemetryRecord &t);  // servo[0..7], txVolt
QByteArray encodeStatusFrame(const TelemetryRecord &t); // rssi .. statusWord8
QByteArray encodeAuxFrame(const TxParamsRecord &p);     // aux[0..3]

// The settings frame of one code; empty for a code outside the table.
QByteArray encodeSettingsFrame(quint8 code, const TxParamsRecord &p);
// All eighteen settings frames, in the order of their numbers.
QVector<QByteArray> encodeSettingsFrames(const TxParamsRecord &p);

} // namespace protocol
