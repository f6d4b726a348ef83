#pragma once

#include <QString>

// The window's language. Chinese is the form's own and the default whatever
// the system locale says; English comes from the embedded translation and
// switches the message texts over with langFlag.
namespace language
{
enum class Language { Chinese, English };

// "zh" or "en", any case, with an optional region or encoding ("en_GB.UTF-8").
// An empty code is the default, Chinese; anything else is not a language.
bool fromCode(const QString &code, Language *out);

// The --lang option wins over TXCONFIG_LANG. Returns an error text when a
// given code is unknown (the default is chosen then).
Language choose(const QString &option, const QString &environment, QString *error);

// Sets langFlag and installs the translators of the running application,
// replacing any installed before. Call it before the window is built: the
// form takes its texts once. Returns an error text if a translation is
// missing (the window then shows the form's own texts).
QString apply(Language lang);
} // namespace language
