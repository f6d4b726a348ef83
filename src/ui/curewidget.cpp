#include "curewidget.h"

#include "curvegeometry.h"
#include "plotcommon.h"
#include "txparams.h"

#include <QPainter>

cureWidget::cureWidget(QWidget *parent) : QWidget(parent), refreshTimer(startPlotRefresh(this)) {}

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
}
