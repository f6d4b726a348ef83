// Frames in: the delivery slot and the decoding of what the session sorts.
#include "mainwindow.h"

#include "decoder.h"
#include "frames.h"
#include "telemetry.h"
#include "txparams.h"

#include <QDebug>

// Every delivery goes to the session, which cuts the stream into frames,
// hands them back sorted (live values, the frames of a read) and answers
// the delivery with one "WWW" once the store is settled.
void MainWindow::serialPort_readyRead() { session->receive(serial.readAll()); }

void MainWindow::liveFrameArrived(const QByteArray &frame)
{
    protocol::decodeDelivery(frame, TxParams, Telemetry);
}

// A frame of the user's read: stored, and a settings frame shown at once.
void MainWindow::replyFrameArrived(const QByteArray &frame, int number)
{
    const protocol::DecodeResult result = protocol::decodeDelivery(frame, TxParams, Telemetry);
    if (number != 0) {
        readFlag = number;
        qDebug("ReadFlag:%d", readFlag);
    }
    if (result.display)
        ui_Display();
}

int MainWindow::byteArrayToInt(QByteArray b, int a) { return protocol::byteArrayToInt(b, a); }
