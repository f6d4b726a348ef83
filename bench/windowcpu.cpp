// CPU cost of the shown window over a stretch of time, measured in-process
// with getrusage from a point after start-up:
//
//   bench_windowcpu [--page NAME] [--link PATH] [--seconds N]
//
// --page makes that page of the tab widget current (the curve plots repaint
// only while theirs is shown). --link connects the way a user does: the path
// is offered first in the port list and the open button is clicked, which
// opens the port and sends "OK" (a transmitter then starts its live stream);
// at the end the button is clicked again, which sends "DIS". The frame and
// acknowledgement counts come from the transmitter's side.
//
// Prints cpu_ms, wall_ms and cpu_percent (of one core) for the measured time.
#include "mainwindow.h"
#include "portlist.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace
{

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

[[noreturn]] void fail(const char *message)
{
    std::fprintf(stderr, "bench_windowcpu: %s\n", message);
    // A failed open leaves a modal box up; do not wait for anyone to close it.
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption pageOption("page", "Object name of the page to show.", "name");
    const QCommandLineOption linkOption("link", "Path of the transmitter's link.", "path");
    const QCommandLineOption secondsOption("seconds", "Length of the measurement.", "n", "10");
    parser.addOptions({pageOption, linkOption, secondsOption});
    parser.process(app);
    const QString link = parser.value(linkOption);
    const int seconds = parser.value(secondsOption).toInt();
    if (seconds <= 0 || (parser.isSet(linkOption) && !QFileInfo::exists(link)))
        fail("--seconds must be positive and --link must exist");

    if (!link.isEmpty())
        portlist::setPreferredPorts({link});
    MainWindow window;
    if (parser.isSet(pageOption)) {
        auto *tabs = window.findChild<QTabWidget *>("tabWidget");
        QWidget *page = tabs ? tabs->findChild<QWidget *>(parser.value(pageOption)) : nullptr;
        if (!page || tabs->indexOf(page) < 0)
            fail("no such page");
        tabs->setCurrentWidget(page);
    }
    window.show();
    auto *openButton = window.findChild<QAbstractButton *>("openButton");
    if (!openButton)
        fail("no open button");

    double cpuAtStart = 0;
    QElapsedTimer wall;
    // Let start-up settle first, so that only the running window is measured.
    QTimer::singleShot(1000, [&] {
        if (!link.isEmpty()) {
            const QString closedCaption = openButton->text();
            // Armed first: a failed open does not return before its box is closed.
            QTimer::singleShot(2000, [&, closedCaption] {
                if (openButton->text() == closedCaption)
                    fail("the link did not open");
            });
        }
        cpuAtStart = cpuMs();
        wall.start();
        if (!link.isEmpty())
            openButton->click();
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] {
            const double used = cpuMs() - cpuAtStart;
            const double elapsed = double(wall.elapsed());
            if (!link.isEmpty())
                openButton->click();
            std::printf("cpu_ms=%.1f\nwall_ms=%.0f\ncpu_percent=%.2f\n", used, elapsed,
                        100.0 * used / elapsed);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    });
    return QApplication::exec();
}
