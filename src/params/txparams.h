#pragma once

// Every transmitter setting the tool edits, reads, writes, saves and loads.
//
// Channel arrays are indexed 0..7 for CH1..CH8, the dual-rate arrays 0..3 for
// CH1..CH4 and aux 0..3 for CH5..CH8. A field edited by a combo box holds the
// item index. A default-constructed record is exactly the start-up store; the
// values at program start are in the field catalogue, beside each field's
// range and factory value.

struct ProgMix {
    int mix = 0;      // 0 inhibited, 1 off, 2 on
    int master = 0;   // channel index, 0 = CH1
    int slave = 0;    // channel index, 0 = CH1
    int data[3] = {}; // offset, upper-side rate, lower-side rate
};

struct TxParamsRecord {
    // Every field at its value at program start (fieldcatalogue.h).
    TxParamsRecord();
    // Every field 0: only for taking the fields' places.
    struct Zeroed {
    };
    constexpr explicit TxParamsRecord(Zeroed) {}

    // Basic menu
    int rev[8] = {};
    int subTrim[8] = {};
    int epaLeft[8] = {};
    int epaRight[8] = {};
    int failSafe[8] = {};
    int delay[8] = {};
    int aux[4] = {}; // source of CH5..CH8: SwA, SwB, VrA, VrB, NULL

    // Dual rate: the per-channel arrays are what the transmitter stores; the
    // single values mirror the current channel/position selection.
    int drMix = 0;
    int drChannel = 0;
    int drSwitch = 0;
    int drPosition = 0; // 0 UP, anything else DOWN
    int drUp = 0;
    int drDown = 0;
    int drUpCh[4] = {};
    int drDownCh[4] = {};
    int drRate = 0;
    int drExp = 0;
    int drExpUpCh[4] = {};
    int drExpDownCh[4] = {};

    // Advanced menus
    int attiMode = 0; // 0..3 CH5..CH8, 4 off
    int atti[6] = {};
    int elevMix = 0;
    int elev[6] = {};
    int vtailMix = 0;
    int vtail[4] = {};
    ProgMix prm[4];
    int thCurveMix = 0;
    int thCurve[7] = {};
    int thCurveExtra = 0;

    // General settings and values carried without an editor
    int stickMode = 0;
    double alarmVolt = 0.0; // volts, as edited
    int alarmVoltRaw = 0;   // tenths of a volt, as exchanged with transmitter and file
    int firmwareVersion = 0;
    int extraWord = 0;
    double extraWordScaled = 0.0; // extraWord / 10.0
    int extraSigned = 0;
};

// Field by field, as the field catalogue lists them.
bool operator==(const TxParamsRecord &a, const TxParamsRecord &b);
inline bool operator!=(const TxParamsRecord &a, const TxParamsRecord &b) { return !(a == b); }

// The one process-wide store the window, the decoder and the loader share.
extern TxParamsRecord TxParams;
