#include "highdpi.h"

#include <QGuiApplication>

void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) // always on in Qt 6
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // Icons are drawn from their 256 px images at the screen's density.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    // Whole factors only, and 2 from 1.75 times the standard density up: a
    // fractional factor from a screen's odd density (VNC's 103 dpi, a
    // monitor's physical size) would push the window past a screen it fits
    // today, and at 1.5 a factor of 2 makes it larger than a 1080p laptop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}
