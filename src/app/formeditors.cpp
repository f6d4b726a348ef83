#include "formeditors.h"

#include "fieldcatalogue.h"
#include "txparams.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMetaObject>
#include <QSpinBox>

namespace
{
bool hasSlot(const QObject *window, const QString &editor, const char *signal, const char *type)
{
    const QByteArray slot = QStringLiteral("on_%1_%2(%3)")
                                .arg(editor, QLatin1String(signal), QLatin1String(type))
                                .toLatin1();
    return window->metaObject()->indexOfSlot(slot.constData()) >= 0;
}

// What a spin box takes is what the field accepts, in the shown unit: the
// editor can then neither offer a value the frame cannot carry nor cut one
// the transmitter holds. No unit after the value: "-100 %" and "23.9 V" do
// not fit the form's columns; the tooltips name the unit.
void takeRange(QSpinBox *spin, const params::Field &f)
{
    spin->setRange(int(f.min) / f.divisor, int(f.max) / f.divisor);
}
void takeRange(QDoubleSpinBox *spin, const params::Field &f)
{
    const int decimals = f.isDouble || f.divisor == 10 ? 1 : 0;
    spin->setDecimals(decimals);
    spin->setSingleStep(decimals ? 0.1 : 1.0);
    spin->setRange(f.min / f.divisor, f.max / f.divisor);
}
} // namespace

FormEditors::FormEditors(QWidget *form, QObject *window)
{
    // One walk over the form: a findChild per editor searched the whole form
    // each time, 6 % of the start-up.
    QHash<QString, QWidget *> byName;
    for (QWidget *w : form->findChildren<QWidget *>())
        byName.insert(w->objectName(), w);
    for (const params::Field &f : params::recordFields()) {
        for (const params::Editor &e : f.editors) {
            QWidget *editor = byName.value(e.name);
            Shown s{&f, qobject_cast<QSpinBox *>(editor), qobject_cast<QDoubleSpinBox *>(editor),
                    qobject_cast<QComboBox *>(editor)};
            if (s.spin)
                takeRange(s.spin, f);
            if (s.doubleSpin)
                takeRange(s.doubleSpin, f);
            if (!byGroup.contains(e.group))
                groups.append(e.group);
            byGroup[e.group].append(s);
            if (editor)
                all.append({&f, &e, editor});
            if (!e.store)
                continue;
            const params::Field *field = &f;
            const params::StoreRule store = e.store;
            if (s.spin && !hasSlot(window, e.name, "valueChanged", "int"))
                QObject::connect(s.spin, QOverload<int>::of(&QSpinBox::valueChanged), window,
                                 [field, store](int v) { store(TxParams, *field, v); });
            if (s.doubleSpin && !hasSlot(window, e.name, "valueChanged", "double"))
                QObject::connect(s.doubleSpin, QOverload<double>::of(&QDoubleSpinBox::valueChanged),
                                 window, [field, store](double v) { store(TxParams, *field, v); });
            if (s.combo && !hasSlot(window, e.name, "currentIndexChanged", "int"))
                QObject::connect(s.combo, QOverload<int>::of(&QComboBox::currentIndexChanged),
                                 window, [field, store](int v) { store(TxParams, *field, v); });
        }
    }
}

QStringList FormEditors::groupsNotShown() const
{
    QStringList left;
    for (const QString &g : groups) {
        if (!asked.contains(g))
            left.append(g);
    }
    return left;
}

QVector<QComboBox *> FormEditors::show(const TxParamsRecord &p,
                                       const QStringList &shownGroups) const
{
    QVector<QComboBox *> combos;
    for (const QString &group : shownGroups) {
        asked.insert(group);
        for (const Shown &s : byGroup.value(group)) {
            if (s.spin && s.spin->value() != s.field->value(p))
                s.spin->setValue(s.field->value(p));
            else if (s.doubleSpin && s.doubleSpin->value() != s.field->number(p))
                s.doubleSpin->setValue(s.field->number(p));
            else if (s.combo) {
                s.combo->setCurrentIndex(s.field->value(p));
                combos.append(s.combo);
            }
        }
    }
    return combos;
}
