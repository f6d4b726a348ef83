#pragma once

// Live values from the transmitter's servo and status frames.
struct TelemetryRecord {
    int servo[8] = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}; // CH1..CH8, centre 1000
    int txVolt = 0;      // transmitter voltage, hundredths of a volt
    int rssi = 0;        // signal byte; shown as (rssi - 100) dBm
    int statusByte3 = 0; // stored only
    int extVolt = 0;     // external (power) voltage, tenths of a volt
    int statusWord6 = 0; // stored only
    int statusWord8 = 0; // stored only
};

// The one process-wide record the decoder fills and the live display reads.
extern TelemetryRecord Telemetry;
