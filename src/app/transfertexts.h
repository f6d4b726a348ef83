#pragma once

#include "transmittersession.h"

#include <QString>
#include <QTime>

// What the window tells the user when a transfer did not complete, in the
// window's language (langFlag): which settings were not received or did
// not take, named by their catalogue labels, or how far a write got. Empty
// for a complete read and a verified write, which stay silent.
namespace transfertexts
{
QString failureText(const TransmitterSession::Result &result);
// The line a command's tooltip ends with after its transfer, failed or not:
// "上次（14:03:07）：读取完整". `checked`: a write that was to be read back.
QString lastResult(const TransmitterSession::Result &result, bool checked, const QTime &at);
} // namespace transfertexts
