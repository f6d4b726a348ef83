#pragma once

#include "plotcommon.h"

#include <QWidget>

class QTimer;

// Throttle-curve plot: the seven curve points joined by straight segments
// over a percentage grid, following the settings within a tenth of a second.
// A point can be dragged up and down; with the plot focused, Left and Right
// pick a point and Up and Down move it (the point picked is drawn only
// while the plot has the focus).
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setPoint(int n, int value);
    void showValue(const QPoint &at);

    QTimer *refreshTimer;
    PlotBackground background;
    int picked = 0;
    bool dragging = false;
};
