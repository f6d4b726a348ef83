#include "simdevice.h"

#include "frames.h"
#include "textparser.h"
#include "transmitterframes.h"
#include "validation.h"

#include <QStringList>

namespace
{

template <std::size_t N> QString joined(const int (&values)[N])
{
    QStringList parts;
    for (int v : values)
        parts << QString::number(v);
    return parts.join(QLatin1Char(' '));
}

QString printable(const QByteArray &bytes)
{
    constexpr int shown = 24;
    QString text;
    for (char c : bytes.left(shown))
        text += (c >= 0x20 && c < 0x7F)
                    ? QString(QLatin1Char(c))
                    : QStringLiteral("\\x%1").arg(quint8(c), 2, 16, QLatin1Char('0'));
    if (bytes.size() > shown)
        text += QStringLiteral("...");
    return text;
}

// What a stored frame changed, in terms a person recognises on the form.
QString frameSummary(char letter, const TxParamsRecord &p)
{
    switch (letter) {
    case 'S':
        return QStringLiteral("trims %1, reverse %2").arg(joined(p.subTrim), joined(p.rev));
    case 'G':
        return QStringLiteral("attitude mode %1, elevon %2, V-tail %3, delays %4")
            .arg(p.attiMode)
            .arg(p.elevMix ? "on" : "off")
            .arg(p.vtailMix ? "on" : "off")
            .arg(joined(p.delay));
    default:
        return QStringLiteral("throttle curve %1, mixes 3/4 %2/%3")
            .arg(joined(p.thCurve))
            .arg(p.prm[2].mix)
            .arg(p.prm[3].mix);
    }
}

} // namespace

SimDevice::Reply SimDevice::handle(const InputTokenizer::Token &token)
{
    using Kind = InputTokenizer::Kind;
    Reply reply;
    switch (token.kind) {
    case Kind::Connect:
        reply.log = streamOn ? QStringLiteral("OK: stream already running")
                             : QStringLiteral("OK: stream started");
        streamOn = true;
        break;
    case Kind::Disconnect:
        reply.log = streamOn ? QStringLiteral("DIS: stream stopped")
                             : QStringLiteral("DIS: no stream was running");
        streamOn = false;
        break;
    case Kind::Read:
        reply = readReply();
        break;
    case Kind::Ack:
        ++ackCount;
        break;
    case Kind::Frame:
        reply = storeFrame(token.bytes);
        break;
    case Kind::Malformed:
        reply.log = QStringLiteral("%1 frame: broken off after %2 characters, ignored (%3)")
                        .arg(QLatin1Char(token.bytes.at(0)))
                        .arg(token.bytes.size())
                        .arg(printable(token.bytes));
        break;
    case Kind::Skipped:
        reply.log = QStringLiteral("skipped %1 unknown byte(s): %2")
                        .arg(token.bytes.size())
                        .arg(printable(token.bytes));
        break;
    }
    return reply;
}

int SimDevice::takeAckCount()
{
    const int n = ackCount;
    ackCount = 0;
    return n;
}

SimDevice::Reply SimDevice::readReply()
{
    Reply reply;
    if (faults.silent) {
        reply.log = QStringLiteral("RR: not answered (silent)");
        return reply;
    }
    reply.writes.append(protocol::encodeAuxFrame(stored));
    reply.writes.append(protocol::encodeSettingsFrames(stored));
    reply.log = QStringLiteral("RR: sending aux + %1 settings frames");
    const bool drop = faults.dropFrame > 0 && !(faults.dropOnce && readsAnswered > 0);
    ++readsAnswered;
    if (drop && faults.dropFrame < reply.writes.size()) {
        const QByteArray left = reply.writes.takeAt(faults.dropFrame); // the aux frame is [0]
        reply.log +=
            QStringLiteral(" (settings frame %1, code %2, left out)")
                .arg(faults.dropFrame)
                .arg(quint8(left.at(protocol::settingsCodePosition)), 2, 16, QLatin1Char('0'));
    }
    reply.log = reply.log.arg(reply.writes.size() - 1);
    return reply;
}

SimDevice::Reply SimDevice::storeFrame(const QByteArray &frame)
{
    Reply reply;
    const QString text = QString::fromLatin1(frame);
    const char letter = frame.at(0);
    if (!protocol::isWellFormedFrame(text)) {
        reply.log = QStringLiteral("%1 frame: malformed, ignored (%2)")
                        .arg(QLatin1Char(letter))
                        .arg(printable(frame));
        return reply;
    }
    if (faults.ignoreWrites) {
        reply.log = QStringLiteral("%1 frame: taken, not stored (--ignore-writes)")
                        .arg(QLatin1Char(letter));
        return reply;
    }
    const unsigned bit = letter == 'S' ? 1u : letter == 'G' ? 2u : 4u;
    if (letter == 'S')
        protocol::readSFrameFields(text, 0, stored);
    else if (letter == 'G')
        protocol::readGFrameFields(text, 0, stored);
    else
        protocol::readHFrameFields(text, 0, stored);
    reply.log = QStringLiteral("%1 frame: stored (%2)")
                    .arg(QLatin1Char(letter))
                    .arg(frameSummary(letter, stored));
    framesSinceSet |= bit;
    if (framesSinceSet == 7u) {
        framesSinceSet = 0;
        reply.settingsChanged = true;
        reply.log += QStringLiteral("; S+G+H complete");
    }
    return reply;
}

TxParamsRecord demoSettings()
{
    TxParamsRecord p;
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    p.subTrim[0] = 12;
    p.subTrim[1] = -8;
    p.subTrim[3] = 5;
    const int curve[7] = {0, 30, 48, 60, 70, 85, 100};
    std::copy(std::begin(curve), std::end(curve), p.thCurve);
    p.thCurveMix = 1; // on; the box has no item for a value above 1
    p.vtailMix = 1;
    p.epaRight[2] = 110;
    p.firmwareVersion = 42;
    return p;
}
