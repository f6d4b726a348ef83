#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>
#include <array>

class QFontMetrics;

// Pixel geometry of the two curve plots, kept apart from painting so every
// coordinate can be checked without a screen.
//
// w and h are the widget's width and height in pixels. Every division is an
// integer division truncating toward zero, applied in the order written: the
// plots must put their pixels exactly where the transmitter's own display
// arithmetic puts them, rounding included. Curve values are percentages as
// stored in the settings record (throttle points 0..100, rate 0..100,
// exponential -100..100).
namespace curvegeometry
{

// Grid lines are dashed: an 8 px dash every 15 px. Dashes start at each
// multiple of 15 from 21 up to a last start that depends on the widget size.
constexpr int kDashPeriod = 15;
constexpr int kDashLength = 8;
constexpr int kFirstDashBound = 21;

// The frame outline is drawn with a 4 px pen; labels keep clear of it.
constexpr int kFramePenWidth = 4;
constexpr int kLabelGap = 2;

// Starts of the dashes of one grid line: multiples of kDashPeriod in
// [kFirstDashBound, lastStart]; empty when the widget is too small.
QVector<int> dashStarts(int lastStart);

// Dashes of horizontal lines at each of ys (outer loop over the start x, inner
// over the lines), and of vertical lines at each of xs.
QVector<QLine> horizontalDashes(const QVector<int> &ys, int lastStart);
QVector<QLine> verticalDashes(const QVector<int> &xs, int lastStart);

// Width and height a label occupies when drawn in the given font.
QSize labelSize(const QFontMetrics &metrics, const QString &text);

// ---- Throttle curve ------------------------------------------------------

constexpr int kThrottleRowCount = 11;  // 100 % down to 0 % in steps of 10
constexpr int kThrottlePointCount = 7; // the seven curve points
constexpr int kThrottleMarginTop = 30;
constexpr int kThrottleMarginBottom = 30;
constexpr int kThrottleMarginLeft = 30;
constexpr int kThrottleMarginRight = 20;

struct ThrottleGrid {
    QRect frame;           // outline around the plot area
    QVector<int> rows;     // y of the eleven rows, 100 % first
    QVector<int> columns;  // x of the six vertical grid lines (points 2..7)
    QVector<QLine> dashes; // every dash of the rows, then of the columns
};

ThrottleGrid throttleGrid(int w, int h);

// x of curve point n (0..6): point 0 on the frame's left edge, the others on
// the six columns.
int throttlePointX(int w, int n);

// y of a throttle value: 100 on the top row, 0 on the bottom row.
int throttleValueY(int h, int percent);

std::array<QPoint, kThrottlePointCount> throttlePoints(int w, int h,
                                                       const int (&percent)[kThrottlePointCount]);

// The other way, for dragging: the throttle value (0..100) nearest to height
// y, and the point whose column is nearest to x.
int throttleValueAt(int h, int y);
int throttlePointAt(int w, int x);

// Value label k (0 = "100" ... 10 = "  0"), three characters right-aligned.
QString throttleValueLabel(int k);
// Point label n (0..6) reads "1" ... "7".
QString throttlePointLabel(int n);

// Value label k sits in the left margin, right-aligned against the frame and
// vertically centred on row k; point label n sits in the bottom margin,
// horizontally centred under point n. Both are kept inside the widget.
QRect throttleValueLabelRect(int w, int h, int k, QSize text);
QRect throttlePointLabelRect(int w, int h, int n, QSize text);

// ---- Dual-rate / exponential curve ---------------------------------------

constexpr int kRateMargin = 20;

struct RateGrid {
    QRect frame;
    int centreX = 0;       // x of the vertical centre line
    int centreY = 0;       // y of the horizontal centre line
    QVector<QLine> dashes; // the horizontal centre line's dashes, then the vertical's
};

RateGrid rateGrid(int w, int h);

// Two cubic Bezier halves meeting at the centre: the left one runs from
// start1 (its first control point is start1 itself) through control1 to the
// centre, the right one likewise from start2 through control2.
struct RateCurve {
    QPoint centre;
    QPoint start1;
    QPoint control1;
    QPoint start2;
    QPoint control2;
};

RateCurve rateCurve(int w, int h, int rate, int expo);

// The rate (0..100) that puts the curve's right end (or its left end) at
// height y.
int rateAt(int h, int y, bool rightEnd);
// The exponential after a vertical drag of `dy` pixels (down positive) that
// began at `expo`: up on the right half, down on the left one, bends the
// curve steeper at the centre. Kept within -100..100.
int expoAfterDrag(int h, int expo, int dy, bool rightHalf);

} // namespace curvegeometry
