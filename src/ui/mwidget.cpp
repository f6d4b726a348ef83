#include "mwidget.h"

#include "curvegeometry.h"
#include "plotcommon.h"
#include "txparams.h"

#include <QPainter>
#include <QPainterPath>

namespace
{

// One half of the curve: a cubic whose first control point is its start.
QPainterPath curveHalf(QPoint start, QPoint control, QPoint end)
{
    QPainterPath path(start);
    path.cubicTo(start, control, end);
    return path;
}

} // namespace

mWidget::mWidget(QWidget *parent) : QWidget(parent), refreshTimer(startPlotRefresh(this)) {}

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
