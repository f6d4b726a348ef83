#pragma once

#include <QFont>
#include <QLine>
#include <QPixmap>
#include <QVector>

#include <functional>

class QPainter;
class QRect;
class QTimer;
class QWidget;

// Pieces the two curve plots share.

// The plots follow the settings by polling: ten repaints a second catch every
// writer of the settings without any of them having to notify. A plot whose
// page is hidden is not painted at all.
constexpr int kPlotRefreshMs = 100;

// Creates the plot's own refresh timer (owned by the plot), connects its
// time-out to the plot's creatData() slot and starts it. The plot paints
// every pixel of itself, so nothing behind it is painted first.
QTimer *startPlotRefresh(QWidget *plot);

// What a plot draws under its curve (background, frame, grid, labels)
// depends only on its size and font, and the grid's hundreds of dashes are
// most of a repaint's cost. It is painted once into a pixmap, and again only
// when the size or font has changed; every repaint copies it, then draws the
// curve from the current settings.
class PlotBackground
{
public:
    const QPixmap &of(const QWidget *plot, const std::function<void(QPainter &)> &paint);

private:
    QPixmap pixmap;
    QFont font;
};

// White background over the whole widget, the green frame outline and the
// green grid dashes drawn with the given pen width.
void paintPlotGrid(QPainter &painter, const QRect &widget, const QRect &frame,
                   const QVector<QLine> &dashes, int dashPenWidth);
