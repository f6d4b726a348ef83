#pragma once

#include <QWidget>

class QTimer;

// Throttle-curve plot: the seven curve points joined by straight segments
// over a percentage grid, repainted ten times a second from the settings.
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
};
