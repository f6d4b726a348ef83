#pragma once

#include "fieldcatalogue.h"
#include "txparams.h"

namespace params
{

// Repairs a store filled from the transmitter or a file: every checked
// setting outside its accepted range gets its fixed repair value (its value at
// program start). Nothing is clamped to the nearer limit. drRate and
// firmwareVersion are not checked. Ranges and values: fieldcatalogue.cpp.
void validate(TxParamsRecord &p);

// Factory values, in the two groups the transmitter firmware resets separately.
// Group one: channel settings, dual rates, attitude, elevon, V-tail, aux,
// alarm voltage, stick mode and mixes 1 and 2.
void restoreFactoryGroup1(TxParamsRecord &p);
// Group two: extra values, throttle curve, dual-rate position and exponentials,
// mixes 3 and 4. drRate is left alone in both groups.
void restoreFactoryGroup2(TxParamsRecord &p);

// The step after new values arrived from the transmitter or a file, in this
// order: select the dual rate (the shown rates follow the received arrays and
// the selection the values came with), then repair what is out of range.
// Returns the repairs of listed fields, as selected -> as repaired. The
// window passes its own Dr_DataSelet and FalseSaveData as the two steps.
template <typename Select, typename Repair>
QVector<FieldChange> settle(TxParamsRecord &p, Select select, Repair repair)
{
    select();
    const TxParamsRecord selected = p;
    repair();
    return changedFields(selected, p);
}
QVector<FieldChange> settle(TxParamsRecord &p);

} // namespace params
