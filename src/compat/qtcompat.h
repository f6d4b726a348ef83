#pragma once
// Where Qt 5 and Qt 6 differ for this program: calls one of them lacks, and
// behaviour that changed, made to give the Qt 5 result on both. Qt 5.15 is
// the build that ships; code elsewhere calls these instead of testing the Qt
// version itself (a test checks that it does).

class QPoint;
class QString;
class QWidget;

namespace qtcompat
{

// Call before the application object exists. Qt 6 always scales windows
// with the screen's density and draws icons from their large images; Qt 5
// does either only when asked.
void scaleWithScreenDensity();

// Where Qt's own translations (qtbase_<language>.qm) are installed.
QString qtTranslationsPath();

// Qt 5 rounds a font's ascent and descent up to whole pixels; Qt 6 rounds
// them to the nearest, so a line of bold 20 px Arial is 22 px high instead
// of 24. Only a widget whose height follows its text, one with a fixed
// vertical size policy in a layout, moves because of that: this gives such
// widgets under `root` their Qt 5 height back. A no-op on Qt 5.
void keepQt5TextHeights(QWidget *root);

// Sends `target` the hover move a real pointer at `pos` (widget coordinates)
// would cause; Qt 6 wants the global position too and has a different
// constructor for it.
void sendHoverMove(QWidget *target, const QPoint &pos, const QPoint &oldPos);

} // namespace qtcompat
