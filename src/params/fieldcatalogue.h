#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstddef>

struct TxParamsRecord;

// Every field of the settings record once, with all that is known about it:
// the name scripts use and the label people read, its unit and item texts,
// the range the repair accepts, the value a repair writes (its value at
// program start), its factory value and factory group, the form's editor(s)
// that show it, and a short description for tooltips and txctl. Start-up
// values, repair, factory reset, the window's editor slots and display
// refresh, txctl's show/diff/set and the carried-field lists all walk this
// table, so a new setting is one row here (plus its frame layout and the
// form).
namespace params
{

enum class Page { Basic, Advanced1, Advanced2, Advanced3, NoEditor };

// The transmitter firmware resets its settings in two groups; None marks a
// field that is neither checked nor reset (drRate, firmwareVersion).
enum class FactoryGroup { None, One, Two };

struct Field;

// What storing a value does: the plain store, or more (the dual-rate editors
// write through the selection; the alarm voltage keeps its two units).
using StoreRule = void (*)(TxParamsRecord &p, const Field &f, double v);

struct Editor {
    QString name;              // object name in the form, e.g. "spinBox_sub1"
    QString tab;               // object name of its page, e.g. "tab_2"
    QString group;             // the field group whose display routine writes it
    StoreRule store = nullptr; // what its slot does; null: it only shows the field
};

struct Field {
    QString name;  // e.g. "ch3.subtrim"; lowercase, dots between parts
    QString label; // e.g. "CH3 sub-trim"
    // The label before its number: English, marked for translation in the
    // context "params::Field", e.g. "CH%1 sub-trim" with labelNumber 3.
    const char *labelSource = "";
    int labelNumber = 0; // 0: the label has none
    Page page;           // where the form shows it
    QString group;       // the group box on that page
    QString unit;        // "%", "V" or empty
    int divisor = 1;     // shown value = stored value / divisor (10 for tenths)
    QStringList choices; // item texts of an enumerated field, by stored value
    // English, marked for translation in the context "params::Field"
    // (QCoreApplication::translate("params::Field", description)).
    const char *description = "";

    // Accepted range (inclusive), the value the repair writes outside it
    // (the value at program start) and the factory value, in stored units.
    double min = 0;
    double max = 0;
    double repair = 0;
    double factory = 0;
    FactoryGroup factoryGroup = FactoryGroup::None;
    // The highest value typed text may set: max, or less where the repair
    // keeps values the S, G and H frames cannot hold (a mix channel of 10,
    // an extra word of 1000), so that what `txctl set` reports is what the
    // file and the transmitter get.
    double settableMax = 0;

    bool isDouble = false; // alarmVolt and extraWordScaled; every other field is an int
    bool listed = true;    // shown and compared by txctl; false for mirrors and the doubles

    QString editor;                // the first editor's object name, empty without one
    QString tab;                   // that editor's page, e.g. "tab_3"
    QVector<Editor> editors;       // every editor that shows the field, first one first
    StoreRule storeRule = nullptr; // how set() stores a value (null: the plain store)

    std::ptrdiff_t offset = 0;

    int value(const TxParamsRecord &p) const; // int fields only
    int &ref(TxParamsRecord &p) const;        // int fields only
    double number(const TxParamsRecord &p) const;
    void setNumber(TxParamsRecord &p, double v) const; // the plain store
    void set(TxParamsRecord &p, double v) const;       // through storeRule
    // The repair's range test; whole numbers compare as 32-bit unsigned
    // differences, so no value overflows on the way.
    bool accepts(double v) const;
    // "12 %", "3.7 V", "reversed", or "7 (no such item)" outside the choices.
    QString text(int value) const;
    // The label and a value in the running program's language (its
    // installed translators), for people in the window.
    QString shownLabel() const;
    QString shownText(int value) const;
    // "-100 to 100 %", "0 to 50.0 V" (min..settableMax), or the item texts
    // "normal, reversed".
    QString rangeText() const;
    // A value as typed: a number in the shown unit or an item text (any case).
    // False with *error when it is neither or outside min..settableMax.
    bool parse(const QString &text, double *value, QString *error) const;
};

// The listed fields, in the order of the window's pages and groups.
const QVector<Field> &fieldCatalogue();
// Every field of the record, the listed ones in the same order among them.
const QVector<Field> &recordFields();
const Field *findField(const QString &name); // among every field
QString pageTitle(Page page);
QString tabName(Page page); // object name of the page in the form

struct EditorOf {
    const Field *field = nullptr;
    const Editor *editor = nullptr;
};
// The field an editor of the form shows; {} for an object that is none.
EditorOf findEditor(const QString &objectName);

// Sets a field by name from text as typed; false with *error naming the
// field, its range or its items.
bool setField(TxParamsRecord &p, const QString &name, const QString &text, QString *error);

struct FieldChange {
    const Field *field;
    int before;
    int after;
};

// The listed fields whose values differ, in catalogue order; `only` (when
// given) limits the comparison to fields it accepts. It is asked only about
// fields that differ: it may be dear (which fields the frames carry).
template <typename Pred>
QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b, Pred only)
{
    QVector<FieldChange> changes;
    for (const Field &f : fieldCatalogue()) {
        if (f.value(a) != f.value(b) && only(f))
            changes.append({&f, f.value(a), f.value(b)});
    }
    return changes;
}
QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b);

// Writes every field's value at program start (its repair value).
void setStartValues(TxParamsRecord &p);

} // namespace params
