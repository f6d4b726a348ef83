#include "interruption.h"

#include <atomic>
#include <csignal>

namespace cli
{
namespace
{

volatile std::sig_atomic_t count = 0;
volatile std::sig_atomic_t firstSignal = 0;

void countSignal(int signal)
{
    if (count == 0)
        firstSignal = signal;
    count = count + 1;
}

// SIGPIPE too: a reader that went away (monitor | head) ends a command as
// Ctrl+C does, so the port is closed and its lock removed; the write that
// met the closed pipe fails with EPIPE.
constexpr int watched[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr int watchedCount = int(sizeof watched / sizeof watched[0]);
struct sigaction previous[watchedCount];
std::atomic<int> watches{0}; // nested watches share the handlers

} // namespace

InterruptionWatch::InterruptionWatch()
{
    if (watches++ > 0)
        return;
    struct sigaction action {
    };
    action.sa_handler = countSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < watchedCount; ++i)
        sigaction(watched[i], &action, &previous[i]);
}

InterruptionWatch::~InterruptionWatch()
{
    if (--watches > 0)
        return;
    for (int i = 0; i < watchedCount; ++i)
        sigaction(watched[i], &previous[i], nullptr);
}

int interruptions() { return count; }

int interruptedStatus() { return 128 + firstSignal; }

} // namespace cli
