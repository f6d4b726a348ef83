// The transmitter session on a line the test plays: what it takes as the
// answer to a read.
#include "transmitterframes.h"
#include "transmittersession.h"

#include <QSerialPort>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace
{

// A port whose received bytes the test puts in and whose sent bytes it keeps.
class Line : public QIODevice
{
public:
    QByteArray incoming, sent;
    int room = -1; // bytes it still takes; -1: no limit
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
        if (room >= 0 && n > room)
            return -1;
        room -= room >= 0 ? n : 0;
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

double nowMs()
{
    // steady_clock is CLOCK_MONOTONIC, the clock Qt's timers run on.
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The transmitter's end of a pseudo-terminal, read on a thread of its own so
// that each byte is stamped as it lands, whatever the writer's loop does.
struct WireClock {
    int master = -1, slave = -1;
    char name[128] = {};
    std::vector<double> arrivals; // ms, per byte; read once stopped
    std::atomic<bool> stop{false};
    std::thread reader;
    WireClock()
    {
        ::openpty(&master, &slave, name, nullptr, nullptr);
        reader = std::thread([this] {
            // A stamp taken late shortens the gap it ends: under load the
            // reader must run as soon as bytes arrive (allowed as root, as in CI).
            const sched_param realtime{sched_get_priority_max(SCHED_FIFO)};
            pthread_setschedparam(pthread_self(), SCHED_FIFO, &realtime);
            pollfd fd{master, POLLIN, 0};
            char buffer[512];
            while (!stop) {
                const ssize_t n = ::poll(&fd, 1, 20) > 0 ? ::read(master, buffer, 512) : 0;
                arrivals.insert(arrivals.end(), size_t(qMax<ssize_t>(n, 0)), nowMs());
            }
        });
    }
    ~WireClock()
    {
        stop = true;
        if (reader.joinable())
            reader.join();
        ::close(master);
        ::close(slave);
    }
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void whatAnswersARead_data()
    {
        QTest::addColumn<int>("leftovers");     // frames of a read given up, waiting at the start
        QTest::addColumn<QVector<int>>("lost"); // per request, the reply frame lost on the way
        QTest::addColumn<QVector<int>>("missing");
        QTest::addColumn<int>("requests"); // the session sends only "RR" and "WWW"
        // Frames of an earlier reply are no answer: the old sub-trims do not
        // complete a reply that lacks them.
        QTest::newRow("leftovers, then frame 2 lost")
            << 10 << QVector<int>{2} << QVector<int>{2} << 3;
        // Complete across two requests: done, not asked for a third time.
        QTest::newRow("frame 6, then frame 7 lost")
            << 0 << QVector<int>{6, 7} << QVector<int>{} << 2;
    }

    void whatAnswersARead()
    {
        QFETCH(int, leftovers);
        QFETCH(QVector<int>, lost);
        QFETCH(QVector<int>, missing);
        QFETCH(int, requests);
        Line line;
        TransmitterSession session(line, TransmitterSession::Ack::PerFrame);
        TxParamsRecord before, now;
        before.subTrim[0] = -40;
        line.incoming = replyOf(before).mid(0, leftovers).toList().join();
        TransmitterSession::Result result;
        connect(&session, &TransmitterSession::finished, this,
                [&](const TransmitterSession::Result &r) { result = r; });
        ReadOptions options;
        options.attempts = 3;
        options.replyTimeoutMs = 100;
        QVERIFY(session.read(options));
        session.receive(line.readAll()); // as the port tells of what it holds
        for (int request = 1; request <= lost.size(); ++request) {
            QTRY_COMPARE(line.sent.count('R') / 2, request);
            QVector<QByteArray> reply = replyOf(now);
            reply.removeAt(lost[request - 1] - 1);
            for (const QByteArray &frame : reply)
                session.receive(frame);
        }
        QTRY_VERIFY(!session.busy());
        QCOMPARE(result.read.missing, missing);
        QCOMPARE(result.outcome, missing.isEmpty() ? TransmitterSession::Outcome::Done
                                                   : TransmitterSession::Outcome::Incomplete);
        QCOMPARE(line.sent.count('R') / 2, requests);
    }

    void pausesAreNeverShort_data()
    {
        QTest::addColumn<int>("phase"); // ms past a 200 ms step of the clock
        // Coarse timers round an 800 ms pause to such a step, up to 40 ms early.
        QTest::newRow("45 ms past a step") << 45;
        QTest::newRow("90 ms past a step") << 90;
    }

    // S, G, H and "WWW" land at least 800 ms apart on the transmitter's side.
    void pausesAreNeverShort()
    {
        QFETCH(int, phase);
        WireClock wire;
        QSerialPort port(QString::fromLatin1(wire.name));
        QVERIFY(port.open(QIODevice::ReadWrite));
        TransmitterSession session(port, TransmitterSession::Ack::PerFrame);
        while (qint64(nowMs()) % 200 != phase) {
        }
        const QString frame(81, QLatin1Char('x'));
        QVERIFY(session.write({frame, frame, frame}, {}));
        QTRY_VERIFY_WITH_TIMEOUT(!session.busy(), 5000);
        QTest::qWait(50);
        wire.stop = true;
        wire.reader.join();
        QCOMPARE(wire.arrivals.size(), size_t(3 * 81 + 3)); // S, G, H, "WWW"
        for (int i = 81; i < 4 * 81; i += 81) {
            const double gap = wire.arrivals[size_t(i)] - wire.arrivals[size_t(i - 81)];
            QVERIFY2(gap >= 800, qPrintable(QString("pause %1: %2 ms").arg(i / 81).arg(gap)));
        }
    }

    // A port that refuses the G frame: S was sent, G maybe, H not.
    void refusedFrameIsNotCountedSent()
    {
        Line line;
        TransmitterSession session(line, TransmitterSession::Ack::PerFrame);
        TransmitterSession::Result result;
        connect(&session, &TransmitterSession::finished, this,
                [&](const TransmitterSession::Result &r) { result = r; });
        TransmitterSession::WriteOptions options;
        options.paceMs = 10;
        line.room = 5;
        QVERIFY(session.write({"S1234", "G1234", "H1234"}, options));
        QTRY_VERIFY(!session.busy());
        QCOMPARE(result.outcome, TransmitterSession::Outcome::CutShort);
        QCOMPARE(result.framesSent, 1);
        QVERIFY(result.frameBegun);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
