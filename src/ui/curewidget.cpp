#include "curewidget.h"

cureWidget::cureWidget(QWidget *parent) : QWidget(parent) {}
