// The floor for the tool's start-up: its generated form, every widget with its
// style sheet, texts, icons and both curve plots, built on a plain main window
// and shown, with none of the window's own logic (no port list, no display
// timer, no slots; the form opens on the page it selects itself).
#include "firstpaint.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    QMainWindow window;
    Ui::MainWindow form;
    form.setupUi(&window);
    showAndReportFirstPaint(window);
}
