#pragma once

#include <QString>

class QWidget;

// Tooltips in the window's language:
// - a command says what it does and names its shortcut;
// - an editor says what it sets (the field catalogue's description), its
//   range and unit (also from the catalogue, so the window, txctl show and
//   the tooltips never disagree) and what the short labels beside it mean;
// - a box that only shows says what it shows, and a row label what the
//   boxes it labels set or show (made when first hovered, once laid out);
// - the port box names the whole path of the chosen port.
// The top bar's are set after the form is built, a page's when it is first
// shown: nobody hovers a page before then.
namespace tooltips
{

// The tooltip of an editor or a box that only shows, by object name; empty
// for an object that shows nothing of its own. A box that is not `editable`
// (the firmware version) gets no range.
QString editorText(const QString &editor, bool editable = true);

void install(QWidget *window);
void describePage(QWidget *page);

} // namespace tooltips
