#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class QComboBox;
class QDoubleSpinBox;
class QObject;
class QSpinBox;
class QWidget;
struct TxParamsRecord;

namespace params
{
struct Editor;
struct Field;
} // namespace params

// The form's settings editors as the field catalogue lists them, found once
// by object name; each spin box takes its range and decimals from its field. The display refresh
// writes them group by group. An editor the catalogue lists but the window declares no
// `on_<name>_<signal>` slot for (a setting added later) is connected to the store here, so adding a
// setting needs no new slot.
class FormEditors
{
public:
    FormEditors(QWidget *form, QObject *window);

    // Writes the editors of `groups` from `p`, in catalogue order: a spin box
    // only when it shows another value (so a box being typed into keeps its
    // half-typed text), a combo box always. Returns their combo boxes, in
    // the same order, for the hover dwell.
    QVector<QComboBox *> show(const TxParamsRecord &p, const QStringList &groups) const;
    // Groups no show() has asked for yet, in catalogue order: a group box
    // added later, which no display routine names.
    QStringList groupsNotShown() const;

    // Every editor found, with the field it shows and how it stores it.
    struct Placed {
        const params::Field *field;
        const params::Editor *editor;
        QWidget *widget;
    };
    const QVector<Placed> &placed() const { return all; }

private:
    struct Shown {
        const params::Field *field;
        QSpinBox *spin;
        QDoubleSpinBox *doubleSpin;
        QComboBox *combo;
    };
    QHash<QString, QVector<Shown>> byGroup;
    QStringList groups; // in catalogue order
    mutable QSet<QString> asked;
    QVector<Placed> all;
};
