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

constexpr int watched[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[3];
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
    for (int i = 0; i < 3; ++i)
        sigaction(watched[i], &action, &previous[i]);
}

InterruptionWatch::~InterruptionWatch()
{
    if (--watches > 0)
        return;
    for (int i = 0; i < 3; ++i)
        sigaction(watched[i], &previous[i], nullptr);
}

int interruptions() { return count; }

int interruptedStatus() { return 128 + firstSignal; }

} // namespace cli
