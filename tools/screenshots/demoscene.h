#pragma once

#include "telemetry.h"
#include "txparams.h"

// A believable model set-up and a moment of live telemetry for the
// documentation screenshots: sticks off centre, switches at their ends, a
// 2S transmitter pack and a 3S flight pack, an aileron-to-rudder mix, a
// softened throttle curve and aileron dual rate with expo. Every setting lies
// inside the range the tool accepts, so the repair pass leaves it as it is.
namespace screenshots
{

TxParamsRecord demoSettings();
TelemetryRecord demoTelemetry();

} // namespace screenshots
