// The window's own periodic work, each step followed by the event processing
// that paints what it invalidated: the 100 ms display refresh with nothing
// changed (on each page) and with new live values, and one repaint of each
// curve plot on its page. Run with QT_QPA_PLATFORM=offscreen.
#include "mainwindow.h"
#include "telemetry.h"

#include <QApplication>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// One shown window for all benchmarks; Qt allows one application object.
struct Window {
    MainWindow window;
    QTabWidget *tabs = window.findChild<QTabWidget *>("tabWidget");

    Window()
    {
        window.show();
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    void refresh() { QMetaObject::invokeMethod(&window, "ui_Display"); }
    void showPage(const char *name)
    {
        tabs->setCurrentWidget(tabs->findChild<QWidget *>(name));
        settle();
    }
};

// Created on first use, destroyed before the application object.
std::unique_ptr<Window> sharedWindow;

Window &shared()
{
    if (!sharedWindow)
        sharedWindow = std::make_unique<Window>();
    return *sharedWindow;
}

const char *const pages[] = {"tab", "tab_2", "tab_3", "tab_4", "tab_5"};

// A refresh that changes nothing, with the given page shown.
void refreshQuiet(benchmark::State &state)
{
    const char *page = pages[state.range(0)];
    Window &w = shared();
    w.showPage(page);
    for (auto _ : state) {
        w.refresh();
        QCoreApplication::processEvents();
    }
    state.SetLabel(page);
}
BENCHMARK(refreshQuiet)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// What each tick shows while the transmitter streams: every channel moved.
void refreshLiveValues(benchmark::State &state)
{
    Window &w = shared();
    w.showPage("tab");
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 200;
        for (int ch = 0; ch < 8; ++ch)
            Telemetry.servo[ch] = 1000 + 5 * ((step + 20 * ch) % 200);
        Telemetry.txVolt = 700 + step;
        w.refresh();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(refreshLiveValues)->Unit(benchmark::kMicrosecond);

// Page and object name of each plot: tab_5 holds the throttle curve, tab_4
// the dual-rate curve.
void plotRepaint(benchmark::State &state)
{
    const char *page = state.range(0) == 0 ? "tab_5" : "tab_4";
    const char *plotName = state.range(0) == 0 ? "widget_4" : "widget_3";
    Window &w = shared();
    w.showPage(page);
    QWidget *plot = w.window.findChild<QWidget *>(plotName);
    for (auto _ : state)
        plot->repaint();
    state.SetLabel(plotName);
}
BENCHMARK(plotRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sharedWindow.reset();
    return 0;
}
