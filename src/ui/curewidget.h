#pragma once

#include <QWidget>

// Throttle-curve plot of the seven curve points.
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr);
};
