#include "highdpi.h"

#include "qtcompat.h"

#include <QGuiApplication>

void enableHighDpiScaling()
{
    // Icons are drawn from their 256 px images at the screen's density.
    qtcompat::scaleWithScreenDensity();
    // Whole factors only, and 2 from 1.75 times the standard density up: a
    // fractional factor from a screen's odd density (VNC's 103 dpi, a
    // monitor's physical size) would push the window past a screen it fits
    // today, and at 1.5 a factor of 2 makes it larger than a 1080p laptop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}
