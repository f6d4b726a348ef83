// ports: every serial port and whether this user may open it.
#include "cli.h"
#include "commands.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <unistd.h>

namespace cli
{

int runPorts(const QStringList &args)
{
    Command cmd(
        QStringLiteral("ports"), QStringLiteral("ports"),
        QStringLiteral("Lists every serial port with its description, manufacturer, USB "
                       "vendor:product id and serial\nnumber, and whether you may open it."),
        QStringLiteral("  txctl ports\n"));
    const int status = cmd.parse(args, 0, 0);
    if (status >= 0)
        return status;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty()) {
        print(QStringLiteral("no serial ports found\n"));
        return Success;
    }
    const auto orDash = [](const QString &s) { return s.isEmpty() ? QStringLiteral("-") : s; };
    QString out;
    for (const QSerialPortInfo &info : ports) {
        const QString path = info.systemLocation();
        const QString usb = info.hasVendorIdentifier() && info.hasProductIdentifier()
                                ? QStringLiteral("%1:%2")
                                      .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                      .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
                                : QStringLiteral("-");
        QString access = QStringLiteral("yes");
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0) {
            const QString group = orDash(QFileInfo(path).group());
            access = QStringLiteral("no: add yourself to group %1 (sudo usermod -aG %1 $USER), "
                                    "then log in again")
                         .arg(group == QLatin1String("-") ? QStringLiteral("dialout") : group);
        }
        out += QStringLiteral("%1\n  description:  %2\n  manufacturer: %3\n  USB id:       %4\n"
                              "  serial:       %5\n  may open:     %6\n")
                   .arg(path, orDash(info.description()), orDash(info.manufacturer()), usb,
                        orDash(info.serialNumber()), access);
    }
    print(out);
    return Success;
}

} // namespace cli
