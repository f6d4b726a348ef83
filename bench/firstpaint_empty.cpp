// The yardstick for start-up: an empty main window of the tool's size.
#include "firstpaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1100, 680);
    showAndReportFirstPaint(window);
}
