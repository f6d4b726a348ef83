#include "hoverdwell.h"

#include <QComboBox>
#include <QFile>

namespace hoverdwell
{

SheetChange step(int &counter, bool underMouse)
{
    if (underMouse) {
        if (counter + 1 < kDwellRuns) {
            ++counter;
            return SheetChange::None;
        }
        counter = kDwellRuns;
        return SheetChange::ToNoHighlight;
    }
    if (counter >= kDwellRuns) {
        counter = 0;
        return SheetChange::ToNormal;
    }
    return SheetChange::None;
}

namespace
{
// The sheet text ends at the first NUL byte; an unreadable resource gives a
// null string, which leaves the box's current sheet in place.
QString readSheet(const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}
} // namespace

const QString &normalSheet()
{
    static const QString sheet = readSheet(":/comboBox.qss");
    return sheet;
}

const QString &noHighlightSheet()
{
    static const QString sheet = readSheet(":/comboBox_REV.qss");
    return sheet;
}

void run(QComboBox *box, int &counter)
{
    const SheetChange change = step(counter, box->underMouse());
    if (change == SheetChange::None)
        return;
    const QString &sheet = change == SheetChange::ToNormal ? normalSheet() : noHighlightSheet();
    // Re-applying an identical sheet would only re-polish the box every run.
    if (!sheet.isNull() && box->styleSheet() != sheet)
        box->setStyleSheet(sheet);
}

} // namespace hoverdwell
