#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

// Wire facts shared by the decoder, the encoders, the transmitter side and the
// parameter-file loader.
//
// Transmitter to tool: binary frames without length field or checksum; their
// length, markers and code byte identify them. The transmitter writes each
// frame at once, but the line may cut or glue frames (see streamframer.h).
// Bytes are unsigned; a word is two bytes, high byte first (0..65535).
//
//   servo frame     20 bytes  FE 18, words at 2,4,..16 = CH1..CH8 outputs
//                             (centre 1000), word at 18 = transmitter voltage
//                             in hundredths of a volt
//   status frame    20 bytes  FE 19, byte 2 = signal byte (shown as byte-100
//                             dBm), byte 3 = status byte, words at 4, 6, 8 =
//                             external voltage in tenths of a volt and two
//                             status words; bytes 10..19 unused
//   aux frame        8 bytes  AA at byte 2 (nothing else is tested); bytes 3..6
//                             = sources of CH5..CH8; frame number 7
//   settings frame  12 bytes  FE at bytes 0 and 11, code byte at 2, fields in
//                             bytes 3..10 (see settingsrows.h); byte 1 untested
//
// Tool to transmitter: plain ASCII without terminator, either a command below
// or one of the 81-character S, G and H text frames (see textlayout.h).
namespace protocol
{

constexpr int servoFrameLength = 20;
constexpr int statusFrameLength = 20;
constexpr int auxFrameLength = 8;
constexpr int settingsFrameLength = 12;

constexpr quint8 frameMarker = 0xFE;
constexpr quint8 servoFrameType = 0x18;  // byte 1 of a 20-byte frame
constexpr quint8 statusFrameType = 0x19; // byte 1 of a 20-byte frame
constexpr quint8 auxMarker = 0xAA;
constexpr int auxMarkerPosition = 2;
constexpr int settingsCodePosition = 2;
constexpr int settingsEndPosition = settingsFrameLength - 1;
constexpr int auxFrameNumber = 7;

// Both directions carry the elevon outputs as 1, 5, 2, 6, 3, 4 and the data of
// mixes 1 and 2 as upper rate, lower rate, offset (each mix 1 then mix 2).
constexpr int elevonWireOrder[6] = {0, 4, 1, 5, 2, 3};
constexpr int mixDataWireOrder[3] = {1, 2, 0};

// Code bytes of the settings frames.
constexpr quint8 codeReverse = 0x44;
constexpr quint8 codeSubTrim = 0x55;
constexpr quint8 codeEndPointLeft = 0x66;
constexpr quint8 codeEndPointRight = 0x77;
constexpr quint8 codeFailSafe = 0x88;
constexpr quint8 codeSystem = 0x99;
constexpr quint8 codeAtti = 0xA1;
constexpr quint8 codeElevon = 0xA2;
constexpr quint8 codeVtail = 0xA3;
constexpr quint8 codeDelay = 0xA4;
constexpr quint8 codeDualRate = 0xA5;
constexpr quint8 codeMix12Data = 0xA6;
constexpr quint8 codeMix12Routing = 0xA7;
constexpr quint8 codeMix3 = 0xA8;
constexpr quint8 codeMix4Curve = 0xA9;
constexpr quint8 codeCurve = 0xAA;
constexpr quint8 codeDualRateSwitch = 0xAB;
constexpr quint8 codeDualRateExp = 0xAC;

struct SettingsCode {
    quint8 code;
    int number; // what readFlag and the "ReadFlag:%d" log report
};

// Number 7 is the aux frame's, which has no code.
constexpr std::array<SettingsCode, 18> settingsCodes{{
    {codeReverse, 1},
    {codeSubTrim, 2},
    {codeEndPointLeft, 3},
    {codeEndPointRight, 4},
    {codeFailSafe, 5},
    {codeSystem, 6},
    {codeAtti, 8},
    {codeElevon, 9},
    {codeVtail, 10},
    {codeDelay, 11},
    {codeDualRate, 12},
    {codeMix12Data, 13},
    {codeMix12Routing, 14},
    {codeMix3, 15},
    {codeMix4Curve, 16},
    {codeCurve, 17},
    {codeDualRateSwitch, 18},
    {codeDualRateExp, 19},
}};

// The frame number of a settings code, 0 for a code outside the table.
int settingsFrameNumber(quint8 code);

extern const char commandConnect[];    // "OK", once the port is open
extern const char commandDisconnect[]; // "DIS", right before closing
extern const char commandRead[];       // "RR", asks for the settings
extern const char commandAck[];        // "WWW", after every non-empty delivery

constexpr int textFrameLength = 81;
// The head lengths each build replaces are counted from the layouts
// (textlayout.h).

// The frame text buffers at program start. The tails "Y", "6D2Z" and
// "000000X" ride along in every frame sent and in every file saved.
extern const char startupFrameTextS[];
extern const char startupFrameTextG[];
extern const char startupFrameTextH[];

// The word at positions a (high byte) and a + 1; a position outside the array
// reads as 0, so a word starting at the last byte is that byte * 256.
int byteArrayToInt(const QByteArray &b, int a);

} // namespace protocol
