#pragma once

#include "transmittersession.h"

#include <QString>

// What the window tells the user when a transfer did not complete, in the
// window's language (langFlag): which settings were not received or did
// not take, named by their catalogue labels, or how far a write got. Empty
// for a complete read and a verified write, which stay silent.
namespace transfertexts
{
QString failureText(const TransmitterSession::Result &result);
} // namespace transfertexts
