#pragma once

#include "settingsreader.h"
#include "settingsreply.h"
#include "settingswriter.h"
#include "streamframer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

class QIODevice;

// Everything that moves settings between this program and the transmitter,
// for the window and for txctl alike: one job at a time, driven by timers
// and by the bytes its owner hands in, never by a wait of its own.
//
// The owner opens and closes the port and passes every delivery to
// receive(). The session cuts the stream into frames (StreamFramer),
// answers with "WWW" (once per delivery as the window does, or once per
// frame as txctl does) and sorts the frames:
//   - servo and status frames are live values, shown whenever they come
//     (liveFrame);
//   - the aux and the settings frames count only inside a read. A read
//     started by the user hands each on (replyFrame) to be stored; the read
//     after a write only compares them with what was written. At any other
//     time (during a write, after a read has ended) they are answered and
//     dropped, so a late reply never lands in an edit or a write.
//
// The jobs, with the transmitter's expectations:
//   read   "RR", then the aux frame and the 18 settings frames in any order.
//          A reply that goes quiet with frames missing is asked for again,
//          up to ReadOptions::attempts requests; frames already received
//          count. Input left over from before is handled, as frames outside
//          a read, before each "RR".
//   write  S frame, pause, G frame, pause, H frame, pause (800 ms each: the
//          transmitter stores a frame in that time), then "WWW"; with
//          `verify` a read follows and the fields carried both ways are
//          compared with what the frames carried; a difference is read
//          again before it is reported. Without the closing
//          "WWW" this is what a save sends while the port is open.
// The states, and every move between them (enter() refuses any other):
//
//   Idle --read()--> Requesting --"RR" written--> Receiving
//   Receiving --every frame in, part from an earlier request--> Settling
//   Receiving, Settling --quiet with frames missing--> Requesting (again)
//   Receiving, Settling --the read ends--> Idle
//   Idle --write()--> Sending --frame gone--> Pausing --pause over--> Sending
//   Sending ("WWW" gone) or Pausing (no "WWW"), `verify` --> Requesting
//     (the read-back); without `verify` --> Idle
//   any --abort(), a port that takes nothing--> Idle
//
// A read stores its frames (the user's) or compares them with what was
// written (the read-back); that is what the read is for, set at its start.
// An event a state does not expect (a timer left over, say) is logged and
// ignored.
//
// A frame counts as sent once its last byte has left the port: the port's
// own buffer is empty and the system's output queue too, as a timer finds
// them. Nothing waits for that; a port whose output makes no progress for
// stallTimeoutMs ends the job as cut short.
class TransmitterSession : public QObject
{
    Q_OBJECT

public:
    enum class Ack { PerDelivery, PerFrame };
    enum class Job { None, Read, Write };
    enum class Outcome {
        Done,       // complete read; frames sent (and, if asked, read back the same)
        Incomplete, // frames still missing after the last request
        NoAnswer,   // not one reply frame
        NotTaken,   // read back differently from what was written
        CutShort,   // the link failed or the job was stopped
    };

    struct WriteOptions {
        int paceMs = designedPaceMs;
        bool closingAck = true; // "WWW" after the last pause
        bool verify = false;    // read back and compare
        ReadOptions check;      // for that read
    };

    struct Result {
        Job job = Job::None;
        Outcome outcome = Outcome::Done;
        ReadResult read;                         // a read, or the read-back of a write
        TxParamsRecord written;                  // a write: what its frames carry
        QVector<params::FieldChange> mismatches; // written -> read back
        int framesSent = 0;                      // a write: frames whose last byte has left
        bool frameBegun = false;                 // a write: cut while a frame was leaving
        bool checking = false;                   // a write: cut or failed in its read-back
        bool portRefused = false;                // the port took not all of a request or frame
        QString error;                           // why it did not complete, for people
    };

    // A port whose queued output has not shrunk for this long is taken for
    // stalled: more than any adapter's latency, and twice the wait the
    // window once made on its own thread.
    static constexpr int stallTimeoutMs = 2000;

