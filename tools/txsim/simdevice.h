#pragma once

#include "inputtokenizer.h"
#include "txparams.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// What the transmitter does with each unit the tool sends, without any I/O:
// the caller writes the replies, keeps the stream going and saves the state.
class SimDevice
{
public:
    struct Reply {
        QString log;                  // one line for the person watching
        QVector<QByteArray> writes;   // each must reach the tool as its own delivery
        bool settingsChanged = false; // a full S+G+H set was stored
    };

    explicit SimDevice(const TxParamsRecord &settings) : stored(settings) {}

    Reply handle(const InputTokenizer::Token &token);

    const TxParamsRecord &settings() const { return stored; }
    bool streaming() const { return streamOn; }
    // The stream dies with the client, e.g. when nobody reads any more.
    void stopStreaming() { streamOn = false; }
    // Acknowledgements counted since the last call.
    int takeAckCount();

private:
    Reply storeFrame(const QByteArray &frame);

    TxParamsRecord stored;
    bool streamOn = false;
    int ackCount = 0;
    // Which of S, G and H arrived since the last complete set (bits 0..2).
    unsigned framesSinceSet = 0;
};

// The demo transmitter's settings: factory values with a few visible changes,
// so that a read visibly changes the tool's form.
TxParamsRecord demoSettings();
