#include "formtexts.h"

#include "uitexts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>

namespace formtexts
{

void apply(QWidget *window)
{
    window->findChild<QAbstractButton *>("openButton")->setText(uitexts::openCaption());
    for (const char *label : {"lineEdit_53", "lineEdit_146", "lineEdit_130"})
        window->findChild<QLineEdit *>(label)->setText(
            QCoreApplication::translate("MainWindow", "混控:", "switches a function on or off"));
}

} // namespace formtexts
