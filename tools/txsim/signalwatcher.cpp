#include "signalwatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{

int pipeFds[2] = {-1, -1};

// Only async-signal-safe calls here: the number goes into the pipe.
extern "C" void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    const int savedErrno = errno;
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(QObject *parent) : QObject(parent)
{
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        qFatal("txsim: cannot create the signal pipe");
    notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SignalWatcher::readPipe);

    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal or SSH session, which the start script's run can outlive.
    sigaction(SIGHUP, &action, nullptr);
    // The log may go into a pipe whose reader dies first (Ctrl-C reaches the
    // whole group); a failed log write must not kill the program before the
    // link is removed.
    signal(SIGPIPE, SIG_IGN);
}

SignalWatcher::~SignalWatcher()
{
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void SignalWatcher::readPipe()
{
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1)
        emit received(byte == SIGINT   ? QStringLiteral("SIGINT")
                      : byte == SIGHUP ? QStringLiteral("SIGHUP")
                                       : QStringLiteral("SIGTERM"));
}
