// Frames in and out: the decoder slot and the three encoders.
#include "mainwindow.h"

#include "decoder.h"
#include "encoder.h"
#include "frames.h"
#include "historyhooks.h"
#include "telemetry.h"
#include "txparams.h"
#include "waitms.h"

#include <QDebug>

// One readyRead is one frame: the transmitter sends each frame in one write.
void MainWindow::serialPort_readyRead()
{
    const QByteArray delivery = serial.readAll();
    if (delivery.isEmpty())
        return;
    const protocol::DecodeResult result = protocol::decodeDelivery(delivery, TxParams, Telemetry);
    if (result.frameNumber != 0) {
        readFlag = result.frameNumber;
        qDebug("ReadFlag:%d", readFlag);
    }
    if (result.display)
        ui_Display();
    Dr_DataSelet();
    FalseSaveData();
    historyhooks::frameDecoded(result.frameNumber);
    writeToPort(protocol::commandAck);
}

int MainWindow::byteArrayToInt(QByteArray b, int a) { return protocol::byteArrayToInt(b, a); }

void MainWindow::SendData1()
{
    protocol::buildSFrame(TxParams, frameTextS);
    writeToPort(frameTextS.toUtf8());
    waitMs(800);
}

void MainWindow::SendData2()
{
    protocol::buildGFrame(TxParams, frameTextG);
    writeToPort(frameTextG.toUtf8());
    waitMs(800);
}

void MainWindow::SendData3()
{
    protocol::buildHFrame(TxParams, frameTextH);
    writeToPort(frameTextH.toUtf8());
    waitMs(800);
}
