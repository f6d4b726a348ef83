#pragma once

#include "fieldcatalogue.h"
#include "settingsreader.h"
#include "settingswriter.h"
#include "txparams.h"

#include <QString>
#include <QVector>

#include <functional>

class TransmitterLink;

// The transfers a command runs on an open link, each put together here and
// nowhere else: a read; a write followed by a checking read; and the same
// with a backup read kept in the history first. The session does each wire
// job; a plan orders them and decides what happens when one fails. The
// caller chooses the options and prints what the observer is told, in the
// order it happens.
namespace plans
{

enum class Stage { Read, BackupRead, Write, CheckRead };

struct Observer {
    // A stage with `steps` steps has begun (a read: 19 frames; a write:
    // writeSteps); progress(done) follows; ended() comes before anything is
    // said about how the stage went.
    std::function<void(Stage, int steps)> began;
    std::function<void(int done)> progress;
    std::function<void(Stage)> ended;
    // A read of that stage completed (its repairs are still to be told).
    std::function<void(Stage, const ReadResult &)> readDone;
    // An entry was added to the history, e.g. ("backup", "2024-…-backup").
    std::function<void(const QString &kind, const QString &id)> kept;
    // Something the user must know that does not end the plan.
    std::function<void(const QString &line)> warning;
};

// Read: false with *error when it did not complete.
bool read(TransmitterLink &link, const ReadOptions &options, Stage stage, ReadResult *result,
          QString *error, const Observer &observer);

struct WriteOptions {
    bool backup = true; // no write without one
    bool verify = true;
    int paceMs = designedPaceMs;
    ReadOptions readOptions;
    // Asked between the stages: true stops the plan there.
    std::function<bool()> stopped;
    // The command that puts the backup with this id back: the hint that
    // ends the warning about a write cut between frames.
    std::function<QString(const QString &backupId)> restoreCommand;
};

struct WriteResult {
    enum class Outcome {
        Verified,
        Written,          // not checked, as asked
        Unchecked,        // stopped after the frames, before the check
        BackupReadFailed, // nothing written
        NotBegun,         // stopped before the first frame
        NoBackup,         // the backup could not be kept: nothing written
        CutShort,         // the write itself failed; the warning said how far it got
        CheckFailed,      // the checking read did not complete
        Mismatch,         // read back differently
    };
    Outcome outcome = Outcome::NotBegun;
    QString error; // why a stage failed, for people
    QVector<params::FieldChange> mismatches;
};

// Backup (when asked), the frames of `settings` with their pauses, then
// (when asked) a checking read compared with what the frames carry. Each
// outcome is kept in the history ("sent", "mismatch", "verified").
WriteResult write(TransmitterLink &link, const TxParamsRecord &settings,
                  const WriteOptions &options, const Observer &observer);

} // namespace plans
