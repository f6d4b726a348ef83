#include "changetext.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace params
{
namespace
{

// The labels of the catalogue with their numbers as %1 (and the item texts
// that are words), listed only so that the translation tools find them; the
// texts themselves come from the catalogue.
const char *const translatedLabels[] = {
    QT_TRANSLATE_NOOP("params::Label", "CH%1 phase"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 sub-trim"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 travel left"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 travel right"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 fail-safe"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 delay"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 source"),
    QT_TRANSLATE_NOOP("params::Label", "dual-rate mix"),
    QT_TRANSLATE_NOOP("params::Label", "dual-rate channel shown"),
    QT_TRANSLATE_NOOP("params::Label", "dual-rate switch"),
    QT_TRANSLATE_NOOP("params::Label", "dual rate up, channel shown"),
    QT_TRANSLATE_NOOP("params::Label", "dual rate down, channel shown"),
    QT_TRANSLATE_NOOP("params::Label", "alarm voltage"),
    QT_TRANSLATE_NOOP("params::Label", "alarm voltage as edited"),
    QT_TRANSLATE_NOOP("params::Label", "dual rate, channel and position shown"),
    QT_TRANSLATE_NOOP("params::Label", "exponential, channel and position shown"),
    QT_TRANSLATE_NOOP("params::Label", "extra word scaled"),
    QT_TRANSLATE_NOOP("params::Label", "stick mode"),
    QT_TRANSLATE_NOOP("params::Label", "firmware version"),
    QT_TRANSLATE_NOOP("params::Label", "attitude channel"),
    QT_TRANSLATE_NOOP("params::Label", "attitude %1"),
    QT_TRANSLATE_NOOP("params::Label", "elevon mix"),
    QT_TRANSLATE_NOOP("params::Label", "elevon rate %1"),
    QT_TRANSLATE_NOOP("params::Label", "V-tail mix"),
    QT_TRANSLATE_NOOP("params::Label", "V-tail rate %1"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 state"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 master channel"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 slave channel"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 offset"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 upper-side rate"),
    QT_TRANSLATE_NOOP("params::Label", "mix %1 lower-side rate"),
    QT_TRANSLATE_NOOP("params::Label", "dual-rate position shown"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 rate up"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 rate down"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 exponential up"),
    QT_TRANSLATE_NOOP("params::Label", "CH%1 exponential down"),
    QT_TRANSLATE_NOOP("params::Label", "throttle curve"),
    QT_TRANSLATE_NOOP("params::Label", "throttle curve point %1"),
    QT_TRANSLATE_NOOP("params::Label", "throttle curve extra value"),
    QT_TRANSLATE_NOOP("params::Label", "extra word"),
    QT_TRANSLATE_NOOP("params::Label", "extra signed value"),
    QT_TRANSLATE_NOOP("params::Label", "normal"),
    QT_TRANSLATE_NOOP("params::Label", "reversed"),
    QT_TRANSLATE_NOOP("params::Label", "inhibited"),
    QT_TRANSLATE_NOOP("params::Label", "off"),
    QT_TRANSLATE_NOOP("params::Label", "on"),
};

QString translateLabel(const QString &english)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QStringList numbers;
    QString pattern = english;
    QRegularExpressionMatchIterator it = number.globalMatch(english);
    while (it.hasNext())
        numbers << it.next().captured();
    pattern.replace(number, QStringLiteral("%1"));
    QString text = QCoreApplication::translate("params::Label", pattern.toUtf8().constData());
    for (const QString &value : numbers)
        text = text.arg(value);
    return text;
}

} // namespace

QString labelText(const Field &f) { return translateLabel(f.label); }

QString valueText(const Field &f, int value)
{
    if (!f.choices.isEmpty() && value >= 0 && value < f.choices.size())
        return translateLabel(f.choices.at(value));
    return f.text(value);
}

QStringList changeLines(const QVector<FieldChange> &changes, ChangeStyle style, int limit)
{
    Q_UNUSED(translatedLabels);
    const int shown = limit < 0 ? changes.size() : qMin(limit, changes.size());
    QStringList lines;
    for (int i = 0; i < shown; ++i) {
        const FieldChange &c = changes.at(i);
        const Field &f = *c.field;
        lines << (style == ChangeStyle::Window
                      ? QStringLiteral("%1: %2 → %3")
                            .arg(labelText(f), valueText(f, c.before), valueText(f, c.after))
                      : QStringLiteral("%1 (%2): %3 -> %4")
                            .arg(f.name, f.label, f.text(c.before), f.text(c.after)));
    }
    if (shown < changes.size()) {
        const int more = changes.size() - shown;
        lines << (style == ChangeStyle::Window
                      ? QCoreApplication::translate("params::Change", "and %1 more").arg(more)
                      : QStringLiteral("and %1 more").arg(more));
    }
    return lines;
}

} // namespace params
