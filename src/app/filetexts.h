#pragma once

#include "fileoutput.h"
#include "parameterreader.h"

#include <QString>

// What the window tells the user about a parameter file it could not load
// whole or may not save to, in the window's language (langFlag).
namespace filetexts
{
// For a file that was read but not loaded completely: which frames were
// loaded and which not, or why nothing was.
QString loadProblemText(const files::ParameterReading &reading);
// Why a save target is no file to save to.
QString saveRefusalText(files::OutputTarget::Refusal refusal);
} // namespace filetexts
