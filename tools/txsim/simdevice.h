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

    // Faults of the device itself, for trying a tool that checks its reads
    // and writes.
    struct Faults {
        int dropFrame = 0;         // 1..18: this settings frame of a read reply (in the order
                                   // sent, the aux frame not counted) is left out; 0: none
        bool dropOnce = false;     // ... from the first read only
        bool ignoreWrites = false; // S, G and H frames are taken but change nothing
        bool silent = false;       // a read request is never answered
    };

    explicit SimDevice(const TxParamsRecord &settings) : stored(settings) {}
    SimDevice(const TxParamsRecord &settings, const Faults &faults)
        : stored(settings), faults(faults)
    {
    }

    Reply handle(const InputTokenizer::Token &token);

    const TxParamsRecord &settings() const { return stored; }
    bool streaming() const { return streamOn; }
    // The stream dies with the client, e.g. when nobody reads any more.
    void stopStreaming() { streamOn = false; }
    // Acknowledgements counted since the last call.
    int takeAckCount();

private:
    Reply storeFrame(const QByteArray &frame);
    Reply readReply();

    TxParamsRecord stored;
    Faults faults;
    int readsAnswered = 0;
    bool streamOn = false;
    int ackCount = 0;
    // Which of S, G and H arrived since the last complete set (bits 0..2).
    unsigned framesSinceSet = 0;
};

// The demo transmitter's settings: factory values with a few visible changes,
// so that a read visibly changes the tool's form. Every value is one the form
// can show (a spin box's range, a combo box's items), so that a read followed
// by a write hands the transmitter back exactly what it had.
TxParamsRecord demoSettings();
