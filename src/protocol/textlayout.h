#pragma once

#include "frames.h"
#include "txparams.h"

// Character layout of the S, G and H text frames, up to the kept tail. The
// encoder, the lenient parser and the strict check walk the same layouts, and
// each head length below is counted from its layout, so a field added to a
// layout moves everything after it and shortens the tail by itself. A layout
// that would reach the frame's last character (its end letter) fails the
// build.
//
// Field encodings (the visitor provides one method for each):
//   literal(c)           a fixed character: the start letter, or the G frame's "6"
//   digit(field)         one decimal character, 0..9
//   hex(field, k)        field + k as two uppercase hexadecimal characters; the
//                        offsets keep the validated ranges inside 16..255:
//                        k = 120 for sub-trim, elevon and extraSigned,
//                        k = 116 for V-tail, mix data and exponentials,
//                        k = 16 for every other two-character field
//   threeDigits(field)   hundreds, tens and units as decimal characters
// Record is TxParamsRecord (parsing) or const TxParamsRecord (encoding).
namespace protocol
{

template <typename Visitor, typename Array> constexpr void eachDigit(Visitor &v, Array &fields)
{
    for (auto &field : fields)
        v.digit(field);
}

template <typename Visitor, typename Array> constexpr void eachHex(Visitor &v, Array &fields, int k)
{
    for (auto &field : fields)
        v.hex(field, k);
}

// S frame: channel settings, aux sources, alarm voltage, stick mode.
template <typename Record, typename Visitor> constexpr void visitSFrame(Record &p, Visitor &v)
{
    v.literal('S');
    eachDigit(v, p.rev);
    eachHex(v, p.subTrim, 120);
    eachHex(v, p.epaLeft, 16);
    eachHex(v, p.epaRight, 16);
    eachHex(v, p.failSafe, 16);
    eachDigit(v, p.aux);
    v.hex(p.alarmVoltRaw, 16); // tenths of a volt
    v.digit(p.stickMode);
}

// G frame: attitude, elevon, V-tail, delays, the shown dual rate, mixes 1 and 2.
template <typename Record, typename Visitor> constexpr void visitGFrame(Record &p, Visitor &v)
{
    v.literal('G');
    v.digit(p.attiMode);
    eachHex(v, p.atti, 16);
    v.digit(p.elevMix);
    for (int i : elevonWireOrder)
        v.hex(p.elev[i], 120);
    v.digit(p.vtailMix);
    eachHex(v, p.vtail, 116);
    v.literal('6');
    eachHex(v, p.delay, 16);
    v.digit(p.drMix);
    v.digit(p.drChannel);
    v.hex(p.drUp, 16);
    v.hex(p.drDown, 16);
    for (int d : mixDataWireOrder) {
        v.hex(p.prm[0].data[d], 116);
        v.hex(p.prm[1].data[d], 116);
    }
    v.digit(p.prm[0].master);
    v.digit(p.prm[1].master);
    v.digit(p.prm[0].slave);
    v.digit(p.prm[1].slave);
    v.digit(p.prm[0].mix);
    v.digit(p.prm[1].mix);
}

// H frame: per-channel dual rates, mixes 3 and 4, throttle curve, exponentials
// and the extra values.
template <typename Record, typename Visitor> constexpr void visitHFrame(Record &p, Visitor &v)
{
    v.literal('H');
    eachHex(v, p.drUpCh, 16);
    eachHex(v, p.drDownCh, 16);
    for (int m = 2; m < 4; ++m) {
        v.digit(p.prm[m].mix);
        v.digit(p.prm[m].master);
        v.digit(p.prm[m].slave);
        eachHex(v, p.prm[m].data, 116);
    }
    v.digit(p.thCurveMix);
    v.digit(p.thCurveExtra);
    eachHex(v, p.thCurve, 16);
    v.digit(p.drPosition);
    eachHex(v, p.drExpUpCh, 116);
    eachHex(v, p.drExpDownCh, 116);
    v.threeDigits(p.extraWord);
    v.hex(p.extraSigned, 120);
    v.digit(p.drSwitch);
}

// Counts the characters a layout writes; it reads no field.
struct HeadWidth {
    int length = 0;
    constexpr void literal(char) { ++length; }
    constexpr void digit(const int &) { ++length; }
    constexpr void hex(const int &, int) { length += 2; }
    constexpr void threeDigits(const int &) { length += 3; }
};

template <void (*visit)(const TxParamsRecord &, HeadWidth &)> constexpr int headLength()
{
    const TxParamsRecord shape{TxParamsRecord::Zeroed{}};
    HeadWidth w;
    visit(shape, w);
    return w.length;
}

// Characters each build replaces; the rest of the buffer is kept as the tail.
constexpr int sFrameHeadLength = headLength<visitSFrame<const TxParamsRecord, HeadWidth>>();
constexpr int gFrameHeadLength = headLength<visitGFrame<const TxParamsRecord, HeadWidth>>();
constexpr int hFrameHeadLength = headLength<visitHFrame<const TxParamsRecord, HeadWidth>>();
static_assert(sFrameHeadLength < textFrameLength && gFrameHeadLength < textFrameLength &&
                  hFrameHeadLength < textFrameLength,
              "a text frame's head must leave its end letter in place");

} // namespace protocol
