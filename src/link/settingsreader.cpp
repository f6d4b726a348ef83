#include "settingsreader.h"

#include "frames.h"
#include "settingsreply.h"
#include "transmitterlink.h"

#include <QSet>
#include <QStringList>

namespace
{

// Longer than the transmitter's pause between two frames of a reply.
constexpr int settleMs = 150;

} // namespace

QString settingsFrameTitle(int number)
{
    // Contents by frame number, as the code table in settingsrows.h lays them out.
    static const char *const titles[settingsReplyFrames] = {"channel reverse",
                                                            "sub-trim",
                                                            "left travel",
                                                            "right travel",
                                                            "fail-safe",
                                                            "alarm voltage, stick mode, firmware",
                                                            "aux sources",
                                                            "attitude",
                                                            "elevon mix",
                                                            "V-tail mix",
                                                            "servo delay",
                                                            "dual rates",
                                                            "mixes 1 and 2 data",
                                                            "mixes 1 and 2 routing",
                                                            "mix 3",
                                                            "mix 4 and throttle curve",
                                                            "throttle curve",
                                                            "dual-rate switch and extra values",
                                                            "dual-rate exponentials"};
    if (number < 1 || number > settingsReplyFrames)
        return QStringLiteral("frame %1").arg(number);
    return QStringLiteral("frame %1 (%2)").arg(number).arg(QLatin1String(titles[number - 1]));
}

bool readSettings(TransmitterLink &link, const ReadOptions &options, ReadResult *result,
                  QString *error, const std::function<void(int)> &progress)
{
    *result = ReadResult();
    SettingsReply reply;
    QSet<int> received;    // over all requests of this read
    QSet<int> thisRequest; // in the reply to the latest request
    const auto handle = [&](const QByteArray &frame) {
        const int number = reply.add(frame);
        if (number != 0)
            thisRequest.insert(number);
        if (number != 0 && !received.contains(number)) {
            received.insert(number);
            if (progress)
                progress(received.size());
        }
    };
    const auto complete = [&] { return received.size() == settingsReplyFrames; };
    const auto replyWhole = [&] { return thisRequest.size() == settingsReplyFrames; };

    const auto missingNames = [&] {
        QStringList names;
        for (int n = 1; n <= settingsReplyFrames; ++n) {
            if (!received.contains(n))
                names << settingsFrameTitle(n);
        }
        return names.join(QStringLiteral(", "));
    };
    while (!complete() && result->requests < options.attempts) {
        if (result->requests > 0 && options.retryNotice)
            options.retryNotice(QStringLiteral("no answer %1, asking again (%2/%3)")
                                    .arg(received.isEmpty()
                                             ? QStringLiteral("from the transmitter")
                                             : QStringLiteral("for ") + missingNames())
                                    .arg(result->requests + 1)
                                    .arg(options.attempts));
        ++result->requests;
        thisRequest.clear();
        if (!link.send(protocol::commandRead, error) ||
            !link.receive(options.replyTimeoutMs, handle, error, complete))
            return false;
    }
    // Frames of an earlier reply can complete the set while the latest reply
    // is still coming. Let that reply end (whole, or quiet for settleMs), so
    // none of it is taken for the answer to whatever is sent next.
    for (int seen = -1; complete() && !replyWhole() && seen != thisRequest.size();) {
        seen = thisRequest.size();
        if (!link.receive(settleMs, handle, error, replyWhole))
            return false;
    }
    result->settings = reply.settings();
    result->received = reply.asReceived();
    result->repairs = reply.repairs();
    for (int n = 1; n <= settingsReplyFrames; ++n) {
        if (!received.contains(n))
            result->missing.append(n);
    }
    if (result->missing.isEmpty())
        return true;
    if (received.isEmpty())
        *error = QStringLiteral("no reply from the transmitter to %1 request(s); is it switched "
                                "on and connected to this port?")
                     .arg(result->requests);
    else
        *error = QStringLiteral("read incomplete after %1 request(s): missing %2")
                     .arg(result->requests)
                     .arg(missingNames());
    return false;
}
