#include "spinarrows.h"

#include <QApplication>

// Outside any namespace, as the resource macro requires; the arrows live in
// a static library, and referencing them keeps the linker from dropping them.
static void registerArrows()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(arrows);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace spinarrows
{

void install()
{
    registerArrows();
    // The buttons are widened a little from the style's narrow strips, so
    // that an arrow fits inside their bevel.
    static const QString rule = QStringLiteral(
        "QAbstractSpinBox::up-button, QAbstractSpinBox::down-button { width: 18px; }\n"
        "QAbstractSpinBox::up-arrow { image: url(:/arrows/up.png); width: 11px; height: 6px; }\n"
        "QAbstractSpinBox::down-arrow { image: url(:/arrows/down.png); width: 11px; height: 6px; "
        "}\n"
        "QAbstractSpinBox::up-arrow:off, QAbstractSpinBox::up-arrow:disabled"
        " { image: url(:/arrows/up-off.png); }\n"
        "QAbstractSpinBox::down-arrow:off, QAbstractSpinBox::down-arrow:disabled"
        " { image: url(:/arrows/down-off.png); }\n");
    const QString sheet = qApp->styleSheet();
    if (!sheet.contains(rule))
        qApp->setStyleSheet(sheet + rule);
}

} // namespace spinarrows
