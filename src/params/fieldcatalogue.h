#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstddef>

struct TxParamsRecord;

// Every integer setting of the record once: the name scripts use, the label
// people read, the page of the window's form it sits on, its unit and the item
// texts of an enumerated field. Showing, comparing and verifying settings all
// walk this one table, so a field is named in one place only.
//
// The doubles alarmVolt and extraWordScaled are not listed: they follow
// alarmVoltRaw and extraWord wherever those are decoded or loaded, and the
// alarm voltage is shown from alarmVoltRaw (tenths of a volt). drRate and drExp
// are not listed either: they mirror the selected dual-rate element.
namespace params
{

enum class Page { Basic, Advanced1, Advanced2, Advanced3, NoEditor };

struct Field {
    QString name;        // e.g. "ch3.subtrim"; lowercase, dots between parts
    QString label;       // e.g. "CH3 sub-trim"
    Page page;           // where the form shows it
    QString group;       // the group box on that page
    QString unit;        // "%", "V" or empty
    int divisor = 1;     // shown value = stored value / divisor (10 for tenths)
    QStringList choices; // item texts of an enumerated field, by stored value
    std::ptrdiff_t offset = 0;

    int value(const TxParamsRecord &p) const;
    int &ref(TxParamsRecord &p) const;
    // "12 %", "3.7 V", "reversed", or "7 (no such item)" outside the choices.
    QString text(int value) const;
};

const QVector<Field> &fieldCatalogue();
const Field *findField(const QString &name);
QString pageTitle(Page page);

struct FieldChange {
    const Field *field;
    int before;
    int after;
};

// The listed fields whose values differ, in catalogue order; `only` (when
// given) limits the comparison to fields it accepts.
template <typename Pred>
QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b, Pred only)
{
    QVector<FieldChange> changes;
    for (const Field &f : fieldCatalogue()) {
        if (only(f) && f.value(a) != f.value(b))
            changes.append({&f, f.value(a), f.value(b)});
    }
    return changes;
}
QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b);

} // namespace params
