#pragma once

#include <QLine>
#include <QVector>

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
// time-out to the plot's creatData() slot and starts it.
QTimer *startPlotRefresh(QWidget *plot);

// White background over the whole widget, the green frame outline and the
// green grid dashes drawn with the given pen width.
void paintPlotGrid(QPainter &painter, const QRect &widget, const QRect &frame,
                   const QVector<QLine> &dashes, int dashPenWidth);
