#pragma once

// txctl's outputs are the window's: one set of rules in the file library.
#include "fileoutput.h"

namespace cli
{
using files::AppendingOutput;
using files::namesDescriptor;
using files::OutputTarget;
} // namespace cli
