#pragma once

#include "fieldcatalogue.h"
#include "txparams.h"

#include <QStringList>

// The names of the catalogue's fields that p leaves at their start values,
// separated by spaces. A record meant to move every field states the few it
// leaves on purpose, so a field added later and forgotten there shows up by
// name.
inline QString fieldsAtStart(const TxParamsRecord &p)
{
    const TxParamsRecord start;
    QStringList names;
    for (const params::Field &f : params::fieldCatalogue()) {
        if (f.value(p) == f.value(start))
            names << f.name;
    }
    return names.join(QLatin1Char(' '));
}
