#include "transferplans.h"

#include "encoder.h"
#include "history.h"
#include "parameterfile.h"
#include "transmitterlink.h"

#include <mutex>

namespace plans
{
namespace
{

void tell(const std::function<void(const QString &)> &to, const QString &line)
{
    if (to)
        to(line);
}

// False (with the warning said) when no entry could be added; *id names it.
bool keep(const TxParamsRecord &settings, const QString &kind, const Observer &observer,
          QString *id = nullptr)
{
    // Writes to several ports record at once: one name each, one pruning at a time.
    static std::mutex historyMutex;
    const std::lock_guard<std::mutex> lock(historyMutex);
    QString error;
    files::history::Entry entry;
    if (!files::history::record(files::parameterFileContent(settings), kind, &entry, &error)) {
        tell(observer.warning, QStringLiteral("%1 not kept in the history: %2").arg(kind, error));
        return false;
    }
    if (observer.kept)
        observer.kept(kind, entry.id);
    if (id)
        *id = entry.id;
    return true;
}

// The backup keeps what the transmitter held, values out of range too, so
// that restoring it never passes a repair off as the old settings; but a
// file's two characters per value cannot say every value the transmitter may
// hold. Those are named, with what the backup holds instead.
void tellBackupLimits(const ReadResult &result, const Observer &observer)
{
    TxParamsRecord kept;
    files::parseParameterText(QString::fromLatin1(files::parameterFileContent(result.received)),
                              kept);
    int keptOutOfRange = 0;
    QStringList lost;
    for (const params::FieldChange &r : result.repairs) {
        if (r.field->value(kept) == r.before)
            ++keptOutOfRange;
        else
            lost << QStringLiteral("%1 %2 (kept as %3)")
                        .arg(r.field->name)
                        .arg(r.before)
                        .arg(r.field->value(kept));
    }
    if (keptOutOfRange > 0)
        tell(observer.warning,
             QStringLiteral("the backup keeps %1 value(s) out of range as the transmitter held "
                            "them; restoring it needs --repair")
                 .arg(keptOutOfRange));
    if (!lost.isEmpty())
        tell(observer.warning,
             QStringLiteral("the backup cannot keep %1 value(s) the transmitter held, as no "
                            "parameter file can carry them: %2")
                 .arg(lost.size())
                 .arg(lost.join(QStringLiteral(", "))));
}

// What a write that stopped had put on the line, and how to put the backup
// back: one line, for a transmitter that may now hold a mixture of old and
// new settings. A frame is sent once its last byte has left the port; one
// that had begun to leave may or may not have been taken.
QString halfWrittenWarning(const SentFrames &sent, const QString &backupId,
                           const WriteOptions &options)
{
    static const char *const frameNames[] = {"S", "G", "H"};
    QStringList sentNames, notSent;
    for (int i = 0; i < 3; ++i) {
        if (i < sent.sent)
            sentNames << QLatin1String(frameNames[i]);
        else if (i > sent.sent || !sent.nextBegun)
            notSent << QLatin1String(frameNames[i]);
    }
    QStringList parts;
    if (!sentNames.isEmpty())
        parts << QStringLiteral("%1 sent").arg(sentNames.join(QStringLiteral(", ")));
    if (sent.nextBegun && sent.sent < 3)
        parts << QStringLiteral("%1 maybe sent").arg(QLatin1String(frameNames[sent.sent]));
    parts << (notSent.isEmpty() ? QStringLiteral("\"WWW\" not sent")
                                : QStringLiteral("%1 not").arg(notSent.join(QStringLiteral(", "))));
    const QString remedy =
        backupId.isEmpty() || !options.restoreCommand
            ? QStringLiteral("no backup was taken: write the settings again")
            : QStringLiteral("put the backup back with: %1").arg(options.restoreCommand(backupId));
    return QStringLiteral("the transmitter may be half-written (%1); %2")
        .arg(parts.join(QStringLiteral("; ")), remedy);
}

bool stopped(const WriteOptions &options) { return options.stopped && options.stopped(); }

WriteResult ended(WriteResult::Outcome outcome, const QString &error = {})
{
    WriteResult r;
    r.outcome = outcome;
    r.error = error;
    return r;
}

} // namespace

bool read(TransmitterLink &link, const ReadOptions &options, Stage stage, ReadResult *result,
          QString *error, const Observer &observer)
{
    if (observer.began)
        observer.began(stage, settingsReplyFrames);
    const bool ok = link.read(options, result, error, observer.progress);
    if (observer.ended)
        observer.ended(stage);
    if (ok && observer.readDone)
        observer.readDone(stage, *result);
    return ok;
}

WriteResult write(TransmitterLink &link, const TxParamsRecord &settings,
                  const WriteOptions &options, const Observer &observer)
{
    using Outcome = WriteResult::Outcome;
    QString error;
    ReadResult result;
    QString backupId;
    if (options.backup &&
        !read(link, options.readOptions, Stage::BackupRead, &result, &error, observer))
        return ended(Outcome::BackupReadFailed, error);
    if (stopped(options))
        return ended(Outcome::NotBegun);
    if (options.backup) {
        tellBackupLimits(result, observer);
        if (!keep(result.received, QStringLiteral("backup"), observer, &backupId))
            return ended(Outcome::NoBackup);
    }

    const QStringList frames = protocol::buildTextFrames(settings);
    SentFrames sent;
    if (observer.began)
        observer.began(Stage::Write, writeSteps);
    const bool sentAll = link.write(frames, options.paceMs, &error, observer.progress, &sent);
    if (observer.ended)
        observer.ended(Stage::Write);
    if (!sentAll) {
        tell(observer.warning, halfWrittenWarning(sent, backupId, options));
        return ended(Outcome::CutShort, error);
    }
    const TxParamsRecord written = settingsCarriedBy(frames);
    if (stopped(options))
        return ended(Outcome::Unchecked);
    if (!options.verify) {
        keep(written, QStringLiteral("sent"), observer);
        return ended(Outcome::Written);
    }

    if (!read(link, options.readOptions, Stage::CheckRead, &result, &error, observer))
        return ended(Outcome::CheckFailed, error);
    WriteResult checked;
    checked.mismatches = verificationMismatches(written, result.settings);
    checked.outcome = checked.mismatches.isEmpty() ? Outcome::Verified : Outcome::Mismatch;
    keep(result.settings,
         checked.mismatches.isEmpty() ? QStringLiteral("verified") : QStringLiteral("mismatch"),
         observer);
    return checked;
}

} // namespace plans
