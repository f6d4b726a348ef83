#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Holds back the closing of a window while a flow that writes settings to
// the transmitter runs, and closes the window as soon as the last one ends.
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
    // `beforeClose` runs right before a held-back close is carried out.
    CloseDeferral(QWidget *window, std::function<void()> beforeClose);

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
    QWidget *window;
    std::function<void()> beforeClose;
    int runningFlows = 0;
    bool closeRequested = false;
};
