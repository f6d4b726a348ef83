#include "transfer.h"

#include "interruption.h"
#include "portaccess.h"
#include "settingstext.h"
#include "transferplans.h"
#include "transmitterlink.h"

#include <optional>

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

namespace
{

// Prints what a plan tells: a bar for each stage, repairs, history entries
// and warnings; a write's stop condition follows its stages.
struct PlanPrinter {
    explicit PlanPrinter(const QString &portName)
    {
        observer.began = [this](plans::Stage stage, int steps) {
            bar.emplace(label(stage), steps);
            if (stage == plans::Stage::Write && writing)
                *writing = true;
        };
        observer.progress = [this](int done) { bar->set(done); };
        observer.ended = [this](plans::Stage stage) {
            bar.reset();
            if (stage == plans::Stage::Write && writing)
                *writing = false;
        };
        observer.readDone = [portName](plans::Stage, const ReadResult &result) {
            reportRepairs(portName, describeRepairs(result.repairs));
        };
        observer.kept = [](const QString &kind, const QString &id) {
            print(QStringLiteral("%1 kept in the history as %2\n").arg(kind, id));
        };
        observer.warning = [](const QString &line) { warn(line); };
    }

    QString label(plans::Stage stage) const
    {
        switch (stage) {
        case plans::Stage::BackupRead:
            return QStringLiteral("backup read");
        case plans::Stage::Write:
            return QStringLiteral("write");
        case plans::Stage::CheckRead:
            return QStringLiteral("verifying read");
        case plans::Stage::Read:
            break;
        }
        return readLabel;
    }

    plans::Observer observer;
    QString readLabel = QStringLiteral("read");
    std::optional<Progress> bar;
    bool *writing = nullptr; // set while the frames go out
};

int linkFailure(const QString &label, const QString &error)
{
    return fail(interruptions() > 0 ? interruptedStatus() : int(LinkError),
                QStringLiteral("%1: %2").arg(label, error));
}

} // namespace

Step readWithProgress(TransmitterLink &link, const LinkOptions &options, const QString &label,
                      ReadResult *result)
{
    QString error;
    PlanPrinter printer(options.portName);
    printer.readLabel = label;
    if (!plans::read(link, options.readOptions, plans::Stage::Read, result, &error,
                     printer.observer))
        return Step::exitWith(linkFailure(label, error));
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

int writeVerified(const LinkOptions &options, const WriteChoice &choice,
                  const TxParamsRecord &settings, const QString &source)
{
    const InterruptionWatch watch;
    // Before the first frame any signal stops the command; while the frames
    // go out the sequence is finished unless a second signal comes.
    bool writing = false;
    TransmitterLink link;
    bool toldFinishing = false;
    link.setStopCondition([&] {
        if (interruptions() == 1 && writing && !toldFinishing) {
            toldFinishing = true;
            warn(QStringLiteral("finishing the frames already begun, then stopping (again to "
                                "stop at once)"));
        }
        return interruptions() >= (writing ? 2 : 1);
    });
    if (const Step opened = openLink(link, options.portName); opened.exits())
        return opened.status();

    plans::WriteOptions plan;
    plan.backup = choice.backup;
    plan.verify = choice.verify;
    plan.paceMs = options.paceMs;
    plan.readOptions = options.readOptions;
    plan.stopped = [] { return interruptions() > 0; };
    plan.restoreCommand = [&options](const QString &backupId) {
        return QStringLiteral("txctl restore %1 --port %2").arg(backupId, options.portName);
    };
    PlanPrinter printer(options.portName);
    printer.writing = &writing;
    const plans::WriteResult result = plans::write(link, settings, plan, printer.observer);

    using Outcome = plans::WriteResult::Outcome;
    switch (result.outcome) {
    case Outcome::BackupReadFailed:
        return linkFailure(QStringLiteral("backup read"), result.error); // nothing was written
    case Outcome::NotBegun:
        return fail(interruptedStatus(), QStringLiteral("interrupted; nothing written"));
    case Outcome::NoBackup:
        return fail(UsageOrFile, QStringLiteral("nothing written to %1 without a backup "
                                                "(--no-backup writes without one)")
                                     .arg(options.portName));
    case Outcome::CutShort:
        return linkFailure(QStringLiteral("write of %1").arg(source), result.error);
    case Outcome::Unchecked:
        return fail(interruptedStatus(),
                    QStringLiteral("interrupted: %1 written to %2, not verified")
                        .arg(source, options.portName));
    case Outcome::Written:
        print(QStringLiteral("%1 written to %2, not verified\n").arg(source, options.portName));
        return Success;
    case Outcome::CheckFailed:
        return linkFailure(QStringLiteral("verifying read"), result.error);
    case Outcome::Mismatch:
        print(
            changesText(result.mismatches, QStringLiteral("written"), QStringLiteral("read back")));
        return fail(Mismatch, QStringLiteral("verification failed: %1 setting(s) read back "
                                             "differently from %2")
                                  .arg(result.mismatches.size())
                                  .arg(source));
    case Outcome::Verified:
        break;
    }
    print(QStringLiteral("%1 written to %2 and verified\n").arg(source, options.portName));
    return Success;
}

} // namespace cli
