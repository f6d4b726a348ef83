#include "mwidget.h"

mWidget::mWidget(QWidget *parent) : QWidget(parent) {}
