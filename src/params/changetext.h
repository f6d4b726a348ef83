#pragma once

#include "fieldcatalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>

// How a change of settings reads, for the window's Write tooltip and for
// txctl's listings alike. Labels, item texts and the "more" line go through
// the installed translation (contexts "params::Label" and "params::Change"),
// so the window shows them in its language and txctl, which installs none,
// in English.
namespace params
{

// "CH3 sub-trim", or its translation: the label with its numbers taken out
// is what is translated ("CH%1 sub-trim"), so one text serves all channels.
QString labelText(const Field &f);
// "12 %", "reversed", or their translation.
QString valueText(const Field &f, int value);

enum class ChangeStyle {
    Window, // "CH3 sub-trim: 12 % → -8 %", translated
    Script, // "ch3.subtrim (CH3 sub-trim): 12 % -> -8 %", in English
};

// One line per change in catalogue order; past `limit` lines (none when
// negative) the rest is one line "and N more".
QStringList changeLines(const QVector<FieldChange> &changes, ChangeStyle style, int limit = -1);

} // namespace params
