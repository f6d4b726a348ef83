#include "frames.h"

namespace protocol
{

const char commandConnect[] = "OK";
const char commandDisconnect[] = "DIS";
const char commandRead[] = "RR";
const char commandAck[] = "WWW";

const char startupFrameTextS[] =
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y";
const char startupFrameTextG[] =
    "G41E2D3C4855680DCDCDCDCDC1409632A696674747474747474740074746474647464640135006D2Z";
const char startupFrameTextH[] =
    "H0000000000000000000000000000000000000000000000000000000000000000000000000000000X";
static_assert(sizeof startupFrameTextS == textFrameLength + 1 &&
                  sizeof startupFrameTextG == textFrameLength + 1 &&
                  sizeof startupFrameTextH == textFrameLength + 1,
              "every start-up frame is one whole text frame");

int settingsFrameNumber(quint8 code)
{
    for (const SettingsCode &c : settingsCodes) {
        if (c.code == code)
            return c.number;
    }
    return 0;
}

int byteArrayToInt(const QByteArray &b, int a)
{
    const auto byteAt = [&b](int i) { return i >= 0 && i < b.size() ? quint8(b.at(i)) : 0; };
    return byteAt(a) * 256 + byteAt(a + 1);
}

} // namespace protocol
