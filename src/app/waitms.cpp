#include "waitms.h"

#include <QEventLoop>
#include <QTimer>

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, SLOT(quit()));
    loop.exec(QEventLoop::AllEvents);
}
