#include "validation.h"

#include "txparams.h"

#include <cstdint>
#include <initializer_list>

namespace params
{
namespace
{

enum class Group { One, Two };

// Every transmitted setting once, in the order the repair runs: its accepted
// range and the factory group that resets it. The repair value and the
// factory value are both the field's start-up value (`start`), except for the
// two fields the factory group overrides below.
template <typename Visitor>
void visitSettings(TxParamsRecord &p, const TxParamsRecord &start, Visitor &&v)
{
    v(p.rev, start.rev, 0, 1, Group::One);
    v(p.subTrim, start.subTrim, -100, 100, Group::One);
    v(p.epaLeft, start.epaLeft, 0, 120, Group::One);
    v(p.epaRight, start.epaRight, 0, 120, Group::One);
    v(p.failSafe, start.failSafe, 0, 100, Group::One);
    v(p.delay, start.delay, 0, 100, Group::One);
    v(p.drMix, start.drMix, 0, 1, Group::One);
    v(p.drChannel, start.drChannel, 0, 4, Group::One);
    v(p.drSwitch, start.drSwitch, 0, 2, Group::One);
    v(p.drUp, start.drUp, 0, 100, Group::One);
    v(p.drUpCh, start.drUpCh, 0, 100, Group::One);
    v(p.drDown, start.drDown, 0, 100, Group::One);
    v(p.drDownCh, start.drDownCh, 0, 100, Group::One);
    v(p.attiMode, start.attiMode, 0, 5, Group::One);
    v(p.atti, start.atti, 0, 100, Group::One);
    v(p.elevMix, start.elevMix, 0, 1, Group::One);
    v(p.elev, start.elev, -100, 100, Group::One);
    v(p.vtailMix, start.vtailMix, 0, 1, Group::One);
    v(p.vtail, start.vtail, -100, 100, Group::One);
    v(p.aux, start.aux, 0, 5, Group::One);
    v(p.alarmVolt, start.alarmVolt, 0.0, 50.0, Group::One);
    v(p.alarmVoltRaw, start.alarmVoltRaw, 0, 500, Group::One);
    v(p.stickMode, start.stickMode, 0, 4, Group::One);
    for (int k : {0, 1}) {
        v(p.prm[k].mix, start.prm[k].mix, 0, 2, Group::One);
        v(p.prm[k].master, start.prm[k].master, 0, 10, Group::One);
        v(p.prm[k].slave, start.prm[k].slave, 0, 10, Group::One);
        v(p.prm[k].data, start.prm[k].data, -100, 100, Group::One);
    }
    v(p.extraWordScaled, start.extraWordScaled, 0.0, 100.0, Group::Two);
    v(p.extraWord, start.extraWord, 0, 1000, Group::Two);
    v(p.extraSigned, start.extraSigned, -100, 0, Group::Two);
    v(p.thCurveMix, start.thCurveMix, 0, 5, Group::Two);
    v(p.thCurveExtra, start.thCurveExtra, 0, 4, Group::Two);
    v(p.thCurve, start.thCurve, 0, 100, Group::Two);
    v(p.drPosition, start.drPosition, 0, 4, Group::Two);
    v(p.drExpUpCh, start.drExpUpCh, -100, 100, Group::Two);
    v(p.drExp, start.drExp, -100, 100, Group::Two);
    v(p.drExpDownCh, start.drExpDownCh, -100, 100, Group::Two);
    for (int k : {2, 3}) {
        v(p.prm[k].mix, start.prm[k].mix, 0, 2, Group::Two);
        v(p.prm[k].master, start.prm[k].master, 0, 10, Group::Two);
        v(p.prm[k].slave, start.prm[k].slave, 0, 10, Group::Two);
        v(p.prm[k].data, start.prm[k].data, -100, 100, Group::Two);
    }
}

const TxParamsRecord startValues{};

// (v - lo) <= (hi - lo) in 32-bit unsigned arithmetic: the inclusive range
// test without signed overflow.
bool inRange(int v, int lo, int hi)
{
    return std::uint32_t(v) - std::uint32_t(lo) <= std::uint32_t(hi) - std::uint32_t(lo);
}
bool inRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

struct Repair {
    template <typename T, typename L> void operator()(T &v, T repair, L lo, L hi, Group) const
    {
        if (!inRange(v, lo, hi))
            v = repair;
    }
    template <typename T, std::size_t N, typename L>
    void operator()(T (&v)[N], const T (&repair)[N], L lo, L hi, Group g) const
    {
        for (std::size_t i = 0; i < N; ++i)
            (*this)(v[i], repair[i], lo, hi, g);
    }
};

struct Restore {
    Group group;
    template <typename T, typename L> void operator()(T &v, T factory, L, L, Group g) const
    {
        if (g == group)
            v = factory;
    }
    template <typename T, std::size_t N, typename L>
    void operator()(T (&v)[N], const T (&factory)[N], L lo, L hi, Group g) const
    {
        for (std::size_t i = 0; i < N; ++i)
            (*this)(v[i], factory[i], lo, hi, g);
    }
};

} // namespace

void validate(TxParamsRecord &p) { visitSettings(p, startValues, Repair{}); }

void restoreFactoryGroup1(TxParamsRecord &p)
{
    visitSettings(p, startValues, Restore{Group::One});
    // The only two factory values that differ from the start-up store.
    p.alarmVolt = 3.7;
    p.stickMode = 2;
}

void restoreFactoryGroup2(TxParamsRecord &p) { visitSettings(p, startValues, Restore{Group::Two}); }

} // namespace params
