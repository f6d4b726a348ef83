#pragma once

#include <QByteArray>
#include <QString>

// Where a command puts what it produces, decided by what the path is, never
// by where it lives:
// - "-" is standard output;
// - a name for one of this process's descriptors (/dev/stdout, /dev/fd/1) is
//   written in place, and added to when it is a regular file, as the shell's
//   ">>" or ">" that opened it expects;
// - a regular file is replaced atomically through a short-named temporary
//   file beside it that takes the old file's mode and owner; one with more
//   than one hard link, or in a folder that may not be written, is rewritten
//   in place, and gets its old bytes back when that fails;
// - a terminal or serial port named as such is never an output: only write,
//   set --port, reset and restore talk to a transmitter, with backup and
//   check;
// - any other device or FIFO is written in place.
namespace cli
{

class OutputTarget
{
public:
    explicit OutputTarget(const QString &path) : path(path) {}

    // Whether the target can be written at all; asked before the port is
    // touched, so that nothing is read only to be thrown away.
    bool check(QString *error) const;
    // The whole content at once, as described above.
    bool write(const QByteArray &content, QString *error) const;

private:
    QString path;
};

// A log that grows row by row: every append reaches the file (or standard
// output) at once, so whatever ends the program leaves the rows so far.
class AppendingOutput
{
public:
    AppendingOutput() = default;
    ~AppendingOutput();
    AppendingOutput(const AppendingOutput &) = delete;
    AppendingOutput &operator=(const AppendingOutput &) = delete;

    // Replaces a regular file's content (truncates it); adds to a regular
    // file behind a descriptor name; writes devices and FIFOs in place.
    // OutputTarget::check is the check to make before.
    bool open(const QString &path, QString *error);
    bool append(const QByteArray &bytes, QString *error);

private:
    int fd = -1;
    bool ownsFd = false;
    QString path;
};

// /dev/stdout, /dev/fd/1, /proc/self/fd/1 and links to them: a descriptor
// the shell opened for us, which is written through, never renamed over.
bool namesDescriptor(const QString &path);

// Writes all of bytes to fd, resuming after signals. False with *error.
bool writeAll(int fd, const QByteArray &bytes, QString *error);

} // namespace cli
