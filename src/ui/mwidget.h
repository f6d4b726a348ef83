#pragma once

#include "plotcommon.h"

#include <QWidget>

class QTimer;

// Dual-rate / exponential plot of the selected channel and switch position:
// two cubic halves meeting at the centre, following the settings within a
// tenth of a second. Dragging an end of the curve up or down sets the rate,
// dragging elsewhere bends it (the exponential).
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Rate, Expo };
    Drag grabbed(const QPoint &at) const;
    void showValue(const QPoint &at);

    QTimer *refreshTimer;
    PlotBackground background;
    Drag drag = Drag::None;
    bool rightHalf = false;
    int pressY = 0;
    int pressExpo = 0;
};