    TransmitterSession(QIODevice &port, Ack ack, QObject *parent = nullptr);

    // Bytes as the port delivered them. The owner calls this for every
    // delivery while the port is open.
    void receive(const QByteArray &delivery);
    // The port was just opened: nothing of an earlier link is held.
    void restart();

    enum class State { Idle, Requesting, Receiving, Settling, Sending, Pausing };

    bool busy() const { return state != State::Idle; }
    State currentState() const { return state; }

    // False (and nothing started) while another job runs.
    bool read(const ReadOptions &options);
    bool write(const QStringList &frames, const WriteOptions &options);
    // Ends the running job at once as cut short (link lost, port closing,
    // interrupted); `why` goes into the result.
    void abort(const QString &why);

    qint64 skippedBytes() const { return framer.skippedBytes(); }
    // A write's frame is on its way out of the port.
    bool frameLeaving() const { return leaving == Leaving::Frame; }

signals:
    void liveFrame(const QByteArray &frame);
    // An aux or settings frame of a read the user asked for; `number` 0 for
    // a settings frame whose code no setting has.
    void replyFrame(const QByteArray &frame, int number);
    // After the frames of one delivery (or of a piece completed by quiet
    // time) were handed on, before the delivery is answered.
    void framesHandled();
    // A read: frames received so far of 19. A write: frames sent and paused
    // after (1..3), then 4 once "WWW" has gone.
    void progressed(int done);
    // A write's frames (and its closing "WWW") have all left the port; a
    // read-back may follow.
    void framesSent();
    // A request is repeated, e.g. "no answer for frame 7 (aux sources),
    // asking again (2/3)".
    void notice(const QString &line);
    void finished(const TransmitterSession::Result &result);

private:
    void handleFrames(const QList<QByteArray> &frames);
    void framerQuiet();
    // What follows once bytes sent with send() have left the port.
    enum class Leaving { Nothing, Request, Frame, ClosingAck };
    bool put(const QByteArray &bytes);
    void send(const QByteArray &bytes, Leaving what);
    qint64 bytesNotLeft() const;
    void checkLeft();
    void left(Leaving what);
    void notLeft(Leaving what);
    void drainInput();

    void startReading();
    void sendRequest();
    void checkReadComplete();
    void replyQuiet();
    void endRead();
    void checkReadBack();
    void sendNextFrame();
    void paceOver();
    void framesLeft();
    void finish(Outcome outcome, const QString &error = {});
    // The one place the state changes; false (and no change) for a move the
    // graph above does not have.
    bool enter(State next);
    bool reading() const;
    bool expected(bool ok, const char *event) const;

    QIODevice &port;
    Ack ack;
    StreamFramer framer;
    QElapsedTimer clock;
    QTimer quietTick; // finishes a frame the last piece left open
    QTimer replyTimer;
    QTimer paceTimer;
    QElapsedTimer paceClock;  // since the last frame left
    QTimer leaveTick;         // looks whether the bytes sent have left
    QElapsedTimer stallClock; // since the output last shrank
    qint64 stillQueued = 0;
    Leaving leaving = Leaving::Nothing;

    State state = State::Idle;
    Result result;
    // read
    enum class ReadFor { Storing, Comparing };
    ReadFor readFor = ReadFor::Storing;
    ReadOptions readOptions;
    SettingsReply reply;
    QSet<int> received;    // over every request of the read
    QSet<int> thisRequest; // in the reply to the latest request
    int settleWaitMs = 0;  // quiet time that ends a settling reply
    // A read-back that differs is checked again before it is believed.
    enum class Doubt { None, LettingEnd, AskedAgain };
    Doubt doubt = Doubt::None;
    QVector<params::FieldChange> firstDifferences;
    // write
    QStringList frames;
    WriteOptions writeOptions;
    int nextFrame = 0;
};
