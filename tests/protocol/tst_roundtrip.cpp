#include "decoder.h"
#include "encoder.h"
#include "frames.h"
#include "testsupport.h"
#include "textparser.h"
#include "transmitterframes.h"
#include "validation.h"

#include <QRandomGenerator>

#include <climits>

// Both directions must agree: whatever one side encodes, the other decodes to
// the same values. Random records cover far more value pairs than examples.
class TestRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void binaryFramesRoundTrip();
    void telemetryRoundTrip();
    void textFramesRoundTrip();
    void transmitterClamps_data();
    void transmitterClamps();
};

constexpr int recordCount = 300;

// A record inside every validated range; with textLimits also inside what the
// text frames can carry (alarm up to 23.9 V, mix channels up to 9, extraWord
// up to 999).
static TxParamsRecord randomRecord(QRandomGenerator &g, bool textLimits)
{
    const auto fill = [&g](auto &values, int lo, int hi) {
        for (int &v : values)
            v = g.bounded(lo, hi + 1);
    };
    const auto one = [&g](int lo, int hi) { return int(g.bounded(lo, hi + 1)); };
    TxParamsRecord p{};
    fill(p.rev, 0, 1);
    fill(p.subTrim, -100, 100);
    fill(p.epaLeft, 0, 120);
    fill(p.epaRight, 0, 120);
    fill(p.failSafe, 0, 100);
    fill(p.delay, 0, 100);
    fill(p.aux, 0, 5);
    p.drMix = one(0, 1);
    p.drChannel = one(0, 4);
    p.drSwitch = one(0, 2);
    p.drPosition = one(0, 4);
    p.drUp = one(0, 100);
    p.drDown = one(0, 100);
    fill(p.drUpCh, 0, 100);
    fill(p.drDownCh, 0, 100);
    fill(p.drExpUpCh, -100, 100);
    fill(p.drExpDownCh, -100, 100);
    p.attiMode = one(0, 5);
    fill(p.atti, 0, 100);
    p.elevMix = one(0, 1);
    fill(p.elev, -100, 100);
    p.vtailMix = one(0, 1);
    fill(p.vtail, -100, 100);
    for (ProgMix &m : p.prm) {
        m.mix = one(0, 2);
        m.master = one(0, textLimits ? 9 : 10);
        m.slave = one(0, textLimits ? 9 : 10);
        fill(m.data, -100, 100);
    }
    p.thCurveMix = one(0, 5);
    p.thCurveExtra = one(0, 4);
    fill(p.thCurve, 0, 100);
    p.stickMode = one(0, 4);
    p.alarmVoltRaw = one(0, textLimits ? 239 : 500);
    p.alarmVolt = p.alarmVoltRaw / 10.0;
    p.firmwareVersion = one(0, 65535);
    p.extraWord = one(0, textLimits ? 999 : 1000);
    p.extraWordScaled = p.extraWord / 10.0;
    p.extraSigned = one(-100, 0);
    return p;
}

static bool passesValidation(const TxParamsRecord &p)
{
    TxParamsRecord checked = p;
    params::validate(checked);
    return checked == p;
}

void TestRoundTrip::binaryFramesRoundTrip()
{
    QRandomGenerator g(20240601);
    for (int i = 0; i < recordCount; ++i) {
        const TxParamsRecord sent = randomRecord(g, false);
        QVERIFY(passesValidation(sent));
        TxParamsRecord got{};
        got.drChannel = sent.drChannel; // sent only towards the transmitter
        got.drUp = sent.drUp;
        got.drDown = sent.drDown;
        TelemetryRecord t{};
        QCOMPARE(protocol::decodeDelivery(protocol::encodeAuxFrame(sent), got, t).frameNumber, 7);
        const QVector<QByteArray> frames = protocol::encodeSettingsFrames(sent);
        QCOMPARE(frames.size(), int(protocol::settingsCodes.size()));
        for (int f = 0; f < frames.size(); ++f) {
            const protocol::DecodeResult r = protocol::decodeDelivery(frames.at(f), got, t);
            QCOMPARE(r.frameNumber, protocol::settingsCodes[f].number);
        }
        QCOMPARE(got, sent);
    }
}

void TestRoundTrip::telemetryRoundTrip()
{
    QRandomGenerator g(7);
    for (int i = 0; i < recordCount; ++i) {
        TelemetryRecord sent;
        for (int &s : sent.servo)
            s = g.bounded(65536);
        sent.txVolt = g.bounded(65536);
        sent.rssi = g.bounded(256);
        sent.statusByte3 = g.bounded(256);
        sent.extVolt = g.bounded(65536);
        sent.statusWord6 = g.bounded(65536);
        sent.statusWord8 = g.bounded(65536);
        TxParamsRecord p{};
        TelemetryRecord got;
        protocol::decodeDelivery(protocol::encodeServoFrame(sent), p, got);
        protocol::decodeDelivery(protocol::encodeStatusFrame(sent), p, got);
        QCOMPARE(got, sent);
        QCOMPARE(p, TxParamsRecord{});
    }
}

void TestRoundTrip::textFramesRoundTrip()
{
    QRandomGenerator g(1357);
    for (int i = 0; i < recordCount; ++i) {
        const TxParamsRecord sent = randomRecord(g, true);
        QVERIFY(passesValidation(sent));
        const QStringList frames = buildFrames(sent);
        for (const QString &f : frames)
            QVERIFY2(protocol::isWellFormedFrame(f), qPrintable(f));

        TxParamsRecord got{};
        got.firmwareVersion = sent.firmwareVersion; // reported by the transmitter only
        const QString file = frames.join(QString());
        protocol::readSFrameFields(file, 0, got);
        protocol::readGFrameFields(file, 81, got);
        protocol::readHFrameFields(file, 162, got);
        QCOMPARE(got, sent);
    }
}

void TestRoundTrip::transmitterClamps_data()
{
    QTest::addColumn<RecordEdit>("edit");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("fields"); // bytes 3..10

    const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
    QTest::newRow("sub-trim high")
        << RecordEdit([](auto &p) { p.subTrim[0] = 500; }) << 0x55 << hex("FF78787878787878");
    QTest::newRow("sub-trim INT_MIN")
        << RecordEdit([](auto &p) { p.subTrim[7] = INT_MIN; }) << 0x55 << hex("7878787878787800");
    QTest::newRow("end point -1") << RecordEdit([](auto &p) { p.epaLeft[1] = -1; }) << 0x66
                                  << hex("6000606060606060");
    QTest::newRow("words") << RecordEdit([](auto &p) {
        p.alarmVoltRaw = 70000;
        p.stickMode = -5;
        p.firmwareVersion = INT_MAX;
    }) << 0x99 << hex("FFFF0000FFFF0000");
    QTest::newRow("extraSigned INT_MAX")
        << RecordEdit([](auto &p) { p.extraSigned = INT_MAX; }) << 0xAB << hex("0000006EFF000000");
    QTest::newRow("unknown code") << RecordEdit([](auto &) {}) << 0x50 << QByteArray();
}

void TestRoundTrip::transmitterClamps()
{
    QFETCH(RecordEdit, edit);
    QFETCH(int, code);
    QFETCH(QByteArray, fields);

    TxParamsRecord p{};
    edit(p);
    const QByteArray frame = protocol::encodeSettingsFrame(quint8(code), p);
    const QByteArray want = fields.isEmpty()
                                ? QByteArray()
                                : QByteArray::fromHex("FE00") + char(code) + fields + '\xFE';
    QCOMPARE(frame.toHex(), want.toHex());
}

QTEST_APPLESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
