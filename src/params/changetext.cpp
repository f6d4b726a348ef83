#include "changetext.h"

#include <QCoreApplication>

namespace params
{

QStringList changeLines(const QVector<FieldChange> &changes, ChangeStyle style, int limit)
{
    const int shown = limit < 0 ? changes.size() : qMin(limit, changes.size());
    QStringList lines;
    for (int i = 0; i < shown; ++i) {
        const FieldChange &c = changes.at(i);
        const Field &f = *c.field;
        lines << (style == ChangeStyle::Window
                      ? QStringLiteral("%1: %2 → %3")
                            .arg(f.shownLabel(), f.shownText(c.before), f.shownText(c.after))
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
