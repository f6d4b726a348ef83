// ports: every serial port and whether this user may open it.
#include "cli.h"
#include "commands.h"
#include "portaccess.h"
#include "portlist.h"
#include "settingstext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli
{

int runPorts(const QStringList &args)
{
    Command cmd(QStringLiteral("ports"), QStringLiteral("ports [--json]"),
                QStringLiteral("Lists every serial port with its description, manufacturer, USB "
                               "vendor:product id and serial\nnumber, and whether you may open it "
                               "(if not, what helps)."),
                QStringLiteral("  txctl ports\n"
                               "  txctl ports --json | jq -r '.ports[] | select(.usb_id == "
                               "\"1a86:7523\") | .path'\n"));
    cmd.offerJson();
    if (const Step parsed = cmd.parse(args, 0, 0); parsed.exits())
        return parsed.status();
    const QVector<portlist::PortInfo> ports = portlist::reportedPorts();
    if (cmd.parser.isSet(cmd.json)) {
        QJsonArray list;
        for (const portlist::PortInfo &info : ports) {
            const QString advice = portlist::accessAdvice(info.location, portlist::usbId(info));
            list.append(QJsonObject{{"path", info.location},
                                    {"description", info.description},
                                    {"manufacturer", info.manufacturer},
                                    {"usb_id", portlist::usbId(info)},
                                    {"serial", info.serialNumber},
                                    {"may_open", advice.isEmpty()},
                                    {"advice", advice}});
        }
        printBytes(QJsonDocument(QJsonObject{{"ports", list}}).toJson());
        return Success;
    }
    if (ports.isEmpty()) {
        print(QStringLiteral("no serial ports found\n"));
        return Success;
    }
    const auto orDash = [](const QString &s) { return s.isEmpty() ? QStringLiteral("-") : s; };
    QString out;
    for (const portlist::PortInfo &info : ports) {
        const QString advice = portlist::accessAdvice(info.location, portlist::usbId(info));
        out += QStringLiteral("%1\n  description:  %2\n  manufacturer: %3\n  USB id:       %4\n"
                              "  serial:       %5\n  may open:     %6\n")
                   .arg(info.location, orDash(info.description), orDash(info.manufacturer),
                        orDash(portlist::usbId(info)), orDash(info.serialNumber),
                        advice.isEmpty() ? QStringLiteral("yes") : QStringLiteral("no: ") + advice);
    }
    print(out);
    return Success;
}

} // namespace cli
