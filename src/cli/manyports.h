#pragma once

#include "cli.h"

#include <functional>

// One command on several transmitters at once, as a club or a shop sets up
// many identical ones: each port in its own thread with its own link, backup
// and verification; every line a port prints starts with its name; at the end
// one summary line per port, and the worst exit status.
namespace cli
{

// Runs `command` once per port in options.portNames (once, plainly, for a
// single port), each time with portName set to that port. (LinkOptions::read
// refused two names for one device.)
int forEachPort(const LinkOptions &options, const std::function<int(const LinkOptions &)> &command);

// A name for the port in file names that no other of `allPorts` shares: its
// path below /dev ("ttyUSB0", "pts_6" for /dev/pts/6), a relative name as
// given ("a_tty" for a/tty), otherwise the shortest distinct end of its path
// ("tx1" for /tmp/bench/tx1), '/' becoming '_'.
QString portLabel(const QString &portName, const QStringList &allPorts);
// `pattern` with "{port}" replaced by portLabel, for one output file per port.
QString perPortPath(const QString &pattern, const QString &portName, const QStringList &allPorts);
// False with a usage message when several ports would share one output.
bool checkPerPortPattern(const QString &option, const QString &pattern, const LinkOptions &options,
                         QString *error);

} // namespace cli
