// Save and load of the parameter file.
#include "mainwindow.h"

#include "edittracker.h"
#include "filedialogs.h"
#include "fileoutput.h"
#include "filetexts.h"
#include "parameterfile.h"
#include "parameterreader.h"
#include "transfergate.h"
#include "txparams.h"
#include "ui_mainwindow.h"
#include "uitexts.h"
#include "validation.h"
#include "windowrecords.h"

#include <QDebug>
#include <QMessageBox>

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

    // A device or a FIFO is no parameter file, whatever link leads to it:
    // refused before anything is built or sent.
    const files::OutputTarget target(path, files::OutputTarget::Takes::FilesOnly);
    if (const auto refusal = target.refusal(); refusal != files::OutputTarget::Refusal::None) {
        QMessageBox::critical(this, uitexts::errorTitle(),
                              uitexts::saveFailedText(path, filetexts::saveRefusalText(refusal)),
                              QMessageBox::Ok);
        return;
    }
    SendData1();
    SendData2();
    SendData3();
    QString error;
    if (!target.write(files::parameterFileContent(frameTextS, frameTextG, frameTextH), &error)) {
        qDebug() << "save failed:" << error;
        // The box names the file itself; the reason follows on its own line.
        const QString named = path + QStringLiteral(": ");
        QMessageBox::critical(this, uitexts::errorTitle(),
                              uitexts::saveFailedText(
                                  path, error.startsWith(named) ? error.mid(named.size()) : error),
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
    files::ParameterReading read;
    if (!fileName.isEmpty()) {
        read = files::readParameterFile(fileName, TxParams);
        if (read.problem == files::ReadProblem::Unreadable) {
            qDebug() << "load failed:" << read.reason;
            QMessageBox::critical(this, uitexts::errorTitle(), uitexts::fileErrorText(),
                                  QMessageBox::Ok);
            fileName.clear();
            return;
        }
        loadedText = read.raw;
        const int length = loadedText.size();
        qDebug("Blength00:%d", length);
        if (read.frames.s)
            qDebug("Blength01:%d", length);
        if (read.frames.g)
            qDebug("Blength02:%d", length);
        if (read.frames.h)
            qDebug("Blength03:%d", length);
    }
    params::settle(
        TxParams, [this] { Dr_DataSelet(); }, [this] { FalseSaveData(); });
    if (!fileName.isEmpty() && !read.nothingRead())
        edits->loaded();
    // After the store is settled, so the form behind the box shows what was loaded.
    if (!read.complete())
        QMessageBox::information(this, uitexts::noteTitle(), filetexts::loadProblemText(read),
                                 QMessageBox::Ok);
}
