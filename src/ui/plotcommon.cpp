#include "plotcommon.h"

#include "curvegeometry.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

QTimer *startPlotRefresh(QWidget *plot)
{
    plot->setAttribute(Qt::WA_OpaquePaintEvent);
    auto *timer = new QTimer(plot);
    QObject::connect(timer, SIGNAL(timeout()), plot, SLOT(creatData()));
    timer->start(kPlotRefreshMs);
    return timer;
}

const QPixmap &PlotBackground::of(const QWidget *plot, const std::function<void(QPainter &)> &paint)
{
    const qreal ratio = plot->devicePixelRatioF();
    if (pixmap.isNull() || pixmap.size() != plot->size() * ratio ||
        pixmap.devicePixelRatio() != ratio || font != plot->font()) {
        pixmap = QPixmap(plot->size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        font = plot->font();
        QPainter painter(&pixmap);
        painter.setFont(font);
        paint(painter);
    }
    return pixmap;
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
