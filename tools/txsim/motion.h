#pragma once

#include "telemetry.h"

// Live values of the demo transmitter at `seconds` after the stream started:
// the eight outputs sweep smoothly over 0..2000 (centre 1000) as sines of
// different periods, the transmitter voltage (hundredths of a volt) falls
// slowly from 8.4 V, the signal byte wanders between 40 and 95 and the
// external voltage (tenths of a volt) stays near 12.3 V.
TelemetryRecord telemetryAt(double seconds);
