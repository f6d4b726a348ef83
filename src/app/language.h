#pragma once

#include <QString>
#include <QStringList>

// The window's language, as a code such as "zh" or "en". Chinese is the
// form's own and the default whatever the system locale says; every other
// language comes from an embedded Linguist translation
// (":/i18n/txconfig_<code>.qm") and shows the English message texts
// (langFlag 0). Chinese has a translation too, for the texts written in
// English at their source: the field catalogue's descriptions.
namespace language
{
// "zh" and the code of every embedded translation.
QStringList available();

// The --lang option wins over TXCONFIG_LANG; only the language part counts
// ("en_GB.UTF-8" is "en"); neither given is "zh". Returns "zh" with an error
// text when the code given has no translation.
QString choose(const QString &option, const QString &environment, QString *error);

// Sets langFlag and the default locale, and installs the translators of the
// running application, replacing any installed before: the window's own, and
// Qt's for its dialogs and buttons. Call it before the window is built: the form takes its texts
// once. Returns an error text if a translation cannot be loaded (the window
// then shows the form's own texts, or Qt's English ones).
QString apply(const QString &code);
} // namespace language
