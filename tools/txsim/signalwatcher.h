#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the event loop (through a
// self-pipe), so the program can clean up like on any other quit.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

signals:
    void received(const QString &signalName);

private:
    void readPipe();

    QSocketNotifier *notifier = nullptr;
};
