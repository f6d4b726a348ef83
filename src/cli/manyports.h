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
// single port), each time with portName set to that port. Two names for one
// device are a usage error.
int forEachPort(const LinkOptions &options, const std::function<int(const LinkOptions &)> &command);

// `pattern` with "{port}" replaced by the port's file name ("ttyUSB0" for
// /dev/ttyUSB0), for one output file per port.
QString perPortPath(const QString &pattern, const QString &portName);
// False with a usage message when several ports would share one output.
bool checkPerPortPattern(const QString &option, const QString &pattern, const LinkOptions &options,
                         QString *error);

} // namespace cli
