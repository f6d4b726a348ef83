// The window's own periodic work, each step followed by the event processing
// that paints what it invalidated: the 100 ms display refresh with nothing
// changed (on each page), the same with edited fields marked on every page,
// and with new live values; and one repaint of each curve plot on its page.
// Run with QT_QPA_PLATFORM=offscreen.
//
// One display tick is the named function displayTick, so that
//   valgrind --tool=callgrind --toggle-collect='*displayTick*' bench_window
// counts the instructions of the ticks alone.
#include "mainwindow.h"
#include "telemetry.h"
#include "txparams.h"

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

// Not inlined, so a profile can collect it alone.
Q_NEVER_INLINE void displayTick(Window &w)
{
    w.refresh();
    QCoreApplication::processEvents();
}

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
    for (auto _ : state)
        displayTick(w);
    state.SetLabel(page);
}
BENCHMARK(refreshQuiet)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The same quiet refresh with a field edited on every page, so each page
// shows amber marks (and Write's tooltip lists the changes); the settings
// are put back afterwards, so the other benchmarks see no mark.
void refreshMarked(benchmark::State &state)
{
    const char *page = pages[state.range(0)];
    Window &w = shared();
    const TxParamsRecord before = TxParams;
    TxParams.subTrim[0] += 10;    // basic menu
    TxParams.atti[0] += 5;        // advanced menu 1
    TxParams.prm[2].data[0] += 5; // advanced menu 2 (mix 3)
    TxParams.thCurve[3] += 5;     // advanced menu 3
    w.refresh();
    w.showPage(page);
    // Each page with an editor counts its marked fields in its tab tooltip.
    for (int i = 1; i < w.tabs->count(); ++i)
        if (w.tabs->tabToolTip(i).isEmpty())
            state.SkipWithError("an edited page shows no mark");
    for (auto _ : state)
        displayTick(w);
    state.SetLabel(page);
    TxParams = before;
    w.refresh();
    Window::settle();
}
BENCHMARK(refreshMarked)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

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
        displayTick(w);
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
