#pragma once

#include <QStringList>

// The ports offered in the port box. Linux does not enumerate
// pseudo-terminals (the virtual transmitter is one), so ports named on the
// command line are offered first, before the ports the system reports.
namespace portlist
{

void setPreferredPorts(const QStringList &ports);
// The preferred ports, then the enumerated ones not already named.
QStringList availablePortNames();

} // namespace portlist
