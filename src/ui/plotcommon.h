#pragma once

#include <QLine>
#include <QVector>

class QPainter;
class QRect;
class QTimer;
class QWidget;

// Pieces the two curve plots share.

// The plots follow the settings by polling: ten looks a second are cheap and
// catch every writer of the settings without any of them having to notify.
// A repaint is not: a plot asks for one only when what it shows has changed.
constexpr int kPlotRefreshMs = 100;

// Creates the plot's own refresh timer (owned by the plot), connects its
// time-out to the plot's creatData() slot and starts it.
QTimer *startPlotRefresh(QWidget *plot);

// Asks `plot` for a repaint when `values` (the settings it plots) differ
// from those of its last request, kept in `requested`. Every request is
// followed by a full repaint, or by one when the plot is next shown, so that
// plot never shows older values than the last request.
void repaintOnChange(QWidget *plot, QVector<int> &requested, QVector<int> values);

// White background over the whole widget, the green frame outline and the
// green grid dashes drawn with the given pen width.
void paintPlotGrid(QPainter &painter, const QRect &widget, const QRect &frame,
                   const QVector<QLine> &dashes, int dashPenWidth);
