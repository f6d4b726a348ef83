#pragma once

struct TxParamsRecord;

namespace params
{

// Repairs a store filled from the transmitter or a file: every transmitted
// setting outside its accepted range gets its fixed repair value (its value at
// program start). Nothing is clamped to the nearer limit. drRate and
// firmwareVersion are not checked.
void validate(TxParamsRecord &p);

// Factory values, in the two groups the transmitter firmware resets separately.
// Group one: channel settings, dual rates, attitude, elevon, V-tail, aux,
// alarm voltage, stick mode and mixes 1 and 2.
void restoreFactoryGroup1(TxParamsRecord &p);
// Group two: extra values, throttle curve, dual-rate position and exponentials,
// mixes 3 and 4. drRate is left alone in both groups.
void restoreFactoryGroup2(TxParamsRecord &p);

} // namespace params
