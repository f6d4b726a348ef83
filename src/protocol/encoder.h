#pragma once

#include <QString>
#include <QStringList>

struct TxParamsRecord;

// Builds the outbound text frames (layouts in textlayout.h) into a buffer:
// the head the layout writes replaces as many characters at the start of the
// buffer, and the rest, the tail, is kept. The result is the frame to send.
//
// Every field is written at its nominal width so the frame keeps its layout
// whatever the record holds: a value the field cannot carry is first clamped
// into the field's range (a digit to 0..9, a two-character field so that
// value + offset stays within 16..255, the three-digit field to 0..999).
// The validation lets a few such values through (mix channel 10, extraWord
// 1000), and an unshown combo box stores -1.
namespace protocol
{

void buildSFrame(const TxParamsRecord &p, QString &buffer);
void buildGFrame(const TxParamsRecord &p, QString &buffer);
void buildHFrame(const TxParamsRecord &p, QString &buffer);

// The S, G and H frames for p, each built into its start-up buffer: what the
// window sends for p, since every build replaces all but the constant tail.
QStringList buildTextFrames(const TxParamsRecord &p);

} // namespace protocol
