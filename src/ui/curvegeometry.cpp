#include "curvegeometry.h"

#include <QFontMetrics>
#include <QtGlobal>

namespace curvegeometry
{

namespace
{

// Clamps a label's leading edge so that a label of the given extent stays
// inside [0, limit) even when the preferred place would push it out.
int keepInside(int preferred, int extent, int limit)
{
    return qMax(0, qMin(limit - extent, preferred));
}

} // namespace

QVector<int> dashStarts(int lastStart)
{
    QVector<int> starts;
    const int first = (kFirstDashBound + kDashPeriod - 1) / kDashPeriod * kDashPeriod;
    for (int start = first; start <= lastStart; start += kDashPeriod)
        starts.append(start);
    return starts;
}

QVector<QLine> horizontalDashes(const QVector<int> &ys, int lastStart)
{
    QVector<QLine> dashes;
    for (int x : dashStarts(lastStart)) {
        for (int y : ys)
            dashes.append(QLine(x, y, x + kDashLength, y));
    }
    return dashes;
}

QVector<QLine> verticalDashes(const QVector<int> &xs, int lastStart)
{
    QVector<QLine> dashes;
    for (int y : dashStarts(lastStart)) {
        for (int x : xs)
            dashes.append(QLine(x, y, x, y + kDashLength));
    }
    return dashes;
}

QSize labelSize(const QFontMetrics &metrics, const QString &text)
{
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

// ---- Throttle curve ------------------------------------------------------

ThrottleGrid throttleGrid(int w, int h)
{
    ThrottleGrid grid;
    grid.frame = QRect(kThrottleMarginLeft, kThrottleMarginTop,
                       w - kThrottleMarginLeft - kThrottleMarginRight,
                       h - kThrottleMarginTop - kThrottleMarginBottom);

    // Row k at 30 + (k * f) / 10 also yields the top (k = 0) and the bottom
    // (k = 10, h - 30) rows, so one formula covers all eleven.
    const int f = h - kThrottleMarginTop - kThrottleMarginBottom;
    for (int k = 0; k < kThrottleRowCount; ++k)
        grid.rows.append(kThrottleMarginTop + (k * f) / (kThrottleRowCount - 1));
    for (int n = 1; n < kThrottlePointCount; ++n)
        grid.columns.append(throttlePointX(w, n));

    // The last dash starts at most 31 px from the far edge, so it ends inside
    // the frame.
    grid.dashes = horizontalDashes(grid.rows, w - 31);
    grid.dashes += verticalDashes(grid.columns, h - 31);
    return grid;
}

int throttlePointX(int w, int n)
{
    if (n == 0)
        return kThrottleMarginLeft;
    // g / 3 and g / 2 truncate to the same integers as (2 * g) / 6 and
    // (3 * g) / 6, and 20 + (6 * g) / 6 is w - 20, so the sixths cover all.
    const int g = w - 2 * kThrottleMarginRight;
    return kThrottleMarginRight + (n * g) / (kThrottlePointCount - 1);
}

int throttleValueY(int h, int percent)
{
    const int f = h - kThrottleMarginTop - kThrottleMarginBottom;
    return ((100 - percent) * f) / 100 + kThrottleMarginTop;
}

std::array<QPoint, kThrottlePointCount> throttlePoints(int w, int h,
                                                       const int (&percent)[kThrottlePointCount])
{
    std::array<QPoint, kThrottlePointCount> points;
    for (int n = 0; n < kThrottlePointCount; ++n)
        points[n] = QPoint(throttlePointX(w, n), throttleValueY(h, percent[n]));
    return points;
}

int throttleValueAt(int h, int y)
{
    const int f = qMax(1, h - kThrottleMarginTop - kThrottleMarginBottom);
    return qBound(0, 100 - qRound((y - kThrottleMarginTop) * 100.0 / f), 100);
}

int throttlePointAt(int w, int x)
{
    int nearest = 0;
    for (int n = 1; n < kThrottlePointCount; ++n)
        if (qAbs(throttlePointX(w, n) - x) < qAbs(throttlePointX(w, nearest) - x))
            nearest = n;
    return nearest;
}

QString throttleValueLabel(int k)
{
    return QString::number(100 - 10 * k).rightJustified(3, QLatin1Char(' '));
}

QString throttlePointLabel(int n) { return QString::number(n + 1); }

QRect throttleValueLabelRect(int w, int h, int k, QSize text)
{
    const ThrottleGrid grid = throttleGrid(w, h);
    const int right = grid.frame.left() - kFramePenWidth / 2 - kLabelGap;
    const int left = keepInside(right - text.width(), text.width(), w);
    const int top = keepInside(grid.rows[k] - text.height() / 2, text.height(), h);
    return QRect(QPoint(left, top), text);
}

QRect throttlePointLabelRect(int w, int h, int n, QSize text)
{
    // Centred in the band between the frame's bottom edge and the widget's.
    const int bandTop = h - kThrottleMarginBottom + kFramePenWidth / 2 + kLabelGap;
    const int top = keepInside(bandTop + (h - bandTop - text.height()) / 2, text.height(), h);
    const int left = keepInside(throttlePointX(w, n) - text.width() / 2, text.width(), w);
    return QRect(QPoint(left, top), text);
}

// ---- Dual-rate / exponential curve ---------------------------------------

RateGrid rateGrid(int w, int h)
{
    RateGrid grid;
    grid.frame = QRect(kRateMargin, kRateMargin, w - 2 * kRateMargin, h - 2 * kRateMargin);
    grid.centreX = (w - 2 * kRateMargin) / 2 + kRateMargin;
    grid.centreY = (h - 2 * kRateMargin) / 2 + kRateMargin;
    // Centre-line dashes may start up to 21 px from the far edge.
    grid.dashes = horizontalDashes({grid.centreY}, w - 21);
    grid.dashes += verticalDashes({grid.centreX}, h - 21);
    return grid;
}

RateCurve rateCurve(int w, int h, int rate, int expo)
{
    const int gw = w - 2 * kRateMargin;
    const int gh = h - 2 * kRateMargin;

    // A lifts the ends off the frame edges as the rate falls below 100; RE
    // pulls the inner control points along the curve for the exponential.
    const int a = (100 - rate) * (gh / 2);
    const int re = (rate * expo) / 100;
    const int x1 = gw / 4 + kRateMargin;
    const int dx1 = ((x1 / 2) * re) / 100;
    const int dy1 = (re * (gh / 4)) / 100;

    RateCurve curve;
    curve.centre = QPoint(gw / 2 + kRateMargin, gh / 2 + kRateMargin);
    curve.start1 = QPoint(kRateMargin, (h - kRateMargin) - a / 100);
    curve.control1 = QPoint(x1 + dx1, (3 * gh) / 4 + kRateMargin - a / 200 + dy1);
    curve.start2 = QPoint(w - kRateMargin, kRateMargin + a / 100);
    curve.control2 = QPoint((3 * gw) / 4 + kRateMargin - dx1, gh / 4 + kRateMargin + a / 200 - dy1);
    return curve;
}

int rateAt(int h, int y, bool rightEnd)
{
    const int half = qMax(1, (h - 2 * kRateMargin) / 2);
    const int fromEdge = rightEnd ? y - kRateMargin : (h - kRateMargin) - y;
    return qBound(0, 100 - qRound(fromEdge * 100.0 / half), 100);
}

int expoAfterDrag(int h, int expo, int dy, bool rightHalf)
{
    const int gh = qMax(1, h - 2 * kRateMargin);
    const int change = qRound((rightHalf ? -dy : dy) * 200.0 / gh);
    return qBound(-100, expo + change, 100);
}

} // namespace curvegeometry
