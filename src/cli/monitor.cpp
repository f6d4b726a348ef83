// monitor: the live values, on a terminal line or as CSV rows.
#include "cli.h"
#include "commands.h"
#include "decoder.h"
#include "interruption.h"
#include "manyports.h"
#include "outputtarget.h"
#include "telemetry.h"
#include "transfer.h"
#include "transmitterlink.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <sys/ioctl.h>
#include <unistd.h>

namespace cli
{
namespace
{

constexpr int lineIntervalMs = 100;   // the window refreshes its display as often
constexpr int silenceNoticeMs = 3000; // the transmitter sends 50 servo frames a second
constexpr double minDurationS = 0.01;
constexpr double maxDurationS = 1e6; // eleven days, well inside the timer's range

// What has arrived so far: a value never received shows as `missing` ("--"
// on the live line, empty in CSV), not as the record's zero (which would read
// as 0.0 V or -100 dBm). The servo frame carries the transmitter's voltage,
// the status frame the power voltage and the signal.
struct LiveValues {
    TelemetryRecord t;
    bool servo = false;
    bool status = false;
    QString missing = QStringLiteral("--");

    QString servoText(int ch) const { return servo ? QString::number(t.servo[ch]) : missing; }
    // Units as the window shows them: hundredths, tenths of a volt, byte - 100 dBm.
    QString txVoltText() const
    {
        return servo ? QString::number(t.txVolt / 100.0, 'f', 2) : missing;
    }
    QString extVoltText() const
    {
        return status ? QString::number(t.extVolt / 10.0, 'f', 1) : missing;
    }
    QString signalText() const { return status ? QString::number(t.rssi - 100) : missing; }
};

int terminalColumns()
{
    struct winsize size {
    };
    return ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

// "CH1-8 1000 1000 ... TX 7.40V EXT 11.1V -52dBm": 75 characters, cut to `width`.
QString liveLine(const LiveValues &v, int width)
{
    QString line = QStringLiteral("CH1-8");
    for (int ch = 0; ch < 8; ++ch)
        line += QStringLiteral(" %1").arg(v.servoText(ch), 4);
    line += QStringLiteral("  TX %1V EXT %2V %3dBm")
                .arg(v.txVoltText(), v.extVoltText(), v.signalText());
    return line.left(width);
}

QByteArray csvHeader()
{
    return "time,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_voltage_v,ext_voltage_v,signal_dbm\n";
}

// The time with its UTC offset, so rows from two places or two seasons compare.
QString csvTime()
{
    const QDateTime local = QDateTime::currentDateTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QByteArray csvRow(LiveValues v)
{
    v.missing.clear();
    QString row = csvTime();
    for (int ch = 0; ch < 8; ++ch)
        row += ',' + v.servoText(ch);
    row += QStringLiteral(",%1,%2,%3\n").arg(v.txVoltText(), v.extVoltText(), v.signalText());
    return row.toUtf8();
}

struct MonitorChoice {
    bool logging = false;
    QString csvPattern;
    QStringList allPorts; // for the {port} names
    double durationS = 0; // 0: until stopped
};

int monitorPort(const LinkOptions &link, const MonitorChoice &choice)
{
    QString error;
    const bool logging = choice.logging;
    const InterruptionWatch watch; // every signal, and a closed pipe, just ends monitoring
    TransmitterLink port;
    if (const Step opened = openLink(port, link.portName); opened.exits())
        return opened.status();
    // Only now: a port that does not open leaves an old log as it was.
    AppendingOutput csv;
    if (logging &&
        (!csv.open(perPortPath(choice.csvPattern, link.portName, choice.allPorts), &error) ||
         !csv.append(csvHeader(), &error)))
        return fail(UsageOrFile, error);

    LiveValues live;
    TxParamsRecord ignored;
    QElapsedTimer running, sinceLine, sinceFrame;
    running.start();
    sinceLine.start();
    sinceFrame.start();
    bool silenceTold = false;
    bool outputOk = true;
    const bool inPlace = !logging && !hasMessagePrefix() && stdoutIsTerminal();
    const auto handle = [&](const QByteArray &frame) {
        const protocol::DecodeResult r = protocol::decodeDelivery(frame, ignored, live.t);
        live.servo = live.servo || r.kind == protocol::DeliveryKind::Servo;
        live.status = live.status || r.kind == protocol::DeliveryKind::Status;
        sinceFrame.restart();
        silenceTold = false;
        if (logging && r.kind == protocol::DeliveryKind::Servo)
            outputOk = outputOk && csv.append(csvRow(live), &error);
    };
    const auto showLine = [&] {
        if (logging || sinceLine.elapsed() < lineIntervalMs)
            return;
        sinceLine.restart();
        if (inPlace)
            outputOk =
                print(QStringLiteral("\r%1\033[K").arg(liveLine(live, terminalColumns() - 1)));
        else
            outputOk = print(liveLine(live, 1000) + QLatin1Char('\n'));
        if (!outputOk)
            error = outputError();
    };
    const auto done = [&] {
        return interruptions() > 0 || !outputOk ||
               (choice.durationS > 0 && running.elapsed() >= choice.durationS * 1000);
    };
    bool linkOk = true;
    while (!done() && linkOk) {
        linkOk = port.receive(lineIntervalMs, handle, &error, done);
        showLine();
        if (sinceFrame.elapsed() >= silenceNoticeMs && !silenceTold) {
            if (inPlace) // the notice goes below the live line, not after it
                print(QStringLiteral("\n"));
            warn(QStringLiteral("no data from the transmitter for %1 s; still listening")
                     .arg(silenceNoticeMs / 1000));
            silenceTold = true;
        }
    }
    port.close();
    if (inPlace)
        print(QStringLiteral("\n"));
    // A log cut short by its own failure is not put in the old one's place.
    const bool logLost = outputOk && logging && !csv.commit(&error);
    if (interruptions() > 0)
        return logLost ? fail(interruptedStatus(), error) : interruptedStatus();
    if (!outputOk || logLost)
        return fail(UsageOrFile, error);
    return linkOk ? Success : fail(LinkError, error);
}

} // namespace

int runMonitor(const QStringList &args)
{
    Command cmd(QStringLiteral("monitor"),
                QStringLiteral("monitor --port P... [--csv FILE] [--duration S]"),
                QStringLiteral(
                    "Shows the live values: CH1..CH8, transmitter and power voltage, "
                    "signal (\"--\" until received).\nOn a terminal one line "
                    "refreshes in place; otherwise a line every 100 ms. With --csv "
                    "every\nservo frame becomes a row with a timestamp and UTC "
                    "offset (\"-\" for standard output), written\nas it comes; values not "
                    "received yet are empty. The rows go to a temporary file beside FILE,\nwhich "
                    "replaces FILE when monitoring ends; a port that fails to open or a log "
                    "that\ncannot be written whole leaves FILE as it was. /dev/stdout "
                    "after >> is added to.\nCtrl+C, SIGTERM, a closed terminal or a closed "
                    "pipe disconnects cleanly (exit status 128+N).\nSeveral --port "
                    "watch several transmitters, each line or CSV file named by its "
                    "port."),
                QStringLiteral("  txctl monitor --port /dev/ttyUSB0\n"
                               "  txctl monitor --port /dev/ttyUSB0 --csv flight.csv --duration "
                               "60\n"
                               "  txctl monitor --port /dev/ttyUSB0 --port /dev/ttyUSB1 --csv "
                               "'log-{port}.csv'\n"));
    LinkOptions link(cmd.parser);
    link.severalPorts = true;
    const QCommandLineOption csvOption(
        "csv", "Write CSV rows to FILE (- for standard output; {port}: the port's name).", "FILE");
    const QCommandLineOption durationOption("duration", "Stop after S seconds.", "S");
    cmd.parser.addOptions({csvOption, durationOption});
    if (const Step parsed = cmd.parse(args, 0, 0, link); parsed.exits())
        return parsed.status();
    MonitorChoice choice;
    if (cmd.parser.isSet(durationOption)) {
        // toDouble takes "nan" and "inf" too: the range test must refuse them.
        bool ok = false;
        choice.durationS = cmd.parser.value(durationOption).toDouble(&ok);
        if (!ok || !(choice.durationS >= minDurationS && choice.durationS <= maxDurationS))
            return fail(UsageOrFile, QStringLiteral("--duration wants seconds from %1 to %2")
                                         .arg(minDurationS)
                                         .arg(maxDurationS, 0, 'f', 0));
    }
    choice.logging = cmd.parser.isSet(csvOption);
    choice.csvPattern = cmd.parser.value(csvOption);
    choice.allPorts = link.portNames;
    QString error;
    if (choice.logging &&
        !checkPerPortPattern(QStringLiteral("--csv"), choice.csvPattern, link, &error))
        return fail(UsageOrFile, error);
    for (const QString &port : link.portNames) {
        if (choice.logging &&
            !OutputTarget(perPortPath(choice.csvPattern, port, link.portNames)).check(&error))
            return fail(UsageOrFile, error);
    }
    return forEachPort(link,
                       [&choice](const LinkOptions &one) { return monitorPort(one, choice); });
}

} // namespace cli
