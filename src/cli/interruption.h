#pragma once

// Ctrl+C, SIGTERM, SIGHUP (a closed terminal or a dropped SSH session) and
// SIGPIPE (standard output's reader gone) while a command runs: counted instead of ending the
// process, so the command decides what it still finishes. A write finishes the frame sequence it
// has begun on the first signal and stops at once on the second.
namespace cli
{

// Counts the four signals while it lives; the previous handlers come back after.
class InterruptionWatch
{
public:
    InterruptionWatch();
    ~InterruptionWatch();
    InterruptionWatch(const InterruptionWatch &) = delete;
    InterruptionWatch &operator=(const InterruptionWatch &) = delete;
};

// Signals received so far.
int interruptions();
// 128 plus the first signal's number, as a shell reports a process it ended.
int interruptedStatus();

} // namespace cli
