#pragma once

#include "cli.h"
#include "settingsreader.h"
#include "txparams.h"

class TransmitterLink;

// The steps the link commands share, each reporting its own failure on
// standard error.
namespace cli
{

// Opens the port ("OK").
Step openLink(TransmitterLink &link, const QString &portName);

// A complete read with a progress bar; repairs are reported with `portName`.
Step readWithProgress(TransmitterLink &link, const LinkOptions &options, const QString &label,
                      ReadResult *result);

// Opens the port, reads, and closes it again.
Step readTransmitter(const LinkOptions &options, ReadResult *result);

// Adds a history entry, warning (never failing) when it cannot.
void recordHistory(const TxParamsRecord &settings, const QString &kind);

struct WriteChoice {
    bool backup = true;
    bool verify = true;
};

// Backup (a complete read kept in the history), the three frames with their
// pauses, then a verifying read compared field by field. `source` names the
// settings in messages, e.g. the file.
int writeVerified(const LinkOptions &options, const WriteChoice &choice,
                  const TxParamsRecord &settings, const QString &source);

} // namespace cli
