#pragma once

#include "fieldcatalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>

// How a change of settings reads, for the window's Write tooltip and for
// txctl's listings alike. Labels and item texts are the catalogue's, shown
// in the running program's language (Field::shownLabel, shownText), and the
// "more" line is translated too, so the window shows them in its language and
// txctl, which installs no translation, in English.
namespace params
{

enum class ChangeStyle {
    Window, // "CH3 sub-trim: 12 % → -8 %", translated
    Script, // "ch3.subtrim (CH3 sub-trim): 12 % -> -8 %", in English
};

// One line per change in catalogue order; past `limit` lines (none when
// negative) the rest is one line "and N more".
QStringList changeLines(const QVector<FieldChange> &changes, ChangeStyle style, int limit = -1);

} // namespace params
