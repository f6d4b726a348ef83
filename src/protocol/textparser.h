#pragma once

#include <QString>
#include <QVector>

#include <cstddef>

struct TxParamsRecord;

// Reads S, G and H text frames back into a record: the transmitter's side of
// a write, and the parameter file, which is the three frames back to back.
namespace protocol
{

// Read the fields of the frame that begins at `start` in `text` into p, at the
// positions of the frame layout (textlayout.h), without looking at the start
// letter, the tail or the G frame's constant. Lenient, as a file demands:
// every character is read as a base-16 digit (lowercase too, so a digit field
// holding "A" reads 10); a field with a character that is no such digit, or
// that lies beyond the text, reads as 0 before its offset is subtracted (the
// three-digit field digit by digit). Nothing is validated. The S frame also
// sets alarmVolt = alarmVoltRaw / 10.0, the H frame extraWordScaled =
// extraWord / 10.0.
void readSFrameFields(const QString &text, int start, TxParamsRecord &p);
void readGFrameFields(const QString &text, int start, TxParamsRecord &p);
void readHFrameFields(const QString &text, int start, TxParamsRecord &p);

// A field whose characters the lenient reader cannot read as base-16 digits
// (or that lies beyond the text), and so read as 0 before its offset.
struct UnreadableField {
    std::ptrdiff_t offset; // of the int field in TxParamsRecord
    QString characters;    // as found, shorter when the text ends first
    bool twoCharacter;     // a hexadecimal field; otherwise one or three digits
};
// The unreadable fields of the frame of kind `letter` ('S', 'G' or 'H') that
// begins at `start` in `text`, in layout order.
QVector<UnreadableField> unreadableFields(const QString &text, int start, char letter);

// Strict check of a received frame: exactly 81 characters, "S"/"G"/"H" first
// and "Y"/"Z"/"X" last, the G frame's constant "6" in place, decimal digits in
// every digit field and uppercase hexadecimal in every two-character field.
bool isWellFormedFrame(const QString &frame);

} // namespace protocol
