#include "motion.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double pi = 3.14159265358979323846;

// Periods in seconds that share no small multiple, so the bars never move in step.
constexpr double servoPeriods[8] = {2.0, 3.1, 4.3, 5.7, 7.1, 8.9, 11.3, 13.7};

double wave(double seconds, double period) { return std::sin(2.0 * pi * seconds / period); }

int rounded(double v) { return int(std::lround(v)); }

} // namespace

TelemetryRecord telemetryAt(double seconds)
{
    TelemetryRecord t;
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] =
            std::clamp(rounded(1000.0 + 1000.0 * wave(seconds, servoPeriods[ch])), 0, 2000);
    // One hundredth of a volt every ten seconds, down to a tired 7.0 V pack.
    t.txVolt = std::max(700, 840 - int(seconds / 10.0));
    t.rssi = rounded(67.5 + 27.5 * wave(seconds, 17.0));
    t.extVolt = 123 + rounded(wave(seconds, 23.0));
    return t;
}
