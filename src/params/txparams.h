#pragma once

// Every transmitter setting the tool edits, reads, writes, saves and loads.
//
// Channel arrays are indexed 0..7 for CH1..CH8, the dual-rate arrays 0..3 for
// CH1..CH4 and aux 0..3 for CH5..CH8. A field edited by a combo box holds the
// item index. The default member initialisers are the values at program start,
// so a value-initialised record is exactly the start-up store.

struct ProgMix {
    int mix = 0;             // 0 inhibited, 1 off, 2 on
    int master = 0;          // channel index, 0 = CH1
    int slave = 0;           // channel index, 0 = CH1
    int data[3] = {0, 0, 0}; // offset, upper-side rate, lower-side rate
};

struct TxParamsRecord {
    // Basic menu
    int rev[8] = {0, 0, 1, 0, 0, 0, 0, 0};
    int subTrim[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int epaLeft[8] = {96, 96, 96, 96, 96, 96, 96, 96};
    int epaRight[8] = {96, 96, 96, 96, 96, 96, 96, 96};
    int failSafe[8] = {50, 50, 0, 50, 50, 50, 50, 50};
    int delay[8] = {100, 100, 100, 100, 100, 100, 100, 100};
    int aux[4] = {1, 3, 0, 2}; // source of CH5..CH8: SwA, SwB, VrA, VrB, NULL

    // Dual rate: the per-channel arrays are what the transmitter stores; the
    // single values mirror the current channel/position selection.
    int drMix = 0;
    int drChannel = 0;
    int drSwitch = 0;
    int drPosition = 0; // 0 UP, anything else DOWN
    int drUp = 100;
    int drDown = 100;
    int drUpCh[4] = {100, 100, 100, 100};
    int drDownCh[4] = {100, 100, 100, 100};
    int drRate = 100;
    int drExp = 0;
    int drExpUpCh[4] = {0, 0, 0, 0};
    int drExpDownCh[4] = {0, 0, 0, 0};

    // Advanced menus
    int attiMode = 4; // 0..3 CH5..CH8, 4 off
    int atti[6] = {14, 29, 44, 56, 69, 88};
    int elevMix = 0;
    int elev[6] = {100, 100, 100, -100, 100, 100};
    int vtailMix = 0;
    int vtail[4] = {50, -50, 50, 50};
    ProgMix prm[4] = {
        {0, 0, 3, {0, 0, 0}}, {0, 1, 5, {0, 0, 0}}, {0, 0, 3, {0, 0, 0}}, {0, 1, 5, {0, 0, 0}}};
    int thCurveMix = 0;
    int thCurve[7] = {0, 16, 33, 50, 67, 84, 100};
    int thCurveExtra = 0;

    // General settings and values carried without an editor
    int stickMode = 1;
    double alarmVolt = 0.0; // volts, as edited
    int alarmVoltRaw = 37;  // tenths of a volt, as exchanged with transmitter and file
    int firmwareVersion = 0;
    int extraWord = 110;
    double extraWordScaled = 11.0; // extraWord / 10.0
    int extraSigned = -100;
};

bool operator==(const ProgMix &a, const ProgMix &b);
bool operator==(const TxParamsRecord &a, const TxParamsRecord &b);
inline bool operator!=(const TxParamsRecord &a, const TxParamsRecord &b) { return !(a == b); }

// The one process-wide store the window, the decoder and the loader share.
extern TxParamsRecord TxParams;
