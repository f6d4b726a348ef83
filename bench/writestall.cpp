#include "transmittersession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// The longest time the event loop went without running while a write of
// three frames went out through a pseudo-terminal whose output is suspended
// for a while from the first frame on, as a stalled adapter's is. A 1 ms
// timer ticks throughout; the figure is the widest gap between its ticks.
//
//   bench_writestall
// Prints one Markdown table row per stall.
namespace
{

struct Run {
    double longestGapMs = 0;
    TransmitterSession::Outcome outcome = TransmitterSession::Outcome::Done;
    int framesSent = 0;
};

Run writeThrough(int stallMs)
{
    int master = -1, slave = -1;
    char name[256] = {};
    Run run;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return run;
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    QSerialPort port(QString::fromLocal8Bit(name));
    port.open(QIODevice::ReadWrite);
    TransmitterSession session(port, TransmitterSession::Ack::PerFrame);
    if (stallMs > 0) {
        ::tcflow(slave, TCOOFF);
        QTimer::singleShot(stallMs, [slave] { ::tcflow(slave, TCOON); });
    }

    QElapsedTimer clock;
    clock.start();
    qint64 lastTickNs = clock.nsecsElapsed();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        run.longestGapMs = qMax(run.longestGapMs, (now - lastTickNs) / 1e6);
        lastTickNs = now;
    });
    tick.start(1);
    bool over = false;
    QObject::connect(&session, &TransmitterSession::finished,
                     [&](const TransmitterSession::Result &r) {
                         run.outcome = r.outcome;
                         run.framesSent = r.framesSent;
                         over = true;
                     });
    TransmitterSession::WriteOptions options;
    options.paceMs = 100;
    const QString frame(81, QLatin1Char('x'));
    session.write({frame, frame, frame}, options);
    while (!over)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // A job that ended inside write() never gave the loop a turn.
    run.longestGapMs = qMax(run.longestGapMs, (clock.nsecsElapsed() - lastTickNs) / 1e6);
    port.close();
    ::close(slave);
    ::close(master);
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("| Output stalled for | Longest event-loop stall | Write ended | Frames sent |\n"
                "|---|---|---|---|\n");
    for (const int stallMs : {0, 1000, 3000}) {
        const Run run = writeThrough(stallMs);
        std::printf("| %d ms | %.1f ms | %s | %d |\n", stallMs, run.longestGapMs,
                    run.outcome == TransmitterSession::Outcome::Done ? "done" : "cut short",
                    run.framesSent);
    }
    return 0;
}
