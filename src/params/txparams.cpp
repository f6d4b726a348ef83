#include "txparams.h"

#include "fieldcatalogue.h"

TxParamsRecord TxParams;

TxParamsRecord::TxParamsRecord() { params::setStartValues(*this); }

bool operator==(const TxParamsRecord &a, const TxParamsRecord &b)
{
    for (const params::Field &f : params::recordFields()) {
        if (f.number(a) != f.number(b))
            return false;
    }
    return true;
}
