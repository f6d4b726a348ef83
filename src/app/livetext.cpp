#include "livetext.h"

#include <QCoreApplication>

namespace livetext
{

BarValues servoBars(int s)
{
    if (s < 1000)
        return {1010 - s, 1000};
    return {10, 2000 - s};
}

namespace
{
QString digit(int x) { return QString::number(x % 10); }

// tens and units of the whole part, tenths after the point
QString volts(int tenths)
{
    if (tenths >= 100)
        return digit(tenths / 100) + digit(tenths / 10) + "." + digit(tenths) + " V";
    return " " + digit(tenths / 10) + "." + digit(tenths) + "V";
}
} // namespace

QString txVoltText(int hundredths) { return volts(hundredths / 10); }

QString extVoltText(int tenths) { return volts(tenths); }

QString rssiText(int rssi)
{
    const int d = 100 - rssi;
    if (d > 99)
        return QCoreApplication::translate("MainWindow", "null"); // as the form's own
    if (d < 0)
        return QStringLiteral("-00dBm");
    return "-" + digit(d / 10) + digit(d) + "dBm";
}

} // namespace livetext
