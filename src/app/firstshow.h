#pragma once

#include <functional>

class QTabWidget;
class QWidget;

// Runs `setUp` once for each page of `tabs`: at once for the page shown now,
// for every other page when it is first shown. What only matters to someone
// looking at a page (its Tab order, its tooltips) then costs nothing at start.
void onFirstShow(QTabWidget *tabs, const std::function<void(QWidget *page)> &setUp);
