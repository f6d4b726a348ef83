#include "editscene.h"

#include "waitms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>

namespace screenshots
{
namespace
{

// A tooltip is a window of its own, which the window's grab leaves out.
QWidget *shownTooltip()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

QString captureEdits(QWidget &window, const QString &dir, int settleMs)
{
    auto *tabs = window.findChild<QTabWidget *>("tabWidget");
    auto *write = window.findChild<QAbstractButton *>("toolButton_Send");
    auto *trim = window.findChild<QSpinBox *>("spinBox_sub2");
    auto *travel = window.findChild<QSpinBox *>("spinBox_Repa3");
    auto *phase = window.findChild<QComboBox *>("comboBox_rev4");
    if (!tabs || !write || !trim || !travel || !phase || !QDir().mkpath(dir))
        return {};
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(trim))
            tabs->setCurrentIndex(i);
    // Sub-trim and travel typed in, the phase picked: what a user changes
    // before a Write.
    trim->setValue(-20);
    travel->setValue(120);
    phase->setCurrentIndex(1 - phase->currentIndex());
    waitMs(settleMs);

    // Under the button, as hovering it shows the tooltip.
    QToolTip::showText(write->mapToGlobal(QPoint(0, write->height() + 4)), write->toolTip(), write);
    waitMs(settleMs);
    QWidget *tip = shownTooltip();
    if (!tip)
        return {};
    QPixmap picture = window.grab();
    QPainter(&picture).drawPixmap(window.mapFromGlobal(tip->pos()), tip->grab());
    const QString path = QDir(dir).filePath(QStringLiteral("edits.png"));
    return picture.save(path, "PNG") ? path : QString();
}

} // namespace screenshots
