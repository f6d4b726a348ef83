// The transmitter session on a line the test plays: what it takes as the
// answer to a read.
#include "transmitterframes.h"
#include "transmittersession.h"

#include <QtTest>

namespace
{

// A port whose received bytes the test puts in and whose sent bytes it keeps.
class Line : public QIODevice
{
public:
    QByteArray incoming, sent;
    Line() { open(QIODevice::ReadWrite); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return incoming.size() + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = qMin<qint64>(max, incoming.size());
        memcpy(data, incoming.constData(), size_t(n));
        incoming.remove(0, int(n));
        return n;
    }
    qint64 writeData(const char *data, qint64 n) override
    {
        sent.append(data, int(n));
        return n;
    }
};

QVector<QByteArray> replyOf(const TxParamsRecord &p)
{
    QVector<QByteArray> frames = protocol::encodeSettingsFrames(p);
    frames.append(protocol::encodeAuxFrame(p));
    return frames;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    // Frames of an earlier reply still waiting when a read starts are no
    // answer to it: a reply that then lacks the sub-trim frame is incomplete,
    // not completed with the old sub-trims.
    void leftoversAreNoAnswer()
    {
        Line line;
        TransmitterSession session(line, TransmitterSession::Ack::PerFrame);
        TxParamsRecord before, now;
        before.subTrim[0] = -40;
        line.incoming = replyOf(before).mid(0, 10).toList().join(); // a read given up
        TransmitterSession::Result result;
        connect(&session, &TransmitterSession::finished, this,
                [&](const TransmitterSession::Result &r) { result = r; });
        ReadOptions once;
        once.attempts = 1;
        once.replyTimeoutMs = 100;
        QVERIFY(session.read(once));
        QVERIFY(line.sent.endsWith("RR"));
        session.receive(line.readAll()); // as the port tells of what it holds
        QVector<QByteArray> reply = replyOf(now);
        reply.removeAt(1); // frame 2, the sub-trims, lost on the way
        for (const QByteArray &frame : reply)
            session.receive(frame);
        QTRY_VERIFY(!session.busy());
        QCOMPARE(result.outcome, TransmitterSession::Outcome::Incomplete);
        QCOMPARE(result.read.missing, QVector<int>{2});
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
