#pragma once

#include <QProcess>

#include <csignal>

// Signals a child the test started, and only while it runs: a finished
// QProcess reports process id 0, and kill(0, ...) would reach the whole
// process group, ctest and whatever runs it included.
inline bool signalChild(const QProcess &child, int signal)
{
    const qint64 pid = child.processId();
    return child.state() == QProcess::Running && pid > 0 && ::kill(pid_t(pid), signal) == 0;
}
