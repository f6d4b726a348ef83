#pragma once

#include <QWidget>

// Dual-rate / exponential plot of the selected channel and switch position.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr);
};
