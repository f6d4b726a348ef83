#include "portlist.h"

#include <QFile>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace portlist
{
namespace
{
QStringList &preferred()
{
    static QStringList ports;
    return ports;
}

QVector<PortInfo> systemPorts()
{
    QVector<PortInfo> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        PortInfo port{info.portName(), info.systemLocation(), info.description(),
                      info.manufacturer(), info.serialNumber()};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
        }
        ports.append(port);
    }
    return ports;
}

std::function<QVector<PortInfo>()> &source()
{
    static std::function<QVector<PortInfo>()> ports = systemPorts;
    return ports;
}

QString hex4(int id) { return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')); }
} // namespace

QVector<PortInfo> reportedPorts() { return source()(); }

QString usbId(const PortInfo &info)
{
    if (info.vendorId < 0 || info.productId < 0)
        return QString();
    return QStringLiteral("%1:%2").arg(hex4(info.vendorId), hex4(info.productId));
}

void setPreferredPorts(const QStringList &ports) { preferred() = ports; }

void setPortSource(std::function<QVector<PortInfo>()> ports)
{
    source() = ports ? std::move(ports) : systemPorts;
}

QString toolTip(const PortInfo &info)
{
    QStringList lines;
    for (const QString &text : {info.description, info.manufacturer})
        if (!text.isEmpty())
            lines << text;
    if (!usbId(info).isEmpty())
        lines << QStringLiteral("USB %1").arg(usbId(info));
    if (!info.serialNumber.isEmpty())
        lines << QStringLiteral("S/N %1").arg(info.serialNumber);
    return lines.join(QLatin1Char('\n'));
}

QVector<Entry> availablePorts()
{
    const QVector<PortInfo> system = reportedPorts();
    QVector<Entry> entries;
    // A preferred port the system also reports keeps what the system knows.
    for (const QString &name : preferred()) {
        auto known = std::find_if(system.begin(), system.end(), [&](const PortInfo &p) {
            return p.name == name || p.location == name;
        });
        entries.append({name, known == system.end() ? QString() : toolTip(*known)});
    }
    for (const PortInfo &port : system) {
        if (!preferred().contains(port.name) && !preferred().contains(port.location))
            entries.append({port.name, toolTip(port)});
    }
    return entries;
}

QString systemLocation(const QString &name)
{
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

// Qt reports a lock file held by another process, a device another program
// opened exclusively (EBUSY) and a device the user may not open (EACCES) all
// as a permission error; only the last fails the access test.
OpenFailure openFailure(QSerialPort::SerialPortError error, const QString &location)
{
    if (error != QSerialPort::PermissionError)
        return OpenFailure::Other;
    if (::access(QFile::encodeName(location).constData(), R_OK | W_OK) == 0)
        return OpenFailure::Busy;
    return errno == EACCES ? OpenFailure::AccessDenied : OpenFailure::Other;
}

} // namespace portlist
