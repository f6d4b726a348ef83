#pragma once

#include <QString>

// The window's settings history, kept only when it was started with
// --history: a copy of what a read brought in once all 19 frames (aux and 18
// settings) have arrived, and of what every write or reset sent. A file side
// effect only: a failure is logged and nothing else in the window changes.
namespace historyhooks
{

void enable();
// A read brought all 19 frames; the store holds them, settled.
void readCompleted();
// After a write ("write") or reset ("reset") flow sent its three frames.
void settingsSent(const QString &kind);

} // namespace historyhooks
