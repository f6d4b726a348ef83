#pragma once

struct TxParamsRecord;

// The form shows one dual-rate channel (drChannel, 0..3 = CH1..CH4) and one
// switch position (drPosition, 0 = UP, anything else DOWN) at a time. The
// per-channel arrays are what the transmitter stores; drUp, drDown, drRate and
// drExp mirror the selected element. A drChannel outside 0..3 selects nothing.
namespace params
{

// Re-derives drUp, drDown, drRate and drExp from the arrays for the current
// selection; no change when drChannel is outside 0..3.
void selectDualRate(TxParamsRecord &p);

// Editor write-through: store the single value, copy it into the selected
// array element (when a channel is selected), then re-derive the selection.
void editDualRateUp(TxParamsRecord &p, int v);
void editDualRateDown(TxParamsRecord &p, int v);
void editDualRateRate(TxParamsRecord &p, int v);
void editDualRateExp(TxParamsRecord &p, int v);

} // namespace params
