// info: what the transmitter says about itself.
#include "cli.h"
#include "commands.h"
#include "decoder.h"
#include "interruption.h"
#include "telemetry.h"
#include "transfer.h"
#include "transmitterlink.h"

namespace cli
{
namespace
{
// Status frames come five times a second while the link is open.
constexpr int statusWaitMs = 2000;
} // namespace

int runInfo(const QStringList &args)
{
    Command cmd(QStringLiteral("info"), QStringLiteral("info --port P"),
                QStringLiteral("Connects, reads the settings and waits for one status frame, "
                               "then prints the firmware version,\nthe transmitter and power "
                               "voltages, the signal and the alarm voltage."),
                QStringLiteral("  txctl info --port /dev/ttyUSB0\n"));
    LinkOptions link(cmd.parser);
    if (const Step parsed = cmd.parse(args, 0, 0, link); parsed.exits())
        return parsed.status();
    // A signal, or a reader of the output gone (info | head), ends the command
    // with the link closed as always.
    const InterruptionWatch watch;
    TransmitterLink port;
    port.setStopCondition([] { return interruptions() > 0; });
    ReadResult result;
    Step step = openLink(port, link.portName);
    if (!step.exits())
        step = readWithProgress(port, link, QStringLiteral("read"), &result);
    if (step.exits())
        return step.status();

    TelemetryRecord live;
    TxParamsRecord ignored;
    bool status = false;
    QString error;
    const bool linkOk = port.receive(
        statusWaitMs,
        [&](const QByteArray &frame) {
            status = status || protocol::decodeDelivery(frame, ignored, live).kind ==
                                   protocol::DeliveryKind::Status;
        },
        &error, [&status] { return status; });
    if (!linkOk)
        return fail(interruptions() > 0 ? interruptedStatus() : int(LinkError), error);
    const QString unknown = QStringLiteral("-- (no status frame)");
    print(QStringLiteral("port:                %1\n"
                         "firmware version:    %2\n"
                         "transmitter voltage: %3\n"
                         "power voltage:       %4\n"
                         "signal:              %5\n"
                         "alarm voltage:       %6 V\n")
              .arg(link.portName)
              .arg(result.settings.firmwareVersion)
              .arg(status ? QStringLiteral("%1 V").arg(live.txVolt / 100.0, 0, 'f', 2) : unknown)
              .arg(status ? QStringLiteral("%1 V").arg(live.extVolt / 10.0, 0, 'f', 1) : unknown)
              .arg(status ? QStringLiteral("%1 dBm").arg(live.rssi - 100) : unknown)
              .arg(result.settings.alarmVoltRaw / 10.0, 0, 'f', 1));
    return interruptions() > 0 ? fail(interruptedStatus(), QStringLiteral("interrupted"))
                               : int(Success);
}

} // namespace cli
