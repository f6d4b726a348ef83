#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace screenshots
{

// Shows each page of the window's tab widget in turn, lets the display
// refresh and the curve timers run for settleMs, grabs the whole window and
// writes it to dir/tab-N.png (N from 1). Returns the files written; an empty
// list when the window has no tab widget or a file could not be written.
QStringList captureTabs(QWidget &window, const QString &dir, int settleMs);

} // namespace screenshots
