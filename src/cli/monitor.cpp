// monitor: the live values, on a terminal line or as CSV rows.
#include "cli.h"
#include "commands.h"
#include "decoder.h"
#include "telemetry.h"
#include "transfer.h"
#include "transmitterlink.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSaveFile>

#include <csignal>
#include <cstdio>

namespace cli
{
namespace
{

volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

constexpr int lineIntervalMs = 100; // the window refreshes its display as often

QString liveLine(const TelemetryRecord &t)
{
    QString line;
    for (int ch = 0; ch < 8; ++ch)
        line += QStringLiteral("CH%1 %2  ").arg(ch + 1).arg(t.servo[ch], 4);
    // Units as the window shows them: hundredths, tenths of a volt, byte - 100 dBm.
    return line + QStringLiteral("TX %1 V  EXT %2 V  signal %3 dBm")
                      .arg(t.txVolt / 100.0, 0, 'f', 2)
                      .arg(t.extVolt / 10.0, 0, 'f', 1)
                      .arg(t.rssi - 100);
}

QByteArray csvHeader()
{
    return "time,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_voltage_v,ext_voltage_v,signal_dbm\n";
}

QByteArray csvRow(const TelemetryRecord &t)
{
    QString row = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    for (int v : t.servo)
        row += ',' + QString::number(v);
    row += QStringLiteral(",%1,%2,%3\n")
               .arg(t.txVolt / 100.0, 0, 'f', 2)
               .arg(t.extVolt / 10.0, 0, 'f', 1)
               .arg(t.rssi - 100);
    return row.toUtf8();
}

} // namespace

int runMonitor(const QStringList &args)
{
    Command cmd(QStringLiteral("monitor"),
                QStringLiteral("monitor --port P [--csv FILE] [--duration S]"),
                QStringLiteral("Shows the live values: CH1..CH8, transmitter and power voltage, "
                               "signal. On a terminal one line\nrefreshes in place; otherwise a "
                               "line every 100 ms. With --csv every servo frame becomes a row\n"
                               "with a timestamp (\"-\" for standard output); the file appears "
                               "complete when monitoring ends.\nCtrl+C disconnects cleanly."),
                QStringLiteral("  txctl monitor --port /dev/ttyUSB0\n"
                               "  txctl monitor --port /dev/ttyUSB0 --csv flight.csv --duration "
                               "60\n"));
    LinkOptions link(cmd.parser);
    const QCommandLineOption csvOption("csv", "Write CSV rows to FILE (- for standard output).",
                                       "FILE");
    const QCommandLineOption durationOption("duration", "Stop after S seconds.", "S");
    cmd.parser.addOptions({csvOption, durationOption});
    int status = cmd.parse(args, 0, 0);
    if (status >= 0)
        return status;
    QString error;
    if (!link.read(cmd.parser, &error))
        return fail(UsageOrFile, error);
    double durationS = 0;
    if (cmd.parser.isSet(durationOption)) {
        bool ok = false;
        durationS = cmd.parser.value(durationOption).toDouble(&ok);
        if (!ok || durationS <= 0)
            return fail(UsageOrFile, QStringLiteral("--duration wants a positive number"));
    }

    const QString csvPath = cmd.parser.value(csvOption);
    const bool csvToStdout = csvPath == QLatin1String("-");
    QSaveFile csv(csvPath);
    if (!csvPath.isEmpty() && !csvToStdout && !csv.open(QIODevice::WriteOnly))
        return fail(UsageOrFile, QStringLiteral("%1: %2").arg(csvPath, csv.errorString()));
    const auto emitCsv = [&](const QByteArray &bytes) {
        if (csvToStdout)
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        else if (csv.isOpen())
            csv.write(bytes);
    };
    if (!csvPath.isEmpty())
        emitCsv(csvHeader());

    TransmitterLink port;
    if ((status = openLink(port, link.portName)) >= 0)
        return status;
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    TelemetryRecord telemetry;
    TxParamsRecord ignored;
    QElapsedTimer running, sinceLine;
    running.start();
    sinceLine.start();
    const bool inPlace = csvPath.isEmpty() && stdoutIsTerminal();
    const auto handle = [&](const QByteArray &frame) {
        const protocol::DecodeResult r = protocol::decodeDelivery(frame, ignored, telemetry);
        if (r.kind == protocol::DeliveryKind::Servo && !csvPath.isEmpty())
            emitCsv(csvRow(telemetry));
        if (csvPath.isEmpty() && sinceLine.elapsed() >= lineIntervalMs) {
            sinceLine.restart();
            print((inPlace ? QStringLiteral("\r") : QString()) + liveLine(telemetry) +
                  (inPlace ? QString() : QStringLiteral("\n")));
        }
    };
    const auto done = [&] {
        return stopRequested != 0 || (durationS > 0 && running.elapsed() >= durationS * 1000);
    };
    bool linkOk = true;
    while (!done() && linkOk)
        linkOk = port.receive(lineIntervalMs, handle, &error, done);
    port.close();
    if (inPlace)
        print(QStringLiteral("\n"));
    if (csv.isOpen() && !csv.commit())
        return fail(UsageOrFile, QStringLiteral("%1: %2").arg(csvPath, csv.errorString()));
    std::fflush(stdout);
    return linkOk ? Success : fail(LinkError, error);
}

} // namespace cli
