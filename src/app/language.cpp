#include "language.h"

#include "uitexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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

bool fromCode(const QString &code, Language *out)
{
    const QString base = code.section(QLatin1Char('.'), 0, 0)
                             .section(QLatin1Char('_'), 0, 0)
                             .section(QLatin1Char('-'), 0, 0)
                             .toLower();
    if (base.isEmpty() || base == QLatin1String("zh"))
        *out = Language::Chinese;
    else if (base == QLatin1String("en"))
        *out = Language::English;
    else
        return false;
    return true;
}

Language choose(const QString &option, const QString &environment, QString *error)
{
    const bool fromOption = !option.isEmpty();
    const QString code = fromOption ? option : environment;
    Language lang = Language::Chinese;
    if (!fromCode(code, &lang)) {
        *error =
            QStringLiteral("unknown language \"%1\" in %2 (use zh or en)")
                .arg(code, fromOption ? QStringLiteral("--lang") : QStringLiteral("TXCONFIG_LANG"));
        return Language::Chinese;
    }
    return lang;
}

namespace
{
QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// Loads one translation into a translator owned by the application.
QString install(QPointer<QTranslator> &slot, const QString &name, const QString &dir)
{
    delete slot; // removes itself from the application
    slot = new QTranslator(QCoreApplication::instance());
    if (!slot->load(name, dir))
        return QStringLiteral("translation %1 not found in %2").arg(name, dir);
    QCoreApplication::installTranslator(slot);
    return {};
}
} // namespace

QString apply(Language lang)
{
    registerTranslations();
    static QPointer<QTranslator> qtTexts;  // Qt's own dialogs and buttons
    static QPointer<QTranslator> appTexts; // the form and the window's code
    langFlag = lang == Language::Chinese ? 1 : 0;
    if (lang == Language::Chinese) {
        delete appTexts; // the form's texts are Chinese already
        return install(qtTexts, QStringLiteral("qtbase_zh_CN"), qtTranslationsPath());
    }
    delete qtTexts; // Qt's own texts are English already
    return install(appTexts, QStringLiteral("txconfig_en"), QStringLiteral(":/i18n"));
}

} // namespace language
