#pragma once

#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The port catalogue both programs use: the ports the system reports and what
// it knows of each, the port box's entries, and why a port would not open.
// Linux does not enumerate
// pseudo-terminals (the virtual transmitter is one), so ports named on the
// command line are offered first in the window's box, before the ports the
// system reports.
namespace portlist
{

// What the system reports of one port.
struct PortInfo {
    QString name;     // the name the box shows, e.g. ttyUSB0
    QString location; // the device path, e.g. /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
    int vendorId = -1; // USB ids; -1 when the port is not a USB device
    int productId = -1;
};

struct Entry {
    QString name;
    QString toolTip; // empty when the system knows nothing more than the name
};

void setPreferredPorts(const QStringList &ports);
// Replaces the system's enumeration (for tests); an empty function restores it.
void setPortSource(std::function<QVector<PortInfo>()> source);

// What the system reports (or the test source), in its order.
QVector<PortInfo> reportedPorts();
// "1a86:7523", or empty when the port is no USB device.
QString usbId(const PortInfo &info);

// The preferred ports, then the enumerated ones not already named.
QVector<Entry> availablePorts();

// Description, manufacturer, USB vendor:product id and serial number, one a
// line, leaving out what is unknown.
QString toolTip(const PortInfo &info);

// Why a port did not open, as far as the user can do something about it.
enum class OpenFailure {
    Other,
    Busy,         // another program holds the port, or its lock file
    AccessDenied, // the user may not open the device
};

// The device path of a port named as in the box ("ttyUSB0" or a full path).
QString systemLocation(const QString &name);
// Tells the causes apart that the serial port reports alike.
OpenFailure openFailure(QSerialPort::SerialPortError error, const QString &location);

} // namespace portlist
