#include "../protocol/testsupport.h"
#include "simdevice.h"

#include <QtTest>

// The transmitter keeps only well-formed frames and counts a write as done
// once S, G and H have all arrived, in whatever order.
class TestSimDevice : public QObject
{
    Q_OBJECT

private slots:
    void frameSets_data();
    void frameSets();
};

namespace
{

QString framesOf(const TxParamsRecord &p, char letter)
{
    return buildFrames(p).at(letter == 'S' ? 0 : letter == 'G' ? 1 : 2);
}

TxParamsRecord edited()
{
    TxParamsRecord p = demoSettings();
    p.subTrim[5] = -40;
    p.rev[7] = 1;
    p.attiMode = 2;
    p.delay[1] = 7;
    p.thCurve[3] = 12;
    p.prm[2].mix = 2;
    return p;
}

} // namespace

void TestSimDevice::frameSets_data()
{
    // Upper case: the frame of the edited settings; lower case: the same frame
    // with a digit field holding "A", which only the strict check refuses.
    // `changed`: the frames whose fields must now be the edited ones.
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<int>("saves");
    QTest::addColumn<QString>("changed");

    QTest::newRow("in order") << "SGH" << 1 << "SGH";
    QTest::newRow("any order") << "HGS" << 1 << "SGH";
    QTest::newRow("incomplete") << "SSG" << 0 << "SG";
    QTest::newRow("two sets") << "SGHSGH" << 2 << "SGH";
    QTest::newRow("bad frame is no part of a set") << "gSH" << 0 << "SH";
    QTest::newRow("bad frame after a good one") << "SGgH" << 1 << "SGH";
}

void TestSimDevice::frameSets()
{
    QFETCH(QString, sequence);
    QFETCH(int, saves);
    QFETCH(QString, changed);

    const TxParamsRecord before = demoSettings();
    const TxParamsRecord after = edited();
    SimDevice device(before);
    int savesSeen = 0;
    for (QChar c : sequence) {
        QByteArray frame = framesOf(after, c.toUpper().toLatin1()).toLatin1();
        if (c.isLower())
            frame[c == 'h' ? 17 : 1] = 'A'; // a digit field of each layout
        savesSeen += device.handle({InputTokenizer::Kind::Frame, frame}).settingsChanged;
    }
    QCOMPARE(savesSeen, saves);
    for (char letter : {'S', 'G', 'H'}) {
        const TxParamsRecord &expected = changed.contains(QLatin1Char(letter)) ? after : before;
        QCOMPARE(framesOf(device.settings(), letter), framesOf(expected, letter));
    }
}

QTEST_APPLESS_MAIN(TestSimDevice)
#include "tst_simdevice.moc"
