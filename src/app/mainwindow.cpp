#include "mainwindow.h"

#include "ui_mainwindow.h"
#include "uitexts.h"

#include <QSerialPortInfo>
#include <QTimer>

static void registerResources()
{
    // The resources live in a static library; referencing them here keeps the
    // linker from dropping them. Register once even with several windows.
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    registerResources();
    ui->setupUi(this);

    ui->portNameBox->clear();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ui->portNameBox->addItem(info.portName());

    ui->tabWidget->setCurrentIndex(0);

    displayTimer = new QTimer(this);
    displayTimer->start(100);
    connect(displayTimer, SIGNAL(timeout()), this, SLOT(ui_Display()));
}

MainWindow::~MainWindow()
{
    delete ui;
}
