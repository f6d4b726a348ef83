#include "curewidget.h"

#include "curvedrag.h"
#include "curvegeometry.h"
#include "plotcommon.h"
#include "txparams.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace
{
// How close to a point the pointer must be to take it, in pixels.
constexpr int kGrab = 12;
} // namespace

cureWidget::cureWidget(QWidget *parent) : QWidget(parent), refreshTimer(startPlotRefresh(this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void cureWidget::creatData() { update(); }

void cureWidget::paintEvent(QPaintEvent *)
{
    using namespace curvegeometry;
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.drawPixmap(0, 0, background.of(this, [w, h](QPainter &p) {
        const ThrottleGrid grid = throttleGrid(w, h);
        paintPlotGrid(p, QRect(0, 0, w, h), grid.frame, grid.dashes, 1);

        const QFontMetrics metrics = p.fontMetrics();
        p.setPen(QPen(Qt::black, 4));
        for (int k = 0; k < kThrottleRowCount; ++k) {
            const QString text = throttleValueLabel(k);
            p.drawText(throttleValueLabelRect(w, h, k, labelSize(metrics, text)),
                       Qt::AlignRight | Qt::AlignVCenter, text);
        }
        p.setPen(QPen(Qt::blue, 4));
        for (int n = 0; n < kThrottlePointCount; ++n) {
            const QString text = throttlePointLabel(n);
            p.drawText(throttlePointLabelRect(w, h, n, labelSize(metrics, text)), Qt::AlignCenter,
                       text);
        }
    }));

    // Six separate segments rather than a polyline: each joint gets the pen's
    // square caps, not a join.
    painter.setPen(QPen(Qt::red, 4));
    const auto points = throttlePoints(w, h, TxParams.thCurve);
    for (int n = 1; n < kThrottlePointCount; ++n)
        painter.drawLine(points[n - 1], points[n]);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::blue, 2));
        painter.drawRect(QRect(points[picked] - QPoint(6, 6), QSize(12, 12)));
    }
}

void cureWidget::setPoint(int n, int value)
{
    curvedrag::setThrough(
        curvedrag::editorOf(this, QStringLiteral("throttle_curve.point%1").arg(n + 1)), value);
    update();
}

void cureWidget::showValue(const QPoint &at)
{
    setToolTip(tr("曲线点%1：%2 %").arg(picked + 1).arg(TxParams.thCurve[picked]));
    QToolTip::showText(mapToGlobal(at), toolTip(), this);
}

void cureWidget::mousePressEvent(QMouseEvent *event)
{
    using namespace curvegeometry;
    const int n = throttlePointAt(width(), event->pos().x());
    const QPoint p = throttlePoints(width(), height(), TxParams.thCurve)[n];
    if (event->button() != Qt::LeftButton || qAbs(p.x() - event->pos().x()) > kGrab)
        return QWidget::mousePressEvent(event);
    picked = n;
    dragging = true;
    setPoint(n, throttleValueAt(height(), event->pos().y()));
    showValue(event->pos());
}

void cureWidget::mouseMoveEvent(QMouseEvent *event)
{
    using namespace curvegeometry;
    if (dragging) {
        setPoint(picked, throttleValueAt(height(), event->pos().y()));
        showValue(event->pos());
        return;
    }
    const int n = throttlePointAt(width(), event->pos().x());
    const QPoint p = throttlePoints(width(), height(), TxParams.thCurve)[n];
    const bool over = (p - event->pos()).manhattanLength() <= 2 * kGrab;
    setCursor(over ? Qt::SizeVerCursor : Qt::ArrowCursor);
    setToolTip(over ? tr("曲线点%1：%2 %").arg(n + 1).arg(TxParams.thCurve[n]) : QString());
}

void cureWidget::mouseReleaseEvent(QMouseEvent *event)
{
    dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void cureWidget::keyPressEvent(QKeyEvent *event)
{
    using namespace curvegeometry;
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        picked =
            qBound(0, picked + (event->key() == Qt::Key_Left ? -1 : 1), kThrottlePointCount - 1);
        update();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        setPoint(
            picked,
            qBound(0, TxParams.thCurve[picked] + (event->key() == Qt::Key_Up ? step : -step), 100));
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    const QPoint p = throttlePoints(width(), height(), TxParams.thCurve)[picked];
    showValue(p);
}
