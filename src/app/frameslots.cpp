// Frames in and out: the decoder slot and the three encoders.
#include "mainwindow.h"

#include "decoder.h"
#include "encoder.h"
#include "frames.h"
#include "historyhooks.h"
#include "telemetry.h"
#include "transfergate.h"
#include "txparams.h"
#include "validation.h"
#include "waitms.h"

#include <QDebug>

// Every delivery goes through the stream framer, which gives back the whole
// frames in it, and holds the start of one that the next delivery or quiet
// time completes. A delivery that is exactly one frame comes back at once.
// Each non-empty delivery is answered with one "WWW", whatever it held.
void MainWindow::serialPort_readyRead()
{
    const QByteArray delivery = serial.readAll();
    if (delivery.isEmpty())
        return;
    framer.push(delivery, linkClock.elapsed());
    settleFrames(decodeFrames(framer.takeFrames()));
    writeToPort(protocol::commandAck);
    if (framer.pendingBytes() > 0)
        framerTick->start();
}

// The line has been quiet since the last delivery: frames the framer now
// completes are stored and the store repaired, but not acknowledged again;
// their delivery was.
void MainWindow::framerQuiet()
{
    framer.idle(linkClock.elapsed());
    const QVector<int> decoded = decodeFrames(framer.takeFrames());
    if (!decoded.isEmpty())
        settleFrames(decoded);
    if (framer.pendingBytes() > 0)
        framerTick->start();
}

// Stores each frame in order; a settings frame shows at once. Gives the
// frames' numbers (0 for live frames).
QVector<int> MainWindow::decodeFrames(const QList<QByteArray> &frames)
{
    QVector<int> numbers;
    for (const QByteArray &frame : frames) {
        const protocol::DecodeResult result = protocol::decodeDelivery(frame, TxParams, Telemetry);
        if (result.frameNumber != 0) {
            readFlag = result.frameNumber;
            qDebug("ReadFlag:%d", readFlag);
        }
        if (result.display)
            ui_Display();
        numbers.append(result.frameNumber);
    }
    return numbers;
}

// The dual-rate selection and the repair, then what follows frames once the
// store is settled: a complete read is kept in the history, and a read reply
// holds the other commands back.
void MainWindow::settleFrames(const QVector<int> &frameNumbers)
{
    params::settle(
        TxParams, [this] { Dr_DataSelet(); }, [this] { FalseSaveData(); });
    for (int number : frameNumbers) {
        historyhooks::frameDecoded(number);
        transferGate->replyFrameDecoded(number);
    }
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
