// Start-up of the tool's window, built and shown as main() does it.
#include "firstpaint.h"
#include "formfonts.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFormFonts();
    MainWindow window;
    showAndReportFirstPaint(window);
}
