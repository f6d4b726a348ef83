#include "plotcommon.h"

#include "curvegeometry.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

QTimer *startPlotRefresh(QWidget *plot)
{
    auto *timer = new QTimer(plot);
    QObject::connect(timer, SIGNAL(timeout()), plot, SLOT(creatData()));
    timer->start(kPlotRefreshMs);
    return timer;
}

void paintPlotGrid(QPainter &painter, const QRect &widget, const QRect &frame,
                   const QVector<QLine> &dashes, int dashPenWidth)
{
    painter.setPen(QPen(Qt::green, curvegeometry::kFramePenWidth));
    painter.fillRect(widget, Qt::white);
    painter.drawRect(frame);

    painter.setPen(QPen(Qt::green, dashPenWidth));
    painter.drawLines(dashes);
}
