#pragma once

#include <QByteArray>
#include <QString>

// Where a command puts what it produces, written so that the path keeps what
// it is. "-" is standard output. A regular file is replaced atomically through
// a temporary file beside it that takes the old file's mode and owner, so a
// failed write leaves the old file whole; a regular file with more than one
// hard link is rewritten in place, so the links stay. Anything else (a device
// such as /dev/null, a FIFO, /dev/stdout) is written in place, never renamed
// over.
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

    // Truncates a regular file; writes devices and FIFOs in place.
    bool open(const QString &path, QString *error);
    bool append(const QByteArray &bytes, QString *error);

private:
    int fd = -1;
    bool ownsFd = false;
    QString path;
};

// Writes all of bytes to fd, resuming after signals. False with *error.
bool writeAll(int fd, const QByteArray &bytes, QString *error);

} // namespace cli
