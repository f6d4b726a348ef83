#pragma once

#include "plotcommon.h"

#include <QWidget>

class QTimer;

// Dual-rate / exponential plot of the selected channel and switch position:
// two cubic halves meeting at the centre, following the settings within a
// tenth of a second.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *refreshTimer;
    PlotBackground background;
};
