// Save and load of the parameter file.
#include "mainwindow.h"

#include "edittracker.h"
#include "filedialogs.h"
#include "parameterfile.h"
#include "transfergate.h"
#include "txparams.h"
#include "ui_mainwindow.h"
#include "uitexts.h"
#include "validation.h"

#include <QDebug>
#include <QMessageBox>

// The whole text of the last file loaded.
QString loadedText;

// Saving writes the file; with the port open the three frames also go to
// the transmitter, without the closing "WWW" of a write. A file that cannot
// be written sends nothing.
void MainWindow::on_toolButton_Save_clicked()
{
    TransferGate::Flow transfer(*transferGate, ui->toolButton_Save);
    if (!transfer)
        return;
    lockOut(ui->toolButton_Save);

    const QString path = filedialogs::saveFileName(this, uitexts::saveDialogTitle(), "./",
                                                   uitexts::saveDialogFilter());
    qDebug() << path;
    if (path.isEmpty())
        return;

    SendData1();
    SendData2();
    SendData3();
    QString error;
    if (!files::writeParameterFile(
            path, files::parameterFileContent(frameTextS, frameTextG, frameTextH), &error)) {
        qDebug() << "save failed:" << error;
        QMessageBox::critical(this, uitexts::errorTitle(), uitexts::saveFailedText(path, error),
                              QMessageBox::Ok);
        return;
    }
    if (ui->openButton->text() == uitexts::openCaption())
        return;
    transferKind = QStringLiteral("save");
    startWrite(false, false);
    transfer.handOver();
}

void MainWindow::on_toolButton_Load_clicked()
{
    const TransferGate::Flow transfer(*transferGate, ui->toolButton_Load);
    if (!transfer)
        return;
    lockOut(ui->toolButton_Load);

    fileName = filedialogs::openFileName(this, uitexts::loadDialogTitle(), "./",
                                         uitexts::loadDialogFilter());
    if (!fileName.isEmpty()) {
        QString error;
        if (!files::readParameterFile(fileName, &loadedText, &error)) {
            qDebug() << "load failed:" << error;
            QMessageBox::critical(this, uitexts::errorTitle(), uitexts::fileErrorText(),
                                  QMessageBox::Ok);
            fileName.clear();
            return;
        }
        const int length = loadedText.size();
        qDebug("Blength00:%d", length);
        const files::LoadedFrames loaded = files::parseParameterText(loadedText, TxParams);
        if (loaded.s)
            qDebug("Blength01:%d", length);
        if (loaded.g)
            qDebug("Blength02:%d", length);
        if (loaded.h)
            qDebug("Blength03:%d", length);
    }
    params::settle(
        TxParams, [this] { Dr_DataSelet(); }, [this] { FalseSaveData(); });
    if (!fileName.isEmpty())
        edits->loaded();
}
