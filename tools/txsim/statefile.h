#pragma once

#include "txparams.h"

#include <QString>

// The simulator's memory between runs: a parameter file (the S, G and H text
// frames back to back), the same format the tool saves and loads.
namespace statefile
{

// Reads all three frames of the file over `p`. False, with a reason in
// *error, when the file cannot be read or a frame is missing.
bool load(const QString &path, TxParamsRecord &p, QString *error);

// Writes the three frames of `p` atomically.
bool save(const QString &path, const TxParamsRecord &p, QString *error);

} // namespace statefile
