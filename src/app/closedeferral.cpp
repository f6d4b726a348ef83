#include "closedeferral.h"

#include <QEvent>
#include <QWidget>

CloseDeferral::CloseDeferral(QWidget *window, std::function<void()> beforeClose)
    : QObject(window), window(window), beforeClose(std::move(beforeClose))
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
    closeRequested = true;
    return true;
}

CloseDeferral::Flow::Flow(CloseDeferral &deferral) : deferral(deferral) { ++deferral.runningFlows; }

CloseDeferral::Flow::~Flow()
{
    if (--deferral.runningFlows > 0 || !deferral.closeRequested)
        return;
    deferral.closeRequested = false;
    deferral.beforeClose();
    deferral.window->close();
}
