#pragma once

#include "portlist.h"

#include <QString>

namespace uitexts
{
// The one choice between the two texts of a message box or dialog, by
// langFlag. The form and the open button's captions are translated instead
// (see openCaption()); these texts have no translation but the English one.
QString pick(const char *chinese, const char *english);

// The open button's captions come from the loaded translation, the same
// lookup that gives the form its texts: the connection state is read from the
// caption, so the caption shown and the caption compared must be one text in
// whatever language a translator wrote.
QString openCaption();       // caption of the open button while the port is closed
QString closeCaption();      // caption while the port is open
QString noteTitle();         // title of the information boxes
QString portOpenErrorText(); // the connection flow could not open the port
QString portClosedText();    // a command was clicked while the port is closed
QString linkLostText();      // the adapter or the peer went away while open
QString errorTitle();        // title of the file error boxes
QString fileErrorText();     // a parameter file could not be read
// A save did not reach the disk: the file the user chose and the system's reason.
QString saveFailedText(const QString &path, const QString &reason);
QString saveDialogTitle();
QString saveDialogFilter();
QString loadDialogTitle();
QString loadDialogFilter();

// portOpenErrorText(), then for a cause the user can remove a line naming it
// and a line with the remedy; a busy port names its holder when known
// ("txctl, PID 4242").
QString portOpenErrorText(portlist::OpenFailure cause, const QString &holder = {});
} // namespace uitexts
