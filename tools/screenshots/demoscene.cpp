#include "demoscene.h"

#include "dualrate.h"

#include <algorithm>
#include <iterator>

namespace screenshots
{
namespace
{
template <typename T, std::size_t N> void assign(T (&to)[N], std::initializer_list<T> from)
{
    std::copy(from.begin(), from.end(), std::begin(to));
}
} // namespace

TxParamsRecord demoSettings()
{
    TxParamsRecord p;
    assign(p.rev, {0, 1, 1, 0, 0, 1, 0, 0});
    assign(p.subTrim, {4, -6, 0, 3, 0, 0, -2, 0});
    assign(p.epaLeft, {100, 95, 100, 90, 100, 100, 85, 100});
    assign(p.epaRight, {100, 95, 110, 90, 100, 100, 85, 100});
    assign(p.failSafe, {50, 50, 5, 50, 0, 100, 50, 50});
    assign(p.delay, {100, 100, 80, 100, 100, 60, 100, 100});
    assign(p.aux, {1, 3, 0, 2});

    // Aileron dual rate on switch A, the low-rate (down) position shown.
    p.drMix = 1;
    p.drChannel = 0;
    p.drSwitch = 0;
    p.drPosition = 1;
    assign(p.drUpCh, {100, 90, 100, 85});
    assign(p.drDownCh, {70, 65, 100, 60});
    assign(p.drExpUpCh, {35, 25, 0, 20});
    assign(p.drExpDownCh, {45, 35, 0, 30});
    params::selectDualRate(p);

    p.attiMode = 0;
    assign(p.atti, {20, 35, 50, 65, 80, 95});

    // Aileron-to-rudder coupling, 25 % each way; a flap-to-elevator
    // compensation set up but switched off.
    p.prm[0] = {2, 0, 3, {0, 25, 25}};
    p.prm[2] = {1, 5, 1, {0, 15, 10}};

    p.thCurveMix = 1;
    assign(p.thCurve, {0, 30, 48, 60, 70, 84, 100});

    p.stickMode = 2;
    p.alarmVoltRaw = 37;
    p.alarmVolt = p.alarmVoltRaw / 10.0;
    return p;
}

TelemetryRecord demoTelemetry()
{
    TelemetryRecord t;
    // Centre 1000: aileron right, elevator up, throttle a third open, rudder
    // a touch left, two switches at their ends, a knob part way.
    assign(t.servo, {1240, 830, 640, 1060, 0, 2000, 1000, 1420});
    t.txVolt = 784;  // hundredths of a volt
    t.extVolt = 114; // tenths of a volt
    t.rssi = 48;     // -52 dBm
    return t;
}

} // namespace screenshots
