#include "highdpi.h"

#include <QGuiApplication>

void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) // always on in Qt 6
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // Icons are drawn from their 256 px images at the screen's density.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    // The exact factor (1.25, 1.5): rounding it would leave the fonts scaled
    // by the remainder against a layout that is not, or make the window
    // larger than a 1.5x laptop screen. Qt 6 does the same by default.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}
