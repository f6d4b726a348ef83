#pragma once

#include <QByteArray>
#include <QString>

// The transmitter's end of a pseudo-terminal in raw mode, with a stable path
// (a symbolic link to the slave device) for the tool to open.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens the pair and links `linkPath` to the slave. An existing symbolic
    // link there is replaced (a previous run that died leaves one behind),
    // unless it leads to the terminal of another running simulator; that, and
    // anything else at that path, is left alone and reported as an error.
    bool open(const QString &linkPath, QString *error);

    int masterFd() const { return master; }
    QString slavePath() const { return slaveName; }
    QString linkPath() const { return link; }

    // Writes all of `bytes` or nothing; false when the tool's side does not
    // take them (nobody has read for a long while).
    bool write(const QByteArray &bytes);
    // Drops what the tool has not read yet.
    void discardUnread();
    // Removes the link if it still points to this terminal.
    void removeLink();

private:
    int master = -1;
    // Held open so the master sees no hang-up while no client has the port open.
    int slave = -1;
    QString slaveName;
    QString link;
};
