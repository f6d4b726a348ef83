#include "adapterline.h"

#include "pseudoterminal.h"

AdapterLine::AdapterLine(PseudoTerminal &terminal, const AdapterPackets::Policy &policy,
                         QObject *parent)
    : QObject(parent), terminal(terminal), packets(policy),
      spaced(policy.kind != AdapterPackets::Kind::Cdc)
{
    clock.start();
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &AdapterLine::deliverLater);
}

bool AdapterLine::write(const QByteArray &bytes)
{
    packets.write(bytes, clock.nsecsElapsed());
    return deliverDue();
}

void AdapterLine::clear()
{
    packets.clear();
    ready.clear();
    timer.stop();
}

bool AdapterLine::deliverDue()
{
    qint64 now = clock.nsecsElapsed();
    for (const AdapterPackets::Packet &packet : packets.takeDue(now))
        ready.append(packet.bytes);
    bool taken = true;
    while (!ready.isEmpty() && (!spaced || now >= nextFrameNs)) {
        taken = terminal.write(ready.takeFirst()) && taken;
        nextFrameNs = now + usbFrameMs * 1000000LL;
    }
    qint64 next = ready.isEmpty() ? packets.nextDueNs() : nextFrameNs;
    if (next < 0) {
        timer.stop();
    } else {
        // Timers count whole milliseconds: round up, never deliver early.
        const qint64 waitNs = qMax<qint64>(0, next - clock.nsecsElapsed());
        timer.start(int((waitNs + 999999) / 1000000));
    }
    return taken;
}

void AdapterLine::deliverLater()
{
    if (!deliverDue())
        emit refused();
}
