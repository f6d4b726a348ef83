#pragma once

#include <QKeySequence>
#include <QVector>

class QWidget;

// Driving the window from the keyboard, set up once after the form is built:
// - Tab walks the controls as a person reads them: along the top bar left to
//   right (the form's creation order puts Factory reset before Read), then on
//   each page by rows; the basic page is one table with a row per channel,
//   the other pages are read panel by panel. The read-only label boxes are no
//   Tab stops; boxes the form keeps editable stay.
// - The commands have shortcuts that click their button (so a disabled
//   button's shortcut does nothing), and Enter presses a focused button as
//   Space does.
// - Ctrl+PgUp and Ctrl+PgDn switch pages wherever focus is, also in a spin
//   box, which would otherwise take them as steps of ten.
namespace keyboardnavigation
{

struct Command {
    const char *button; // object name in the form
    QKeySequence keys;
};

// The command buttons and their shortcuts.
const QVector<Command> &commands();

void install(QWidget *window);

} // namespace keyboardnavigation
