#include "decoder.h"

#include "frames.h"
#include "settingsrows.h"
#include "telemetry.h"
#include "txparams.h"

namespace protocol
{
namespace
{

class SettingsFieldReader
{
public:
    explicit SettingsFieldReader(const QByteArray &frame) : frame(frame) {}

    void byte(int &field, int offset) { field = quint8(frame.at(pos++)) - offset; }
    void word(int &field)
    {
        field = byteArrayToInt(frame, pos);
        pos += 2;
    }

private:
    const QByteArray &frame;
    int pos = 3;
};

quint8 byteAt(const QByteArray &b, int i) { return quint8(b.at(i)); }

DeliveryKind decodeTwentyBytes(const QByteArray &b, TelemetryRecord &t)
{
    if (byteAt(b, 0) != frameMarker)
        return DeliveryKind::Unrecognised;
    if (byteAt(b, 1) == servoFrameType) {
        for (int ch = 0; ch < 8; ++ch)
            t.servo[ch] = byteArrayToInt(b, 2 + 2 * ch);
        t.txVolt = byteArrayToInt(b, 18);
        return DeliveryKind::Servo;
    }
    if (byteAt(b, 1) == statusFrameType) {
        t.rssi = byteAt(b, 2);
        t.statusByte3 = byteAt(b, 3);
        t.extVolt = byteArrayToInt(b, 4);
        t.statusWord6 = byteArrayToInt(b, 6);
        t.statusWord8 = byteArrayToInt(b, 8);
        return DeliveryKind::Status;
    }
    return DeliveryKind::Unrecognised;
}

void decodeSettings(const QByteArray &b, TxParamsRecord &p, DecodeResult &r)
{
    r.kind = DeliveryKind::Settings;
    r.display = true;
    const quint8 code = byteAt(b, settingsCodePosition);
    SettingsFieldReader reader(b);
    if (!visitSettingsRow(code, p, reader))
        return;
    r.frameNumber = settingsFrameNumber(code);
    if (code == codeSystem)
        p.alarmVolt = p.alarmVoltRaw / 10.0;
    else if (code == codeDualRateSwitch)
        p.extraWordScaled = p.extraWord / 10.0;
}

} // namespace

static_assert(servoFrameLength == statusFrameLength, "one length, told apart by byte 1");

DecodeResult decodeDelivery(const QByteArray &b, TxParamsRecord &p, TelemetryRecord &t)
{
    DecodeResult r;
    if (b.isEmpty())
        return r;
    r.acknowledge = true;
    r.kind = DeliveryKind::Unrecognised;
    switch (b.size()) {
    case servoFrameLength: // the status frame has the same length
        r.kind = decodeTwentyBytes(b, t);
        break;
    case auxFrameLength:
        if (byteAt(b, auxMarkerPosition) == auxMarker) {
            r.kind = DeliveryKind::Aux;
            r.frameNumber = auxFrameNumber;
            for (int i = 0; i < 4; ++i)
                p.aux[i] = byteAt(b, 3 + i);
        }
        break;
    case settingsFrameLength:
        if (byteAt(b, 0) == frameMarker && byteAt(b, settingsEndPosition) == frameMarker)
            decodeSettings(b, p, r);
        break;
    default:
        break;
    }
    return r;
}

} // namespace protocol
