#include "telemetry.h"

TelemetryRecord Telemetry;
