#pragma once

class QWidget;

// The wheel edits only the field the user is working in. Spin boxes and
// combo boxes take the wheel wherever the pointer happens to be, so scrolling
// over the form would reverse a servo or change a travel nobody clicked.
// Every spin box and combo box under the form then takes the wheel only while
// it has keyboard focus; otherwise the event goes on to its parent. They no
// longer take focus from the wheel either: a click or Tab gives it.
namespace wheelguard
{

// Once, after the form is built.
void install(QWidget *form);

} // namespace wheelguard
