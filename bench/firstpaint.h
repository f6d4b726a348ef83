#pragma once

class QWidget;

// Start-up harnesses: how long from the process start until a window has
// painted for the first time.
//
// The start is the CLOCK_MONOTONIC time that bench_launch takes in the child
// right before exec (TXC_BENCH_START_NS), so the figure covers the exec, the
// dynamic loader with its relocations of the Qt libraries, static
// initialisation and everything main does. The kernel's own start time in
// /proc/self/stat would need no launcher, but it counts in clock ticks (10 ms
// here) and starts at the fork; it is the fallback when the harness is run
// by hand.

// Milliseconds since the process start.
double msSinceProcessStart();

// Shows `window`, runs the event loop until the first paint of the window
// and every child painted with it is done, prints first_paint_ms=... and
// ends the process.
[[noreturn]] void showAndReportFirstPaint(QWidget &window);
