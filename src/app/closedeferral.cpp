#include "closedeferral.h"

#include <QEvent>
#include <QWidget>

CloseDeferral::CloseDeferral(QWidget *window, std::function<void()> held,
                             std::function<void()> beforeClose)
    : QObject(window), window(window), held(std::move(held)), beforeClose(std::move(beforeClose))
{
    window->installEventFilter(this);
}

bool CloseDeferral::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window || event->type() != QEvent::Close || runningFlows == 0)
        return false;
    // A close event is accepted unless ignored; only an ignored one keeps
    // the window open.
    event->ignore();
    if (!closeRequested)
        held();
    closeRequested = true;
    return true;
}

void CloseDeferral::holdWhile(std::function<void()> step)
{
    ++runningFlows;
    // Queued on this object: dropped unrun if the window goes first.
    QMetaObject::invokeMethod(
        this,
        [this, step] {
            step();
            release();
        },
        Qt::QueuedConnection);
}

CloseDeferral::Flow::Flow(CloseDeferral &deferral) : deferral(deferral) { ++deferral.runningFlows; }

CloseDeferral::Flow::~Flow() { deferral.release(); }

// A step that starts inside beforeClose holds the close back once more.
void CloseDeferral::release()
{
    if (--runningFlows > 0 || !closeRequested)
        return;
    beforeClose();
    if (runningFlows > 0)
        return;
    closeRequested = false;
    window->close();
}
