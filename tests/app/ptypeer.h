#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QVector>

class QSocketNotifier;
struct TxParamsRecord;

// The transmitter's end of a pseudo-terminal. The window opens the slave path
// like any serial port; the test writes deliveries to the master (one write is
// one readyRead on the other side) and collects what the window wrote, with
// the time each piece arrived.
class PtyPeer : public QObject
{
    Q_OBJECT

public:
    PtyPeer();
    ~PtyPeer() override;

    bool isValid() const { return masterFd >= 0; }
    QString slavePath() const { return path; }

    // One delivery: written in a single call so the window reads it in one go.
    bool deliver(const QByteArray &bytes);
    // The transmitter's reply to a read, holding `p`: the 18 settings frames
    // and the aux frame, each once the one before has been acknowledged.
    bool answerRead(const TxParamsRecord &p);

    // Everything the window wrote since the last clear().
    QByteArray received() const { return bytes; }
    void clear();
    // Occurrences that do not overlap ("WWWWWW" holds two acknowledgements).
    int count(const QByteArray &needle) const;
    // Milliseconds (from the peer's creation) at which byte `index` arrived.
    double arrivalMs(int index) const;
    double nowMs() const { return clock.nsecsElapsed() / 1e6; }

    // Drops the peer's own hold on the slave, so that the window closing its
    // port hangs the line up (observed as hungUp()).
    void releaseSlave();
    bool hungUp() const { return hangUp; }
    // The line takes no more bytes from the window (its output is suspended).
    void stopTakingBytes();
    // The peer vanishes: the window's port sees the line go dead.
    void closeMaster();

private:
    struct Piece {
        int end; // one past the piece's last byte in `bytes`
        double ms;
    };

    void readAvailable();

    int masterFd = -1;
    int slaveFd = -1;
    QString path;
    QSocketNotifier *notifier = nullptr;
    QElapsedTimer clock;
    QByteArray bytes;
    QVector<Piece> pieces;
    bool hangUp = false;
};
