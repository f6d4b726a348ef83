#include "adapterpackets.h"

#include <QtTest>

#include <limits>

// The deliveries each kind of USB adapter makes of the transmitter's writes.
// One byte takes 0.0868 ms on the 115200 baud line into ftdi and ch340.
class TestAdapterPackets : public QObject
{
    Q_OBJECT

private slots:
    void packets_data();
    void packets();
    void parse_data();
    void parse();
};

void TestAdapterPackets::packets_data()
{
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<int>("stallMs");     // every write has a byte held back this long
    QTest::addColumn<QString>("writes");  // "MS:BYTES ..."
    QTest::addColumn<QString>("packets"); // "BYTES@MS ...", due times to 0.01 ms

    QTest::newRow("cdc: each write at once") << "cdc" << 0 << "0:20 0:12 5:8"
                                             << "20@0.00 12@0.00 8@5.00";
    QTest::newRow("ftdi: a lone frame waits for the latency timer") << "ftdi" << 0 << "0:12"
                                                                    << "12@16.09";
    QTest::newRow("ftdi: frames 10 ms apart glued") << "ftdi:16" << 0 << "0:12 10:12"
                                                    << "24@16.09";
    QTest::newRow("ftdi: a full packet goes at once, the rest at the timer")
        << "ftdi" << 0 << "0:12 0:12 0:12 0:12 0:12 0:12 0:12"
        << "62@5.38 22@21.47";
    QTest::newRow("ftdi: 1 ms latency cuts a servo frame") << "ftdi:1" << 0 << "0:20"
                                                           << "12@1.09 8@2.13";
    QTest::newRow("ch340: a frame after the idle gap") << "ch340" << 0 << "0:20"
                                                       << "20@2.74";
    QTest::newRow("ch340: frames 5 ms apart stay apart") << "ch340" << 0 << "0:12 5:12"
                                                         << "12@2.04 12@7.04";
    QTest::newRow("ch340: back to back, cut at 32 bytes") << "ch340" << 0 << "0:12 0:12 0:12"
                                                          << "32@2.78 4@4.12";
    // With stalls every write here has a byte held back.
    QTest::newRow("cdc, stalls: each write 60 ms late") << "cdc" << 60 << "0:20 10:12"
                                                        << "20@60.00 12@70.00";
    QTest::newRow("ftdi, stalls: latency timer, then the stall") << "ftdi" << 60 << "0:12"
                                                                 << "12@76.09";
    QTest::newRow("ch340, stalls: each packet keeps its cut, 60 ms late")
        << "ch340" << 60 << "0:12 0:12 0:12"
        << "32@62.78 4@64.12";
}

void TestAdapterPackets::packets()
{
    QFETCH(QString, adapter);
    QFETCH(int, stallMs);
    QFETCH(QString, writes);
    QFETCH(QString, packets);

    AdapterPackets::Policy policy;
    QString error;
    QVERIFY2(AdapterPackets::parse(adapter, &policy, &error), qPrintable(error));
    policy.stallMs = stallMs;
    policy.stallOneIn = 1;
    AdapterPackets line(policy);
    QVector<AdapterPackets::Packet> got;
    char next = 0;
    for (const QString &write : writes.split(' ')) {
        const qint64 atNs = write.section(':', 0, 0).toLongLong() * 1000000;
        got += line.takeDue(atNs); // what has left by the time of this write
        QByteArray bytes;
        for (int i = write.section(':', 1).toInt(); i > 0; --i)
            bytes += next++;
        line.write(bytes, atNs);
    }
    got += line.takeDue(std::numeric_limits<qint64>::max());
    QCOMPARE(line.nextDueNs(), qint64(-1));

    QStringList shown;
    QByteArray joined;
    for (const AdapterPackets::Packet &p : got) {
        shown << QStringLiteral("%1@%2").arg(p.bytes.size()).arg(p.dueNs / 1e6, 0, 'f', 2);
        joined += p.bytes;
    }
    QCOMPARE(shown.join(' '), packets);
    QCOMPARE(joined.size(), int(next)); // every byte once, in order
    for (int i = 0; i < joined.size(); ++i)
        QCOMPARE(int(joined[i]), i);
}

void TestAdapterPackets::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("latencyMs"); // -1: refused

    QTest::newRow("ftdi default") << "ftdi" << 16;
    QTest::newRow("ftdi 1 ms") << "ftdi:1" << 1;
    QTest::newRow("ftdi 0 ms") << "ftdi:0" << -1;
    QTest::newRow("ftdi beyond the chip's timer") << "ftdi:256" << -1;
    QTest::newRow("latency on another kind") << "ch340:5" << -1;
    QTest::newRow("unknown kind") << "pl2303" << -1;
}

void TestAdapterPackets::parse()
{
    QFETCH(QString, text);
    QFETCH(int, latencyMs);

    AdapterPackets::Policy policy;
    QString error;
    QCOMPARE(AdapterPackets::parse(text, &policy, &error), latencyMs >= 0);
    if (latencyMs >= 0)
        QCOMPARE(policy.latencyMs, latencyMs);
    else
        QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestAdapterPackets)
#include "tst_adapterpackets.moc"
