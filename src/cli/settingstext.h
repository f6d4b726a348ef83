#pragma once

#include "cli.h"
#include "fieldcatalogue.h"
#include "txparams.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Settings for people and for scripts, walking the field catalogue.
namespace cli
{

// Which settings a listing shows, e.g. those a parameter file carries.
using FieldFilter = bool (*)(const params::Field &);

// Every listed setting that `only` accepts, page by page and group by group as
// the window's form shows them: label, value with unit, and the name scripts use.
// A repaired setting is marked "(repaired)".
QString settingsText(const TxParamsRecord &p, FieldFilter only,
                     const QVector<Repair> &repairs = {});

// {"settings": [{"name", "label", "page", "group", "value", "text", "unit"}...]}
// "value" is the number in the field's unit (the alarm voltage in volts), "text"
// what settingsText shows.
// A repaired setting also has "repaired": true and "repair": why.
QByteArray settingsJson(const TxParamsRecord &p, FieldFilter only,
                        const QVector<Repair> &repairs = {});

// One line per change: "ch3.subtrim (CH3 sub-trim): 12 % -> -8 %", under a
// header naming the two sides, or a line saying there is none.
QString changesText(const QVector<params::FieldChange> &changes, const QString &before,
                    const QString &after);

// {"before": ..., "after": ..., "changes": [{"name", "label", "unit", "before",
// "after", "before_text", "after_text"}...]}, values as settingsJson gives them.
QByteArray changesJson(const QVector<params::FieldChange> &changes, const QString &before,
                       const QString &after);

// changesText or changesJson on standard output.
void printChanges(const QVector<params::FieldChange> &changes, const QString &before,
                  const QString &after, bool json);

// Standard output, as it is.
void printBytes(const QByteArray &bytes);

} // namespace cli
