#include "waitms.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// A timer may end its wait a little early (coarse ones by up to 5 %), so the
// time is measured and the wait taken up again for what is left.
void waitMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = ms; left > 0; left = ms - clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::AllEvents);
    }
}
