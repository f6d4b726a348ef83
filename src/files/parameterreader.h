#pragma once

#include "parameterfile.h"

#include <QByteArray>
#include <QString>

struct TxParamsRecord;

// The one reader of parameter files, for the window and for txctl alike, and
// for a file and standard input alike. It takes what editors and other systems
// put around the frames (a UTF-8 byte-order mark, a line break after each
// frame, LF, CRLF or CR) and refuses, with its reason, whatever would make a
// load silently partial or read something that is no parameter file.
namespace files
{

// A parameter file is 243 characters; nothing past this many bytes is read,
// so that a wrongly chosen huge file (or an endless device) is refused at once.
constexpr qint64 maxFileBytes = 64 * 1024;

enum class ReadProblem {
    None,
    Unreadable,    // reason: the system's
    Empty,         // no byte at all
    TooLarge,      // more than maxFileBytes
    Utf16,         // a UTF-16 byte-order mark
    NulByte,       // at position
    ControlByte,   // byte at position: binary data, no text
    TooShort,      // count characters, too few for any frame to be read
    FramesMissing, // frames tells which were found in place and read
    TextAfterH,    // count characters from position on
};

struct ParameterReading {
    ReadProblem problem = ReadProblem::None;
    QString reason;      // Unreadable: why
    qint64 position = 0; // the byte of the file (from 1) the problem is at
    qint64 count = 0;
    int byte = 0;        // ControlByte: its value
    QString raw;         // the file as read, one character per byte (empty when too large)
    QString text;        // the frames, without what was put around them
    LoadedFrames frames; // read into the record
    bool complete() const { return problem == ReadProblem::None; }
    // Nothing of the file reached the record.
    bool nothingRead() const { return !frames.s && !frames.g && !frames.h; }
};

// Reads path ("-": standard input). The frames found in place are read into p
// (see parseParameterText) also when others are missing; on any other problem
// p is left alone.
ParameterReading readParameterFile(const QString &path, TxParamsRecord &p);
// The same for bytes already read (at most maxFileBytes + 1 of them).
ParameterReading readParameterBytes(const QByteArray &bytes, TxParamsRecord &p);

// The problem in a line of English, for txctl and logs.
QString readProblemText(const ParameterReading &r);

} // namespace files
