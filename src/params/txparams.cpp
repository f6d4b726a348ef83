#include "txparams.h"

#include "fieldcatalogue.h"

TxParamsRecord TxParams;

namespace
{
// Walked once: records are made everywhere (each decode, each check, each
// frame read), and a copy costs a fraction of a walk through the catalogue.
const TxParamsRecord &startRecord()
{
    static const TxParamsRecord start = [] {
        TxParamsRecord p{TxParamsRecord::Zeroed{}};
        params::setStartValues(p);
        return p;
    }();
    return start;
}
} // namespace

TxParamsRecord::TxParamsRecord() { *this = startRecord(); }

bool operator==(const TxParamsRecord &a, const TxParamsRecord &b)
{
    for (const params::Field &f : params::recordFields()) {
        if (f.number(a) != f.number(b))
            return false;
    }
    return true;
}
