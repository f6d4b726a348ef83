#pragma once

#include "settingsreader.h"
#include "settingswriter.h"
#include "transmittersession.h"

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <functional>

// One serial link to the transmitter for a command-line program: 115200 8N1,
// "OK" after opening and "DIS" before closing, and a TransmitterSession that
// does the reads and writes, answering every frame with "WWW". Each call
// runs the session to its end in a local event loop, so the caller reads as
// a plain sequence of steps.
//
// A call ends on the session's signals (its job finished, frames handled);
// it can also be stopped on the caller's own flag (Ctrl+C), asked every few
// ms. A port that disappears (a resource error, or the read errors
// a pseudo-terminal gives once its other end is gone) ends the link: every
// later call fails with the same message.
class TransmitterLink
{
public:
    using FrameHandler = std::function<void(const QByteArray &frame)>;

    TransmitterLink();
    ~TransmitterLink();
    TransmitterLink(const TransmitterLink &) = delete;
    TransmitterLink &operator=(const TransmitterLink &) = delete;

    // `portName` is a path, relative or absolute, or a name under /dev. A
    // busy port names its holder when the system tells; a lock left by a
    // process that has ended is removed first.
    bool open(const QString &portName, QString *error);
    // "DIS", then closes; harmless when not open.
    void close();

    // A read (see settingsreader.h); progress(frames received).
    bool read(const ReadOptions &options, ReadResult *result, QString *error,
              const std::function<void(int)> &progress = {});
    // The frames with their pauses, then "WWW" (see settingswriter.h).
    // progress(step) after each frame's pause, 4 after "WWW"; *sent tells
    // how far it got, also when it fails.
    bool write(const QStringList &frames, int paceMs, QString *error,
               const std::function<void(int)> &progress = {}, SentFrames *sent = nullptr);
    // Live frames for `ms`, or until `done` returns true (checked after every
    // delivery's frames); each goes to `handler`. False only when the
    // link failed or the stop condition was met.
    bool receive(int ms, const FrameHandler &handler, QString *error,
                 const std::function<bool()> &done = {});

    // Asked every few ms in every wait: once it returns true, the running
    // call fails with "interrupted" (the caller knows why).
    void setStopCondition(std::function<bool()> stop) { stopCondition = std::move(stop); }

    // Bytes the framer could not place in any frame, since opening.
    qint64 skippedBytes() const { return session.skippedBytes(); }

private:
    // Runs the event loop until `done` (asked whenever the session signals),
    // `ms` have passed (unless -1), the stop condition or a lost link. False
    // with *error for the last two.
    bool runUntil(const std::function<bool()> &done, QString *error, int ms = -1);
    // Starts a job and runs it to its end; false with *error when it did not
    // complete. *outcome holds the session's result either way.
    bool runJob(const std::function<void()> &start, const std::function<void(int)> &progress,
                TransmitterSession::Result *outcome, QString *error);
    bool failed(QString *error);
    bool send(const QByteArray &bytes, QString *error);
    QString openFailureText(const QString &device) const;

    QSerialPort port;
    TransmitterSession session;
    QString lostReason;
    QString givenName; // as the user spelt it, for messages
    std::function<bool()> stopCondition;
};
