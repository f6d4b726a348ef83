#include "carriedfields.h"
#include "decoder.h"
#include "encoder.h"
#include "fieldcatalogue.h"
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
    void everyRangeFitsItsFrames_data();
    void everyRangeFitsItsFrames();
};

constexpr int recordCount = 300;

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

void TestRoundTrip::everyRangeFitsItsFrames_data()
{
    QTest::addColumn<QString>("name");
    for (const params::Field &f : params::fieldCatalogue())
        QTest::newRow(qPrintable(f.name)) << f.name;
}

// A range wider than the frame field carrying it would let `txctl set` say
// one value while the file and the transmitter got another: the ends of
// what may be set, and the start value, come back unchanged both ways.
void TestRoundTrip::everyRangeFitsItsFrames()
{
    QFETCH(QString, name);
    const params::Field &f = *params::findField(name);
    const bool out = protocol::carriedToTransmitter(f);
    const bool in = protocol::carriedFromTransmitter(f);
    QVERIFY2(out || in, "no frame carries it");
    for (const double v : {f.min, f.settableMax, f.repair}) {
        TxParamsRecord sent;
        f.setNumber(sent, v);
        TxParamsRecord text, binary;
        const QStringList frames = buildFrames(sent);
        protocol::readSFrameFields(frames[0], 0, text);
        protocol::readGFrameFields(frames[1], 0, text);
        protocol::readHFrameFields(frames[2], 0, text);
        QVector<QByteArray> replies = protocol::encodeSettingsFrames(sent);
        replies << protocol::encodeAuxFrame(sent);
        TelemetryRecord t;
        for (const QByteArray &frame : replies)
            protocol::decodeDelivery(frame, binary, t);
        const auto says = [&](const char *way, const TxParamsRecord &got) {
            return QStringLiteral("%1 = %2 comes back from the %3 as %4")
                .arg(name)
                .arg(v)
                .arg(way)
                .arg(f.value(got))
                .toUtf8();
        };
        QVERIFY2(!out || f.value(text) == v, says("text frames", text).constData());
        QVERIFY2(!in || f.value(binary) == v, says("settings frames", binary).constData());
    }
}

QTEST_APPLESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
