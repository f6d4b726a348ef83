#include "transmitterframes.h"

#include "frames.h"
#include "settingsrows.h"
#include "telemetry.h"
#include "txparams.h"

namespace protocol
{
namespace
{

// Into the bytes of a frame being built: writing through QByteArray's
// operator[] checked for sharing at every byte.
void putByte(char *b, int pos, int value) { b[pos] = char(qBound(0, value, 255)); }

void putWord(char *b, int pos, int value)
{
    const int w = qBound(0, value, 0xFFFF);
    b[pos] = char(w >> 8);
    b[pos + 1] = char(w & 0xFF);
}

class SettingsFieldWriter
{
public:
    explicit SettingsFieldWriter(QByteArray &frame) : bytes(frame.data()) {}

    // Bounding before adding keeps INT_MAX and INT_MIN from overflowing.
    void byte(int field, int offset)
    {
        putByte(bytes, pos++, qBound(-offset, field, 255) + offset);
    }
    void word(int field)
    {
        putWord(bytes, pos, field);
        pos += 2;
    }

private:
    char *bytes; // the frame's, 12 of them
    int pos = 3;
};

QByteArray twentyByteFrame(quint8 type)
{
    QByteArray b(servoFrameLength, '\0');
    b[0] = char(frameMarker);
    b[1] = char(type);
    return b;
}

} // namespace

QByteArray encodeServoFrame(const TelemetryRecord &t)
{
    QByteArray b = twentyByteFrame(servoFrameType);
    for (int ch = 0; ch < 8; ++ch)
        putWord(b.data(), 2 + 2 * ch, t.servo[ch]);
    putWord(b.data(), 18, t.txVolt);
    return b;
}

QByteArray encodeStatusFrame(const TelemetryRecord &t)
{
    QByteArray b = twentyByteFrame(statusFrameType);
    putByte(b.data(), 2, t.rssi);
    putByte(b.data(), 3, t.statusByte3);
    putWord(b.data(), 4, t.extVolt);
    putWord(b.data(), 6, t.statusWord6);
    putWord(b.data(), 8, t.statusWord8);
    return b;
}

QByteArray encodeAuxFrame(const TxParamsRecord &p)
{
    QByteArray b(auxFrameLength, '\0');
    b[auxMarkerPosition] = char(auxMarker);
    for (int i = 0; i < 4; ++i)
        putByte(b.data(), 3 + i, p.aux[i]);
    return b;
}

QByteArray encodeSettingsFrame(quint8 code, const TxParamsRecord &p)
{
    QByteArray b(settingsFrameLength, '\0');
    b[0] = char(frameMarker);
    b[settingsCodePosition] = char(code);
    b[settingsEndPosition] = char(frameMarker);
    SettingsFieldWriter writer(b);
    return visitSettingsRow(code, p, writer) ? b : QByteArray();
}

QVector<QByteArray> encodeSettingsFrames(const TxParamsRecord &p)
{
    QVector<QByteArray> frames;
    frames.reserve(int(settingsCodes.size()));
    for (const SettingsCode &c : settingsCodes)
        frames.append(encodeSettingsFrame(c.code, p));
    return frames;
}

} // namespace protocol
