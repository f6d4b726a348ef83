#include "language.h"

#include "qtcompat.h"
#include "windowrecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

// Outside any namespace, as the resource macro requires. The translations
// live in a static library; referencing them keeps the linker from dropping
// them.
static void registerTranslations()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace language
{
namespace
{
const QString chinese = QStringLiteral("zh");
const QString translationDir = QStringLiteral(":/i18n");

QPointer<QTranslator> qtTexts;  // Qt's own dialogs and buttons
QPointer<QTranslator> appTexts; // the form and the window's code

// Loads one translation into a new translator owned by the application.
bool install(QPointer<QTranslator> &slot, const QLocale &locale, const QString &name,
             const QString &dir)
{
    slot = new QTranslator(QCoreApplication::instance());
    return slot->load(locale, name, QStringLiteral("_"), dir) &&
           QCoreApplication::installTranslator(slot);
}
} // namespace

QStringList available()
{
    registerTranslations();
    QStringList codes{chinese};
    for (const QString &file : QDir(translationDir).entryList({"txconfig_*.qm"}))
        codes << file.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0);
    codes.removeDuplicates(); // Chinese has one too, for the texts not written in it
    return codes;
}

QString choose(const QString &option, const QString &environment, QString *error)
{
    const bool fromOption = !option.isEmpty();
    const QString given = fromOption ? option : environment;
    if (given.isEmpty())
        return chinese;
    const QString code = given.section(QLatin1Char('.'), 0, 0)
                             .section(QLatin1Char('_'), 0, 0)
                             .section(QLatin1Char('-'), 0, 0)
                             .toLower();
    if (available().contains(code))
        return code;
    *error =
        QStringLiteral("unknown language \"%1\" in %2 (one of: %3)")
            .arg(given, fromOption ? QStringLiteral("--lang") : QStringLiteral("TXCONFIG_LANG"),
                 available().join(QStringLiteral(", ")));
    return chinese;
}

QString apply(const QString &code)
{
    registerTranslations();
    delete qtTexts; // each removes itself from the application
    delete appTexts;
    langFlag = code == chinese ? 1 : 0;
    const QLocale locale(code);
    // Numbers, dates and sizes in Qt's dialogs follow the window's language,
    // not the system's (which may be the C locale: "243 bytes", "8 Dec 2026").
    QLocale::setDefault(locale);
    QStringList missing;
    if (!install(appTexts, locale, QStringLiteral("txconfig"), translationDir))
        missing << QStringLiteral("txconfig_%1.qm in %2").arg(code, translationDir);
    // Qt's own texts are English already.
    if (locale.language() != QLocale::English &&
        !install(qtTexts, locale, QStringLiteral("qtbase"), qtcompat::qtTranslationsPath()))
        missing << QStringLiteral("qtbase_%1.qm in %2")
                       .arg(locale.name(), qtcompat::qtTranslationsPath());
    return missing.isEmpty() ? QString()
                             : QStringLiteral("translation not found: ") + missing.join("; ");
}

} // namespace language
