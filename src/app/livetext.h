#pragma once

#include <QString>

// How the live telemetry is shown. Integer division truncates toward zero.
namespace livetext
{

// Channel output s (centre 1000) on two stacked bars meeting at a centre
// line: the upper bar (range 0..1010) rises for s below 1000, the lower bar
// (range 0..1000, drawn inverted by its style) hangs down for s above 1000.
// A value outside a bar's range is ignored by the bar and leaves it as it was.
struct BarValues {
    int upper;
    int lower;
};
BarValues servoBars(int s);

// Transmitter voltage in hundredths of a volt, one decimal, truncated:
// " 8.4V" below 10 V, "12.3 V" from 10 V on (two digits left of the point).
QString txVoltText(int hundredths);
// External voltage in tenths of a volt, same two forms.
QString extVoltText(int tenths);
// Signal as (rssi - 100) dBm: "-60dBm" for 40, "null" (or its translation, as
// the form's starting text) for 0 or less,
// "-00dBm" for anything above 100 (the transmitter never sends that).
QString rssiText(int rssi);

} // namespace livetext
