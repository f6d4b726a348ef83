#include "mwidget.h"

#include "curvedrag.h"
#include "curvegeometry.h"
#include "plotcommon.h"
#include "txparams.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace
{

// How close to an end of the curve the pointer must be to take it, in pixels.
constexpr int kGrab = 15;

// One half of the curve: a cubic whose first control point is its start.
QPainterPath curveHalf(QPoint start, QPoint control, QPoint end)
{
    QPainterPath path(start);
    path.cubicTo(start, control, end);
    return path;
}

} // namespace

mWidget::mWidget(QWidget *parent) : QWidget(parent), refreshTimer(startPlotRefresh(this))
{
    setMouseTracking(true);
}

void mWidget::creatData() { update(); }

void mWidget::paintEvent(QPaintEvent *)
{
    using namespace curvegeometry;
    QPainter painter(this);
    painter.drawPixmap(0, 0, background.of(this, [this](QPainter &p) {
        const RateGrid grid = rateGrid(width(), height());
        paintPlotGrid(p, rect(), grid.frame, grid.dashes, 2);
    }));

    const RateCurve curve = rateCurve(width(), height(), TxParams.drRate, TxParams.drExp);
    painter.setPen(QPen(Qt::red, 4));
    painter.drawPath(curveHalf(curve.start1, curve.control1, curve.centre));
    painter.drawPath(curveHalf(curve.start2, curve.control2, curve.centre));
}

mWidget::Drag mWidget::grabbed(const QPoint &at) const
{
    const curvegeometry::RateCurve curve =
        curvegeometry::rateCurve(width(), height(), TxParams.drRate, TxParams.drExp);
    const bool nearEnd = (curve.start1 - at).manhattanLength() <= 2 * kGrab ||
                         (curve.start2 - at).manhattanLength() <= 2 * kGrab;
    return nearEnd ? Drag::Rate : Drag::Expo;
}

void mWidget::showValue(const QPoint &at)
{
    setToolTip(tr("比率：%1 %，指数：%2 %").arg(TxParams.drRate).arg(TxParams.drExp));
    QToolTip::showText(mapToGlobal(at), toolTip(), this);
}

void mWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    drag = grabbed(event->pos());
    rightHalf = event->pos().x() > width() / 2;
    pressY = event->pos().y();
    pressExpo = TxParams.drExp;
    showValue(event->pos());
}

void mWidget::mouseMoveEvent(QMouseEvent *event)
{
    using namespace curvegeometry;
    if (drag == Drag::None) {
        setCursor(grabbed(event->pos()) == Drag::Rate ? Qt::SizeVerCursor : Qt::OpenHandCursor);
        setToolTip(tr("比率：%1 %，指数：%2 %").arg(TxParams.drRate).arg(TxParams.drExp));
        return;
    }
    if (drag == Drag::Rate)
        curvedrag::setThrough(curvedrag::editorOf(this, QStringLiteral("dualrate.rate")),
                              rateAt(height(), event->pos().y(), rightHalf));
    else
        curvedrag::setThrough(
            curvedrag::editorOf(this, QStringLiteral("dualrate.expo")),
            expoAfterDrag(height(), pressExpo, event->pos().y() - pressY, rightHalf));
    update();
    showValue(event->pos());
}

void mWidget::mouseReleaseEvent(QMouseEvent *event)
{
    drag = Drag::None;
    QWidget::mouseReleaseEvent(event);
}
