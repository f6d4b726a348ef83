#include "adapterpackets.h"

bool AdapterPackets::parse(const QString &text, Policy *policy, QString *error)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0);
    const bool hasLatency = text.contains(QLatin1Char(':'));
    Policy p;
    if (name == QLatin1String("cdc") && !hasLatency) {
        p.kind = Kind::Cdc;
    } else if (name == QLatin1String("ch340") && !hasLatency) {
        p.kind = Kind::Ch340;
    } else if (name == QLatin1String("ftdi")) {
        p.kind = Kind::Ftdi;
        p.latencyMs = defaultFtdiLatencyMs;
        bool ok = true;
        if (hasLatency)
            p.latencyMs = text.section(QLatin1Char(':'), 1).toInt(&ok);
        if (!ok || p.latencyMs < 1 || p.latencyMs > maxFtdiLatencyMs) {
            *error = QStringLiteral("the ftdi latency is a number of ms from 1 to %1")
                         .arg(maxFtdiLatencyMs);
            return false;
        }
    } else {
        *error =
            QStringLiteral("the adapter is cdc, ftdi[:LATENCY_MS] or ch340, not '%1'").arg(text);
        return false;
    }
    *policy = p;
    return true;
}

int AdapterPackets::heldByte(int size)
{
    if (policy.stallMs <= 0 || random() % quint32(policy.stallOneIn) != 0)
        return -1;
    return int(random() % quint32(size));
}

void AdapterPackets::write(const QByteArray &bytes, qint64 nowNs)
{
    if (bytes.isEmpty())
        return;
    const int heldAt = heldByte(bytes.size());
    if (policy.kind == Kind::Cdc) {
        // Packets leave in order: the writes behind a held one wait for it.
        cdcPackets.append({bytes, nowNs + (heldAt >= 0 ? policy.stallMs * 1000000LL : 0)});
        held += heldAt >= 0;
        return;
    }
    qint64 at = qMax(nowNs, lineFreeNs);
    for (int i = 0; i < bytes.size(); ++i) {
        at += byteNs;
        waiting.append(bytes[i]);
        arrivalNs.append(at);
        holds.append(i == heldAt);
    }
    lineFreeNs = at;
}

AdapterPackets::Cut AdapterPackets::nextCut() const
{
    Cut cut;
    if (waiting.isEmpty())
        return cut;
    if (policy.kind == Kind::Ftdi) {
        const qint64 timerNs = arrivalNs.first() + policy.latencyMs * 1000000LL;
        if (waiting.size() >= ftdiPacketBytes && arrivalNs[ftdiPacketBytes - 1] <= timerNs)
            return {ftdiPacketBytes, arrivalNs[ftdiPacketBytes - 1]};
        cut.dueNs = timerNs;
        while (cut.length < waiting.size() && arrivalNs[cut.length] <= timerNs)
            ++cut.length;
        return cut;
    }
    // ch340: the packet grows while the bytes come closer than the idle gap.
    cut.length = 1;
    while (cut.length < ch340PacketBytes && cut.length < waiting.size() &&
           arrivalNs[cut.length] - arrivalNs[cut.length - 1] < ch340IdleNs)
        ++cut.length;
    cut.dueNs = cut.length == ch340PacketBytes ? arrivalNs[cut.length - 1]
                                               : arrivalNs[cut.length - 1] + ch340IdleNs;
    return cut;
}

AdapterPackets::Cut AdapterPackets::heldCut() const
{
    Cut cut = nextCut();
    if (cut.length > 0 && holds.mid(0, cut.length).contains(true))
        cut.dueNs += policy.stallMs * 1000000LL;
    return cut;
}

QVector<AdapterPackets::Packet> AdapterPackets::takeDue(qint64 nowNs)
{
    QVector<Packet> due;
    while (!cdcPackets.isEmpty() && cdcPackets.first().dueNs <= nowNs)
        due.append(cdcPackets.takeFirst());
    for (Cut cut = heldCut(); cut.length > 0 && cut.dueNs <= nowNs; cut = heldCut()) {
        held += holds.mid(0, cut.length).contains(true);
        due.append({waiting.left(cut.length), cut.dueNs});
        waiting.remove(0, cut.length);
        arrivalNs.remove(0, cut.length);
        holds.remove(0, cut.length);
    }
    return due;
}

qint64 AdapterPackets::nextDueNs() const
{
    if (!cdcPackets.isEmpty())
        return cdcPackets.first().dueNs;
    return heldCut().dueNs;
}

void AdapterPackets::clear()
{
    waiting.clear();
    arrivalNs.clear();
    holds.clear();
    cdcPackets.clear();
}
