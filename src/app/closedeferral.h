#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Holds back the closing of a window while a flow that writes settings to
// the transmitter runs, or a box tells how one went, and closes the window as
// soon as the last one ends: the window stays on screen (its commands
// disabled) until then, so no box is left on an empty screen.
//
// The flows pause in nested event loops. Closing the last window there quits
// the application, and quitting ends every running loop and every loop
// started after it at once: the remaining frames would go out without their
// pauses, or be dropped with the port, leaving the transmitter with part new
// and part old settings. So a close request (title bar, keyboard, close())
// is refused while such a flow runs and carried out when it has ended.
class CloseDeferral : public QObject
{
public:
    // `held` runs when a close is first held back, `beforeClose` right
    // before a held-back close is carried out.
    CloseDeferral(QWidget *window, std::function<void()> held, std::function<void()> beforeClose);

    // Runs `step` (a modal box, say) from the event loop soon, holding a
    // close back until it has returned.
    void holdWhile(std::function<void()> step);

    // Marks a running flow for as long as it lives.
    class Flow
    {
    public:
        explicit Flow(CloseDeferral &deferral);
        ~Flow();
        Flow(const Flow &) = delete;
        Flow &operator=(const Flow &) = delete;

    private:
        CloseDeferral &deferral;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();

    QWidget *window;
    std::function<void()> held;
    std::function<void()> beforeClose;
    int runningFlows = 0;
    bool closeRequested = false;
};
