#include "livetext.h"

#include <QtTest>

class TestLiveText : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void txVolt_data();
    void txVolt();
    void extVolt_data();
    void extVolt();
    void rssi_data();
    void rssi();
};

void TestLiveText::bars_data()
{
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::newRow("full up") << 0 << 1010 << 1000;
    QTest::newRow("just below centre") << 999 << 11 << 1000;
    QTest::newRow("centre stub") << 1000 << 10 << 1000;
    QTest::newRow("just above centre") << 1001 << 10 << 999;
    QTest::newRow("full down") << 2000 << 10 << 0;
    // Outside 0..2000 one bar gets a value outside its range, which the bar
    // ignores; the other still follows.
    QTest::newRow("below range") << -5 << 1015 << 1000;
    QTest::newRow("above range") << 2100 << 10 << -100;
}

void TestLiveText::bars()
{
    QFETCH(int, servo);
    QFETCH(int, upper);
    QFETCH(int, lower);
    const livetext::BarValues bars = livetext::servoBars(servo);
    QCOMPARE(bars.upper, upper);
    QCOMPARE(bars.lower, lower);
}

void TestLiveText::txVolt_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << " 0.0V";
    QTest::newRow("8.45 truncates") << 845 << " 8.4V";
    QTest::newRow("8.42") << 842 << " 8.4V";
    QTest::newRow("just under 10 V") << 999 << " 9.9V";
    QTest::newRow("10 V moves the unit") << 1000 << "10.0 V";
    QTest::newRow("12.34") << 1234 << "12.3 V";
    QTest::newRow("only two digits left of the point") << 12345 << "23.4 V";
}

void TestLiveText::txVolt()
{
    QFETCH(int, hundredths);
    QFETCH(QString, text);
    QCOMPARE(livetext::txVoltText(hundredths), text);
}

void TestLiveText::extVolt_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << " 0.0V";
    QTest::newRow("7.4") << 74 << " 7.4V";
    QTest::newRow("9.9") << 99 << " 9.9V";
    QTest::newRow("10.0") << 100 << "10.0 V";
    QTest::newRow("12.3") << 123 << "12.3 V";
}

void TestLiveText::extVolt()
{
    QFETCH(int, tenths);
    QFETCH(QString, text);
    QCOMPARE(livetext::extVoltText(tenths), text);
}

void TestLiveText::rssi_data()
{
    QTest::addColumn<int>("rssi");
    QTest::addColumn<QString>("text");
    QTest::newRow("no signal") << 0 << "null";
    QTest::newRow("negative") << -3 << "null";
    QTest::newRow("weakest") << 1 << "-99dBm";
    QTest::newRow("40") << 40 << "-60dBm";
    QTest::newRow("95") << 95 << "-05dBm";
    QTest::newRow("100") << 100 << "-00dBm";
    QTest::newRow("above 100 is not garbled") << 105 << "-00dBm";
    QTest::newRow("255") << 255 << "-00dBm";
}

void TestLiveText::rssi()
{
    QFETCH(int, rssi);
    QFETCH(QString, text);
    QCOMPARE(livetext::rssiText(rssi), text);
}

QTEST_APPLESS_MAIN(TestLiveText)
#include "tst_livetext.moc"
