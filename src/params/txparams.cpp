#include "txparams.h"

#include "fieldcatalogue.h"

#include <algorithm>
#include <iterator>

TxParamsRecord TxParams;

namespace
{
template <typename T, std::size_t N> bool same(const T (&a)[N], const T (&b)[N])
{
    return std::equal(std::begin(a), std::end(a), std::begin(b));
}
} // namespace

bool operator==(const ProgMix &a, const ProgMix &b)
{
    return a.mix == b.mix && a.master == b.master && a.slave == b.slave && same(a.data, b.data);
}

bool operator==(const TxParamsRecord &a, const TxParamsRecord &b)
{
    return same(a.rev, b.rev) && same(a.subTrim, b.subTrim) && same(a.epaLeft, b.epaLeft) &&
           same(a.epaRight, b.epaRight) && same(a.failSafe, b.failSafe) && same(a.delay, b.delay) &&
           same(a.aux, b.aux) && a.drMix == b.drMix && a.drChannel == b.drChannel &&
           a.drSwitch == b.drSwitch && a.drPosition == b.drPosition && a.drUp == b.drUp &&
           a.drDown == b.drDown && same(a.drUpCh, b.drUpCh) && same(a.drDownCh, b.drDownCh) &&
           a.drRate == b.drRate && a.drExp == b.drExp && same(a.drExpUpCh, b.drExpUpCh) &&
           same(a.drExpDownCh, b.drExpDownCh) && a.attiMode == b.attiMode && same(a.atti, b.atti) &&
           a.elevMix == b.elevMix && same(a.elev, b.elev) && a.vtailMix == b.vtailMix &&
           same(a.vtail, b.vtail) && same(a.prm, b.prm) && a.thCurveMix == b.thCurveMix &&
           same(a.thCurve, b.thCurve) && a.thCurveExtra == b.thCurveExtra &&
           a.stickMode == b.stickMode && a.alarmVolt == b.alarmVolt &&
           a.alarmVoltRaw == b.alarmVoltRaw && a.firmwareVersion == b.firmwareVersion &&
           a.extraWord == b.extraWord && a.extraWordScaled == b.extraWordScaled &&
           a.extraSigned == b.extraSigned;
}

TxParamsRecord::TxParamsRecord() { params::setStartValues(*this); }
