#include "portlist.h"

#include <QSerialPortInfo>

namespace portlist
{
namespace
{
QStringList &preferred()
{
    static QStringList ports;
    return ports;
}
} // namespace

void setPreferredPorts(const QStringList &ports) { preferred() = ports; }

QStringList availablePortNames()
{
    QStringList names = preferred();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (!names.contains(info.portName()) && !names.contains(info.systemLocation()))
            names.append(info.portName());
    }
    return names;
}

} // namespace portlist
