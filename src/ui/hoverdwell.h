#pragma once

#include <QString>

class QComboBox;

// A combo box that stays under the pointer for 20 display runs swaps to a
// style sheet without the hover highlight (the green flash is tiring on a
// box the user is hovering while reading), and gets the normal sheet back on
// the first run after the pointer has left. The counter is not reset when the
// pointer leaves early, so short hovers add up.
namespace hoverdwell
{

enum class SheetChange { None, ToNoHighlight, ToNormal };

constexpr int kDwellRuns = 20;

// One display run for one combo box: advances its counter and says which
// sheet, if any, to apply now.
SheetChange step(int &counter, bool underMouse);

// The two combo-box sheets from the resources, read once and kept.
const QString &normalSheet();      // ":/comboBox.qss"
const QString &noHighlightSheet(); // ":/comboBox_REV.qss"

// step() for a real combo box, applying the sheet it asks for.
void run(QComboBox *box, int &counter);

} // namespace hoverdwell
