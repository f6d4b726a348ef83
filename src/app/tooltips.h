#pragma once

class QWidget;

// Tooltips for the commands and the editors, in the window's language: what a
// control does or sets, and for a command its shortcut. Set once after the
// form is built; the port box's tooltip follows the chosen port.
namespace tooltips
{

void install(QWidget *window);

} // namespace tooltips
