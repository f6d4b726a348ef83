#pragma once

class QWidget;

// Keyboard focus that can be seen. The form's sheets make every button and
// editor draw the same whether focused or not, and they cannot be changed,
// so a ring is drawn over the focused control instead: a thin widget of its
// own, laid over the control's border band (inside its rectangle, so nothing
// next to it is covered), that follows focus, ignores the mouse and takes no
// room in any layout. Yellow with a black inner edge, it reads on the dark
// panels, on the blue editors and on the grey buttons alike.
namespace focusframe
{

// Once, after the form is built: the ring follows focus within `window`.
void install(QWidget *window);

} // namespace focusframe
