#include "filedialogs.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>

namespace filedialogs
{
namespace
{

// "所有文件 (*.*)" and its translations: the patterns in parentheses are "*.*" alone.
bool meansEveryFile(const QString &nameFilter)
{
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = patterns.match(nameFilter);
    return match.hasMatch() && match.captured(1).trimmed() == QLatin1String("*.*");
}

// The detail view's sizes and dates in the default locale, which follows the
// window's language. Qt's model writes them in the system locale, which on a
// machine left at the C locale reads "243 bytes" and "8 Dec 2026" in any
// window.
class LocalDetails : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = static_cast<const QFileSystemModel *>(sourceModel());
        const QModelIndex source = mapToSource(index);
        if (role == Qt::DisplayRole && index.column() == sizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (role == Qt::DisplayRole && index.column() == dateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int sizeColumn = 1; // name, size, type, date modified
    static constexpr int dateColumn = 3;
};

QString run(QFileDialog &dialog, const QString &filter)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new LocalDetails(&dialog));
    dialog.setNameFilter(filter);
    // Choosing an entry also puts the entry's suffix on the name typed in a
    // save dialog; for "*.*" that would turn "mymodel.txt" into "mymodel.*",
    // so the typed name is put back.
    auto *nameEdit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QString typed;
    if (nameEdit && dialog.acceptMode() == QFileDialog::AcceptSave)
        QObject::connect(nameEdit, &QLineEdit::textChanged, [&typed](const QString &text) {
            if (!text.endsWith(QLatin1String(".*")))
                typed = text;
        });
    // The dialog applies an entry's patterns to its file-system model when the
    // entry is chosen (first entry at start, filterSelected afterwards); for
    // the all-files entry the model is then told to take every name.
    auto *model = dialog.findChild<QFileSystemModel *>();
    const auto widen = [&](const QString &chosen) {
        if (!model || !meansEveryFile(chosen))
            return;
        model->setNameFilters({QStringLiteral("*")});
        if (!typed.isEmpty() &&
            nameEdit->text() == typed.left(typed.lastIndexOf(QLatin1Char('.'))) + ".*")
            nameEdit->setText(typed);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, widen);
    widen(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString saveFileName(QWidget *parent, const QString &title, const QString &dir,
                     const QString &filter)
{
    QFileDialog dialog(parent, title, dir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return run(dialog, filter);
}

QString openFileName(QWidget *parent, const QString &title, const QString &dir,
                     const QString &filter)
{
    QFileDialog dialog(parent, title, dir);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, filter);
}

} // namespace filedialogs
