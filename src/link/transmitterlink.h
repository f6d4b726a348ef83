#pragma once

#include "streamframer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>

#include <functional>

// One serial link to the transmitter for a command-line program: 115200 8N1,
// "OK" after opening and "DIS" before closing, every received frame answered
// with "WWW" as the window answers every delivery. Bytes go through a stream
// framer, so frames that the line splits or merges still come out whole.
//
// All waiting is bounded and polls in short slices, so a caller can stop on
// its own flag (Ctrl+C) between them. A port that disappears (a resource
// error, or the read errors a pseudo-terminal gives once its other end is
// gone) ends the link: every later call fails with the same message.
class TransmitterLink
{
public:
    using FrameHandler = std::function<void(const QByteArray &frame)>;

    TransmitterLink() = default;
    ~TransmitterLink();
    TransmitterLink(const TransmitterLink &) = delete;
    TransmitterLink &operator=(const TransmitterLink &) = delete;

    // `portName` is a path, relative or absolute, or a name under /dev. A
    // busy port names its holder when the system tells; a lock left by a
    // process that has ended is removed first.
    bool open(const QString &portName, QString *error);
    // "DIS", then closes; harmless when not open.
    void close();

    bool send(const QByteArray &bytes, QString *error);
    // Receives for `ms`, or until `done` returns true (checked after every
    // frame and every slice); each frame goes to `handler`, then is answered.
    // False only when the link failed.
    bool receive(int ms, const FrameHandler &handler, QString *error,
                 const std::function<bool()> &done = {});

    // Asked before every write and in every slice of a wait: once it returns
    // true, send and receive fail with "interrupted" (the caller knows why).
    void setStopCondition(std::function<bool()> stop) { stopCondition = std::move(stop); }

    // Bytes the framer could not place in any frame, since opening.
    qint64 skippedBytes() const { return framer.skippedBytes(); }

private:
    bool failed(QString *error);
    bool stopped(QString *error) const;
    QString openFailureText(const QString &device) const;

    QSerialPort port;
    StreamFramer framer;
    QList<QByteArray> pending; // framed but not yet handed out
    QElapsedTimer clock;
    QString lostReason;
    QString givenName; // as the user spelt it, for messages
    std::function<bool()> stopCondition;
};
