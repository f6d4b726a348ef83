#include "qtcompat.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHoverEvent>
#include <QLayout>
#include <QLibraryInfo>
#include <QWidget>
#include <cmath>

namespace qtcompat
{

void scaleWithScreenDensity()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

void keepQt5TextHeights(QWidget *root)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    for (QWidget *w : root->findChildren<QWidget *>()) {
        const QWidget *parent = w->parentWidget();
        if (w->sizePolicy().verticalPolicy() != QSizePolicy::Fixed || !parent ||
            !parent->layout() || parent->layout()->indexOf(w) < 0)
            continue;
        w->ensurePolished(); // the style sheet sets the font
        const QFontMetricsF exact(w->font());
        const int qt5Height = int(std::ceil(exact.ascent()) + std::ceil(exact.descent()));
        const int lost = qt5Height - QFontMetrics(w->font()).height();
        if (lost > 0)
            w->setFixedHeight(w->sizeHint().height() + lost);
    }
#else
    Q_UNUSED(root);
#endif
}

void sendHoverMove(QWidget *target, const QPoint &pos, const QPoint &oldPos)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QHoverEvent hover(QEvent::HoverMove, pos, target->mapToGlobal(pos), oldPos);
#else
    QHoverEvent hover(QEvent::HoverMove, pos, oldPos);
#endif
    QApplication::sendEvent(target, &hover);
}

} // namespace qtcompat
