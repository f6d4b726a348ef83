#pragma once

#include "textparser.h"

#include <QString>

struct TxParamsRecord;

// The parameter file: the S, G and H text frames back to back, 243 ASCII
// characters, no line breaks (characters 0..80 S, 81..161 G, 162..242 H).
// Problems are reported as strings; showing them is the window's business.
namespace files
{

constexpr int frameLength = 81;
constexpr int fileLength = 3 * frameLength;

// Which frames a load found in place and read.
struct LoadedFrames {
    bool s = false;
    bool g = false;
    bool h = false;
};

// Reads the frames whose markers stand at their positions into p, leniently
// (a field that is no valid number reads as 0 before its offset), without
// validating. Nothing is read from a text of 161 characters or less; the H
// frame needs more than 242.
LoadedFrames parseParameterText(const QString &text, TxParamsRecord &p);

// Fields of the three frames whose characters are no digits (which the
// lenient load reads as 0 before the field's offset).
QVector<protocol::UnreadableField> unreadableFields(const QString &text);

// The file's content from the three frame buffers.
QByteArray parameterFileContent(const QString &s, const QString &g, const QString &h);
// The file's content for p, each frame built into its start-up buffer (for
// writers that keep no frame buffers of their own).
QByteArray parameterFileContent(const TxParamsRecord &p);

// Replaces the file atomically: the old file stays untouched unless every
// byte of the new one was written. False, with a reason in *error, on failure.
bool writeParameterFile(const QString &path, const QByteArray &content, QString *error);

} // namespace files
