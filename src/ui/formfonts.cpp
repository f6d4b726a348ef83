#include "formfonts.h"

#include <QApplication>
#include <QFont>

void installFormFonts()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("WenQuanYi Micro Hei")});
    QFont form = QApplication::font();
    form.setFamily(QStringLiteral("Arial"));
    QApplication::setFont(form);
}
