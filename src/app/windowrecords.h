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
