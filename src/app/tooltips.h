#pragma once

#include <QString>

class QWidget;

// Tooltips in the window's language, set once after the form is built:
// - a command says what it does and names its shortcut;
// - an editor says what it sets (the field catalogue's description), its
//   range and unit (also from the catalogue, so the window, txctl show and
//   the tooltips never disagree) and what the short labels beside it mean;
// - the port box names the whole path of the chosen port.
namespace tooltips
{

// The tooltip of an editor of the form, by object name; empty for an object
// that shows no setting.
QString editorText(const QString &editor);

void install(QWidget *window);

} // namespace tooltips
