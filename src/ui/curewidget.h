#pragma once

#include "plotcommon.h"

#include <QWidget>

class QTimer;

// Throttle-curve plot: the seven curve points joined by straight segments
// over a percentage grid, following the settings within a tenth of a second.
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *refreshTimer;
    PlotBackground background;
};
