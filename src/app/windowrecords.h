#pragma once

#include <QString>

// The window's process-wide records besides the settings store and the live
// values: every slot reaches them directly, like the form's own data.

// The last S, G and H frames built (starting as protocol::startupFrameText*),
// which the save command writes to the file and the history keeps after a
// write.
extern QString frameTextS;
extern QString frameTextG;
extern QString frameTextH;

// Number of the last settings or aux frame decoded; written and logged only.
extern int readFlag;

// Selects the language of the message boxes and dialogs: 1 Chinese, 0 the
// English texts, which every other language shows too. 1 unless --lang or
// TXCONFIG_LANG chose a translation (see language.h).
extern int langFlag;

// The whole text of the last parameter file loaded.
extern QString loadedText;
