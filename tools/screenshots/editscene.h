#pragma once

#include <QString>

class QWidget;

namespace screenshots
{

// Edits a few fields of the basic menu as a user would (through their
// editors), shows that page with its amber marks and Write's tooltip listing
// the changes, and writes it to dir/edits.png. Returns the file written, or
// an empty string when the window lacks what the scene needs or the file
// could not be written. Leaves the window edited: run it last.
QString captureEdits(QWidget &window, const QString &dir, int settleMs);

} // namespace screenshots
