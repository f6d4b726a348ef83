#include "transfer.h"

#include "encoder.h"
#include "history.h"
#include "interruption.h"
#include "parameterfile.h"
#include "portaccess.h"
#include "settingstext.h"
#include "settingswriter.h"
#include "transmitterlink.h"

#include <mutex>

namespace cli
{

Step openLink(TransmitterLink &link, const QString &portName)
{
    // A lock whose process still runs is respected before Qt looks at it.
    const QString holder = portlist::lockHolder(portlist::resolveDevice(portName));
    if (!holder.isEmpty())
        return Step::exitWith(
            fail(LinkError, QStringLiteral("cannot open %1: in use by another program (%2)")
                                .arg(portName, holder)));
    QString error;
    return link.open(portName, &error) ? Step::goOn() : Step::exitWith(fail(LinkError, error));
}

Step readWithProgress(TransmitterLink &link, const LinkOptions &options, const QString &label,
                      ReadResult *result)
{
    QString error;
    bool ok = false;
    {
        Progress bar(label, settingsReplyFrames);
        ok = readSettings(link, options.readOptions, result, &error,
                          [&bar](int frames) { bar.set(frames); });
    }
    if (!ok)
        return Step::exitWith(fail(interruptions() > 0 ? interruptedStatus() : int(LinkError),
                                   QStringLiteral("%1: %2").arg(label, error)));
    reportRepairs(options.portName, describeRepairs(result->repairs));
    return Step::goOn();
}

Step readTransmitter(const LinkOptions &options, ReadResult *result)
{
    // Signals are counted, not fatal: the read sees them (within the link's
    // poll) and stops, and the link says goodbye and drops its lock. With
    // several ports every port's read sees them.
    const InterruptionWatch watch;
    TransmitterLink link;
    link.setStopCondition([] { return interruptions() > 0; });
    Step step = openLink(link, options.portName);
    if (!step.exits())
        step = readWithProgress(link, options, QStringLiteral("read"), result);
    if (!step.exits() && interruptions() > 0)
        step = Step::exitWith(fail(interruptedStatus(), QStringLiteral("interrupted")));
    return step;
}

bool recordHistory(const TxParamsRecord &settings, const QString &kind, QString *id)
{
    // Writes to several ports record at once: one name each, one pruning at a time.
    static std::mutex historyMutex;
    const std::lock_guard<std::mutex> lock(historyMutex);
    QString error;
    files::history::Entry entry;
    if (!files::history::record(files::parameterFileContent(settings), kind, &entry, &error)) {
        warn(QStringLiteral("%1 not kept in the history: %2").arg(kind, error));
        return false;
    }
    print(QStringLiteral("%1 kept in the history as %2\n").arg(kind, entry.id));
    if (id)
        *id = entry.id;
    return true;
}

namespace
{

// What a write that stopped had put on the line, and how to put the backup
// back: one line, for a transmitter that may now hold a mixture of old and
// new settings. A frame is sent once its last byte has left the port; one
// that had begun to leave may or may not have been taken.
void reportHalfWritten(const SentFrames &sent, const QString &backupId, const QString &portName)
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
        backupId.isEmpty() ? QStringLiteral("no backup was taken: write the settings again")
                           : QStringLiteral("put the backup back with: txctl restore %1 --port %2")
                                 .arg(backupId, portName);
    warn(QStringLiteral("the transmitter may be half-written (%1); %2")
             .arg(parts.join(QStringLiteral("; ")), remedy));
}

// The backup keeps what the transmitter held, values out of range too, so
// that restoring it never passes a repair off as the old settings; but a
// file's two characters per value cannot say every value the transmitter may
// hold. Those are named, with what the backup holds instead.
void reportBackupLimits(const ReadResult &result)
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
        warn(QStringLiteral("the backup keeps %1 value(s) out of range as the transmitter held "
                            "them; restoring it needs --repair")
                 .arg(keptOutOfRange));
    if (!lost.isEmpty())
        warn(QStringLiteral("the backup cannot keep %1 value(s) the transmitter held, as no "
                            "parameter file can carry them: %2")
                 .arg(lost.size())
                 .arg(lost.join(QStringLiteral(", "))));
}

} // namespace

int writeVerified(const LinkOptions &options, const WriteChoice &choice,
                  const TxParamsRecord &settings, const QString &source)
{
    const InterruptionWatch watch;
    // Before the first frame any signal stops the command; from then on the
    // sequence is finished unless a second signal comes.
    int stopAfter = 1;
    TransmitterLink link;
    bool toldFinishing = false;
    link.setStopCondition([&] {
        if (interruptions() == 1 && stopAfter == 2 && !toldFinishing) {
            toldFinishing = true;
            warn(QStringLiteral("finishing the frames already begun, then stopping (again to "
                                "stop at once)"));
        }
        return interruptions() >= stopAfter;
    });
    if (const Step opened = openLink(link, options.portName); opened.exits())
        return opened.status();

    ReadResult result;
    QString backupId;
    if (choice.backup) {
        const Step read = readWithProgress(link, options, QStringLiteral("backup read"), &result);
        if (read.exits())
            return read.status(); // nothing was written
    }
    if (interruptions() > 0)
        return fail(interruptedStatus(), QStringLiteral("interrupted; nothing written"));
    // From the line naming the backup on, the write has begun.
    stopAfter = 2;
    if (choice.backup)
        reportBackupLimits(result);
    if (choice.backup && !recordHistory(result.received, QStringLiteral("backup"), &backupId))
        return fail(UsageOrFile, QStringLiteral("nothing written to %1 without a backup "
                                                "(--no-backup writes without one)")
                                     .arg(options.portName));

    const QStringList frames = protocol::buildTextFrames(settings);
    QString error;
    SentFrames sent;
    {
        Progress bar(QStringLiteral("write"), writeSteps);
        if (!writeSettings(
                link, frames, options.paceMs, &error, [&](int step) { bar.set(step); }, &sent)) {
            reportHalfWritten(sent, backupId, options.portName);
            return fail(interruptions() > 0 ? interruptedStatus() : int(LinkError),
                        QStringLiteral("write of %1: %2").arg(source, error));
        }
    }
    stopAfter = 1;
    const TxParamsRecord written = settingsCarriedBy(frames);
    if (interruptions() > 0)
        return fail(interruptedStatus(),
                    QStringLiteral("interrupted: %1 written to %2, not verified")
                        .arg(source, options.portName));
    if (!choice.verify) {
        recordHistory(written, QStringLiteral("sent"));
        print(QStringLiteral("%1 written to %2, not verified\n").arg(source, options.portName));
        return Success;
    }

    const Step read = readWithProgress(link, options, QStringLiteral("verifying read"), &result);
    if (read.exits())
        return read.status();
    const QVector<params::FieldChange> mismatches =
        verificationMismatches(written, result.settings);
    if (!mismatches.isEmpty()) {
        recordHistory(result.settings, QStringLiteral("mismatch"));
        print(changesText(mismatches, QStringLiteral("written"), QStringLiteral("read back")));
        return fail(Mismatch, QStringLiteral("verification failed: %1 setting(s) read back "
                                             "differently from %2")
                                  .arg(mismatches.size())
                                  .arg(source));
    }
    recordHistory(result.settings, QStringLiteral("verified"));
    print(QStringLiteral("%1 written to %2 and verified\n").arg(source, options.portName));
    return Success;
}

} // namespace cli
