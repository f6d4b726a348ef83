#include "transfer.h"

#include "encoder.h"
#include "history.h"
#include "parameterfile.h"
#include "settingstext.h"
#include "settingswriter.h"
#include "transmitterlink.h"

namespace cli
{

Step openLink(TransmitterLink &link, const QString &portName)
{
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
        return Step::exitWith(fail(LinkError, QStringLiteral("%1: %2").arg(label, error)));
    reportRepairs(options.portName, result->repairs);
    return Step::goOn();
}

Step readTransmitter(const LinkOptions &options, ReadResult *result)
{
    TransmitterLink link;
    const Step opened = openLink(link, options.portName);
    return opened.exits() ? opened
                          : readWithProgress(link, options, QStringLiteral("read"), result);
}

void recordHistory(const TxParamsRecord &settings, const QString &kind)
{
    QString error;
    files::history::Entry entry;
    if (files::history::record(files::parameterFileContent(settings), kind, &entry, &error))
        print(QStringLiteral("%1 kept in the history as %2\n").arg(kind, entry.id));
    else
        warn(QStringLiteral("warning: %1 not kept in the history: %2").arg(kind, error));
}

int writeVerified(const LinkOptions &options, const WriteChoice &choice,
                  const TxParamsRecord &settings, const QString &source)
{
    TransmitterLink link;
    if (const Step opened = openLink(link, options.portName); opened.exits())
        return opened.status();

    ReadResult result;
    if (choice.backup) {
        const Step read = readWithProgress(link, options, QStringLiteral("backup read"), &result);
        if (read.exits())
            return read.status(); // nothing was written
        recordHistory(result.settings, QStringLiteral("backup"));
    }

    const QStringList frames = protocol::buildTextFrames(settings);
    QString error;
    {
        Progress bar(QStringLiteral("write"), writeSteps);
        if (!writeSettings(link, frames, options.paceMs, &error,
                           [&bar](int step) { bar.set(step); }))
            return fail(LinkError, QStringLiteral("write of %1: %2").arg(source, error));
    }
    const TxParamsRecord written = settingsCarriedBy(frames);
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
