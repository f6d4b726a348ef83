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

struct WriteChoice {
    bool backup = true;
    bool verify = true;
};

// Backup (a complete read kept in the history; no write without it unless
// choice.backup is false), the three frames with their pauses, then a
// verifying read compared field by field. `source` names the settings in
// messages, e.g. the file. A signal before the first frame stops at once;
// during the frames the sequence is finished and not verified, a second
// signal stops it at once. A write that stops between frames (signal, lost
// link) names what was sent and the restore command for the backup.
int writeVerified(const LinkOptions &options, const WriteChoice &choice,
                  const TxParamsRecord &settings, const QString &source);

} // namespace cli
