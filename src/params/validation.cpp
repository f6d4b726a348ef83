#include "validation.h"

#include "txparams.h"

#include <cstdint>

namespace params {
namespace {

const TxParamsRecord startValues{};

// One unsigned comparison: (v - lo) <= (hi - lo) in 32-bit unsigned arithmetic
// is the inclusive range test without signed overflow.
void check(int &v, int lo, int hi, int repair)
{
    if (std::uint32_t(v) - std::uint32_t(lo) > std::uint32_t(hi) - std::uint32_t(lo))
        v = repair;
}

template <std::size_t N> void check(int (&v)[N], int lo, int hi, const int (&repair)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        check(v[i], lo, hi, repair[i]);
}

void check(double &v, double hi, double repair)
{
    if (v > hi || v < 0.0)
        v = repair;
}

void checkMix(ProgMix &m, const ProgMix &repair)
{
    check(m.mix, 0, 2, repair.mix);
    check(m.master, 0, 10, repair.master);
    check(m.slave, 0, 10, repair.slave);
    check(m.data, -100, 100, repair.data);
}

} // namespace

void validate(TxParamsRecord &p)
{
    const TxParamsRecord &s = startValues;
    check(p.rev, 0, 1, s.rev);
    check(p.subTrim, -100, 100, s.subTrim);
    check(p.epaLeft, 0, 120, s.epaLeft);
    check(p.epaRight, 0, 120, s.epaRight);
    check(p.failSafe, 0, 100, s.failSafe);
    check(p.delay, 0, 100, s.delay);
    check(p.drMix, 0, 1, s.drMix);
    check(p.drChannel, 0, 4, s.drChannel);
    check(p.drSwitch, 0, 2, s.drSwitch);
    check(p.drUp, 0, 100, s.drUp);
    check(p.drUpCh, 0, 100, s.drUpCh);
    check(p.drDown, 0, 100, s.drDown);
    check(p.drDownCh, 0, 100, s.drDownCh);
    check(p.attiMode, 0, 5, s.attiMode);
    check(p.atti, 0, 100, s.atti);
    check(p.elevMix, 0, 1, s.elevMix);
    check(p.elev, -100, 100, s.elev);
    check(p.vtailMix, 0, 1, s.vtailMix);
    check(p.vtail, -100, 100, s.vtail);
    check(p.aux, 0, 5, s.aux);
    check(p.alarmVolt, 50.0, s.alarmVolt);
    check(p.alarmVoltRaw, 0, 500, s.alarmVoltRaw);
    check(p.stickMode, 0, 4, s.stickMode);
    checkMix(p.prm[0], s.prm[0]);
    checkMix(p.prm[1], s.prm[1]);
    check(p.extraWordScaled, 100.0, s.extraWordScaled);
    check(p.extraWord, 0, 1000, s.extraWord);
    check(p.extraSigned, -100, 0, s.extraSigned);
    check(p.thCurveMix, 0, 5, s.thCurveMix);
    check(p.thCurveExtra, 0, 4, s.thCurveExtra);
    check(p.thCurve, 0, 100, s.thCurve);
    check(p.drPosition, 0, 4, s.drPosition);
    check(p.drExpUpCh, -100, 100, s.drExpUpCh);
    check(p.drExp, -100, 100, s.drExp);
    check(p.drExpDownCh, -100, 100, s.drExpDownCh);
    checkMix(p.prm[2], s.prm[2]);
    checkMix(p.prm[3], s.prm[3]);
}

namespace {
template <typename T, std::size_t N> void assign(T (&to)[N], const T (&from)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        to[i] = from[i];
}
} // namespace

void restoreFactoryGroup1(TxParamsRecord &p)
{
    const TxParamsRecord &s = startValues;
    assign(p.rev, s.rev);
    assign(p.subTrim, s.subTrim);
    assign(p.epaLeft, s.epaLeft);
    assign(p.epaRight, s.epaRight);
    assign(p.failSafe, s.failSafe);
    assign(p.delay, s.delay);
    p.drMix = s.drMix;
    p.drChannel = s.drChannel;
    p.drSwitch = s.drSwitch;
    p.drUp = s.drUp;
    assign(p.drUpCh, s.drUpCh);
    p.drDown = s.drDown;
    assign(p.drDownCh, s.drDownCh);
    p.attiMode = s.attiMode;
    assign(p.atti, s.atti);
    p.elevMix = s.elevMix;
    assign(p.elev, s.elev);
    p.vtailMix = s.vtailMix;
    assign(p.vtail, s.vtail);
    assign(p.aux, s.aux);
    // The only two factory values that differ from the start-up store.
    p.alarmVolt = 3.7;
    p.alarmVoltRaw = 37;
    p.stickMode = 2;
    p.prm[0] = s.prm[0];
    p.prm[1] = s.prm[1];
}

void restoreFactoryGroup2(TxParamsRecord &p)
{
    const TxParamsRecord &s = startValues;
    p.extraWordScaled = s.extraWordScaled;
    p.extraWord = s.extraWord;
    p.extraSigned = s.extraSigned;
    p.thCurveMix = s.thCurveMix;
    p.thCurveExtra = s.thCurveExtra;
    assign(p.thCurve, s.thCurve);
    p.drPosition = s.drPosition;
    assign(p.drExpUpCh, s.drExpUpCh);
    p.drExp = s.drExp;
    assign(p.drExpDownCh, s.drExpDownCh);
    p.prm[2] = s.prm[2];
    p.prm[3] = s.prm[3];
}

} // namespace params
