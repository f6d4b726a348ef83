#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Where a program puts what it produces, decided by what the path is, never
// by where it lives. The window's save and txctl's outputs go through here:
// - "-" is standard output (txctl only);
// - a name for one of this process's descriptors (/dev/stdout, /dev/fd/1) is
//   written in place, and added to when it is a regular file, as the shell's
//   ">>" or ">" that opened it expects;
// - a regular file is replaced atomically through a short-named temporary
//   file beside it that takes the old file's mode and owner; one with more
//   than one hard link, or in a folder that may not be written, is rewritten
//   in place, and gets its old bytes back when that fails;
// - a symbolic link that leads nowhere creates the file it names, as the
//   shell's ">" does, and stays a link;
// - a terminal or serial port named as such is never an output: only write,
//   set --port, reset and restore talk to a transmitter, with backup and
//   check;
// - any other device or FIFO is written in place by txctl; the window saves
//   parameter files to files only, and refuses every device, FIFO and
//   descriptor name, through a link or not.
namespace files
{

class OutputTarget
{
public:
    enum class Takes { AnyOutput, FilesOnly };
    enum class Refusal { None, Folder, Terminal, NotAFile };

    explicit OutputTarget(const QString &path, Takes takes = Takes::AnyOutput)
        : path(path), takes(takes)
    {
    }

    // Why this path is no output at all, whatever could be written to it.
    Refusal refusal() const;
    // Whether the target can be written at all; asked before the port is
    // touched, so that nothing is read only to be thrown away.
    bool check(QString *error) const;
    // The whole content at once, as described above.
    bool write(const QByteArray &content, QString *error) const;

private:
    QString path;
    Takes takes;
};

// A log that grows row by row and replaces the old log only when it is done:
// rows go to a temporary file beside a regular file (or over a hard-linked
// one in place), and commit() puts them in the old log's place. A log that is
// never committed leaves the old one byte for byte. Standard output, a
// descriptor name, a device or a FIFO get every row at once.
class AppendingOutput
{
public:
    AppendingOutput() = default;
    // Without commit(): the temporary file is removed, a log rewritten in
    // place gets its old bytes back.
    ~AppendingOutput();
    AppendingOutput(const AppendingOutput &) = delete;
    AppendingOutput &operator=(const AppendingOutput &) = delete;

    // OutputTarget::check is the check to make before.
    bool open(const QString &path, QString *error);
    bool append(const QByteArray &bytes, QString *error);
    // The rows so far become the log. False, with the old log kept, when
    // they cannot.
    bool commit(QString *error);

private:
    enum class Mode { Through, Temporary, InPlace };
    void abandon();

    int fd = -1;
    bool ownsFd = false;
    Mode mode = Mode::Through;
    QString path;
    QString target;      // the file the rows replace
    QByteArray tempName; // Temporary: the file the rows go to
    QByteArray before;   // InPlace: the old log
    mode_t fileMode = 0;
    uid_t uid = 0;
    gid_t gid = 0;
};

// /dev/stdout, /dev/fd/1, /proc/self/fd/1 and links to them: a descriptor
// the shell opened for us, which is written through, never renamed over.
bool namesDescriptor(const QString &path);

// Writes all of bytes to fd, resuming after signals. False with *error.
bool writeAll(int fd, const QByteArray &bytes, QString *error);

} // namespace files
