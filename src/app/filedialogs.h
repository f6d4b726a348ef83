#pragma once

#include <QString>

class QWidget;

// The save and load dialogs: Qt's own file dialog with the same arguments
// and results as QFileDialog::getSaveFileName and getOpenFileName, except
// that a filter entry whose only pattern is "*.*" lists every file. On
// Windows "*.*" has always meant every file; taken literally it hides names
// without a dot, and the save dialog adds no suffix, so a file saved as
// "mymodel" could not be loaded again. The native dialogs cannot be told
// otherwise, so they are not used.
namespace filedialogs
{

QString saveFileName(QWidget *parent, const QString &title, const QString &dir,
                     const QString &filter);
QString openFileName(QWidget *parent, const QString &title, const QString &dir,
                     const QString &filter);

} // namespace filedialogs
