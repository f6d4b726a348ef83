#pragma once

#include <QKeySequence>
#include <QVector>

class QWidget;

// Driving the window from the keyboard:
// - Tab walks the controls as a person reads them: along the top bar left to
//   right (the form's creation order puts Factory reset before Read), then on
//   the page shown by rows; the basic page is one table with a row per
//   channel, the other pages are read panel by panel. The boxes that only
//   show (labels, live values, the lamp) are no Tab stops: the form says so.
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

// The top bar's order, the shortcuts and Enter: once, after the form is built.
void install(QWidget *window);
// A page's order, when it is first shown: what the reading order needs (the
// columns laid out) costs nothing before then.
void orderPage(QWidget *page);

} // namespace keyboardnavigation
