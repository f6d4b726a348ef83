#pragma once

#include "frames.h"
#include "txparams.h"

// Fields of the 12-byte settings frames, one row per code, in byte order from
// byte 3 on. Decoder and transmitter side walk the same rows, so the two
// directions cannot drift apart.
//
// The visitor provides
//   byte(field, offset)  one unsigned byte; stored value = byte - offset
//   word(field)          two bytes, high first
// Bytes after a row's last field, up to byte 10, are unused.
// Record is TxParamsRecord (decoding) or const TxParamsRecord (encoding).
// Returns false, having visited nothing, for a code outside the table.
namespace protocol
{

template <typename Visitor, typename Array> void eachByte(Visitor &v, Array &fields, int offset)
{
    for (auto &field : fields)
        v.byte(field, offset);
}

template <typename Record, typename Visitor>
bool visitSettingsRow(quint8 code, Record &p, Visitor &v)
{
    switch (code) {
    case codeReverse:
        eachByte(v, p.rev, 0);
        return true;
    case codeSubTrim:
        eachByte(v, p.subTrim, 120);
        return true;
    case codeEndPointLeft:
        eachByte(v, p.epaLeft, 0);
        return true;
    case codeEndPointRight:
        eachByte(v, p.epaRight, 0);
        return true;
    case codeFailSafe:
        eachByte(v, p.failSafe, 0);
        return true;
    case codeSystem: // alarm voltage in tenths of a volt, stick mode, firmware
        v.word(p.alarmVoltRaw);
        v.word(p.stickMode);
        v.word(p.firmwareVersion);
        return true;
    case codeAtti:
        v.byte(p.attiMode, 0);
        eachByte(v, p.atti, 0);
        return true;
    case codeElevon:
        v.byte(p.elevMix, 0);
        for (int i : elevonWireOrder)
            v.byte(p.elev[i], 120);
        return true;
    case codeVtail:
        v.byte(p.vtailMix, 0);
        eachByte(v, p.vtail, 100);
        v.byte(p.drMix, 0);
        return true;
    case codeDelay:
        eachByte(v, p.delay, 0);
        return true;
    case codeDualRate:
        eachByte(v, p.drUpCh, 0);
        eachByte(v, p.drDownCh, 0);
        return true;
    case codeMix12Data:
        for (int d : mixDataWireOrder) {
            v.byte(p.prm[0].data[d], 100);
            v.byte(p.prm[1].data[d], 100);
        }
        v.byte(p.prm[0].master, 0);
        v.byte(p.prm[1].master, 0);
        return true;
    case codeMix12Routing:
        v.byte(p.prm[0].slave, 0);
        v.byte(p.prm[1].slave, 0);
        v.byte(p.prm[0].mix, 0);
        v.byte(p.prm[1].mix, 0);
        return true;
    case codeMix3:
        v.byte(p.prm[2].mix, 0);
        v.byte(p.prm[2].master, 0);
        v.byte(p.prm[2].slave, 0);
        eachByte(v, p.prm[2].data, 100);
        v.byte(p.prm[3].mix, 0);
        v.byte(p.prm[3].master, 0);
        return true;
    case codeMix4Curve:
        v.byte(p.prm[3].slave, 0);
        eachByte(v, p.prm[3].data, 100);
        v.byte(p.thCurveMix, 0);
        v.byte(p.thCurveExtra, 0);
        v.byte(p.thCurve[0], 0);
        v.byte(p.thCurve[1], 0);
        return true;
    case codeCurve:
        for (int i = 2; i < 7; ++i)
            v.byte(p.thCurve[i], 0);
        return true;
    case codeDualRateSwitch:
        v.byte(p.drSwitch, 0);
        v.byte(p.drPosition, 0);
        v.word(p.extraWord);
        v.byte(p.extraSigned, 100);
        return true;
    case codeDualRateExp:
        eachByte(v, p.drExpUpCh, 100);
        eachByte(v, p.drExpDownCh, 100);
        return true;
    default:
        return false;
    }
}

} // namespace protocol
