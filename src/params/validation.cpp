#include "validation.h"

#include "dualrate.h"
#include "fieldcatalogue.h"
#include "txparams.h"

namespace params
{
namespace
{
// Each field is checked on its own, so walking the catalogue repairs exactly
// as checking the fields in any other order would.
void resetGroup(TxParamsRecord &p, FactoryGroup group)
{
    for (const Field &f : recordFields()) {
        if (f.factoryGroup == group)
            f.setNumber(p, f.factory);
    }
}
} // namespace

void validate(TxParamsRecord &p)
{
    for (const Field &f : recordFields()) {
        if (f.factoryGroup != FactoryGroup::None && !f.accepts(f.number(p)))
            f.setNumber(p, f.repair);
    }
}

void restoreFactoryGroup1(TxParamsRecord &p) { resetGroup(p, FactoryGroup::One); }
void restoreFactoryGroup2(TxParamsRecord &p) { resetGroup(p, FactoryGroup::Two); }

QVector<FieldChange> settle(TxParamsRecord &p)
{
    return settle(
        p, [&p] { selectDualRate(p); }, [&p] { validate(p); });
}

} // namespace params
