// Live telemetry: channel values and bars, voltages and signal.
#include "mainwindow.h"

#include "livetext.h"
#include "telemetry.h"
#include "ui_mainwindow.h"

void MainWindow::Servo_Display()
{
    struct Channel {
        QLineEdit *value;
        QProgressBar *upper;
        QProgressBar *lower;
    };
    const Channel channels[] = {
        {ui->lineEdit, ui->progressBar_10, ui->progressBar_11},
        {ui->lineEdit_2, ui->progressBar_20, ui->progressBar_21},
        {ui->lineEdit_3, ui->progressBar_30, ui->progressBar_31},
        {ui->lineEdit_4, ui->progressBar_40, ui->progressBar_41},
        {ui->lineEdit_5, ui->progressBar_50, ui->progressBar_51},
        {ui->lineEdit_6, ui->progressBar_60, ui->progressBar_61},
        {ui->lineEdit_7, ui->progressBar_70, ui->progressBar_71},
        {ui->lineEdit_8, ui->progressBar_80, ui->progressBar_81},
    };
    for (int n = 0; n < 8; ++n) {
        const int s = Telemetry.servo[n];
        const livetext::BarValues bars = livetext::servoBars(s);
        channels[n].value->setText(QString::number(s));
        channels[n].upper->setValue(bars.upper);
        channels[n].lower->setValue(bars.lower);
    }
    ui->lineEdit_TX->setText(livetext::txVoltText(Telemetry.txVolt));
}

void MainWindow::Recieve_Display()
{
    ui->lineEdit_RSSI->setText(livetext::rssiText(Telemetry.rssi));
    ui->lineEdit_EXT->setText(livetext::extVoltText(Telemetry.extVolt));
}
