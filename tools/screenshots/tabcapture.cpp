#include "tabcapture.h"

#include "waitms.h"

#include <QDir>
#include <QPixmap>
#include <QTabWidget>

namespace screenshots
{

QStringList captureTabs(QWidget &window, const QString &dir, int settleMs)
{
    auto *tabs = window.findChild<QTabWidget *>("tabWidget");
    if (!tabs || !QDir().mkpath(dir))
        return {};
    QStringList written;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        waitMs(settleMs);
        const QString path = QDir(dir).filePath(QString("tab-%1.png").arg(i + 1));
        if (!window.grab().save(path, "PNG"))
            return {};
        written << path;
    }
    return written;
}

} // namespace screenshots
