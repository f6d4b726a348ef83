#include "decoder.h"
#include "frames.h"
#include "testsupport.h"

using protocol::DeliveryKind;
Q_DECLARE_METATYPE(DeliveryKind)

// Inbound deliveries written out byte by byte, checked against the values
// they must leave in the records.
class TestDecoder : public QObject
{
    Q_OBJECT

private slots:
    void settingsRow_data();
    void settingsRow();
    void liveFrame_data();
    void liveFrame();
    void deliveryOutcome_data();
    void deliveryOutcome();
    void wordReading_data();
    void wordReading();
};

static QByteArray bytes(const char *hex) { return QByteArray::fromHex(hex); }

void TestDecoder::settingsRow_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("number");
    QTest::addColumn<RecordEdit>("expected");

    QTest::newRow("44 reverse") << bytes("FE0044 0100010100000101 FE") << 1
                                << RecordEdit([](auto &p) {
                                       set(p.rev, {1, 0, 1, 1, 0, 0, 1, 1});
                                   });
    QTest::newRow("55 sub-trim") << bytes("FE3755 7800DC147977F0FF FE") << 2
                                 << RecordEdit([](auto &p) {
                                        set(p.subTrim, {0, -120, 100, -100, 1, -1, 120, 135});
                                    });
    QTest::newRow("55 all zero bytes")
        << bytes("FE0055 0000000000000000 FE") << 2
        << RecordEdit([](auto &p) { std::fill_n(p.subTrim, 8, -120); });
    QTest::newRow("66 left end points")
        << bytes("FE0066 00106078010203FF FE") << 3 << RecordEdit([](auto &p) {
               set(p.epaLeft, {0, 16, 96, 120, 1, 2, 3, 255});
           });
    QTest::newRow("77 right end points")
        << bytes("FEFF77 05060708090A0B0C FE") << 4 << RecordEdit([](auto &p) {
               set(p.epaRight, {5, 6, 7, 8, 9, 10, 11, 12});
           });
    QTest::newRow("88 fail-safe") << bytes("FE0088 3200640102030405 FE") << 5
                                  << RecordEdit([](auto &p) {
                                         set(p.failSafe, {50, 0, 100, 1, 2, 3, 4, 5});
                                     });
    QTest::newRow("99 system") << bytes("FE0099 006E00030102FFFF FE") << 6
                               << RecordEdit([](auto &p) {
                                      p.alarmVoltRaw = 110;
                                      p.alarmVolt = 11.0;
                                      p.stickMode = 3;
                                      p.firmwareVersion = 258;
                                  });
    QTest::newRow("99 alarm 3.7 V")
        << bytes("FE0099 0025000100000000 FE") << 6 << RecordEdit([](auto &p) {
               p.alarmVoltRaw = 37;
               p.alarmVolt = 3.7;
           });
    QTest::newRow("A1 atti") << bytes("FE00A1 020A141E28323CFF FE") << 8 << RecordEdit([](auto &p) {
        p.attiMode = 2;
        set(p.atti, {10, 20, 30, 40, 50, 60});
    });
    QTest::newRow("A2 elevon order")
        << bytes("FE00A2 01797D7A7E7B7CFF FE") << 9 << RecordEdit([](auto &p) {
               p.elevMix = 1;
               set(p.elev, {1, 2, 3, 4, 5, 6});
           });
    QTest::newRow("A3 V-tail") << bytes("FE00A3 0100C8646501FFFF FE") << 10
                               << RecordEdit([](auto &p) {
                                      p.vtailMix = 1;
                                      set(p.vtail, {-100, 100, 0, 1});
                                      p.drMix = 1;
                                  });
    QTest::newRow("A4 delay") << bytes("FE00A4 000A141E28323C64 FE") << 11
                              << RecordEdit([](auto &p) {
                                     set(p.delay, {0, 10, 20, 30, 40, 50, 60, 100});
                                 });
    QTest::newRow("A5 dual rates")
        << bytes("FE00A5 0A141E28323C4650 FE") << 12 << RecordEdit([](auto &p) {
               set(p.drUpCh, {10, 20, 30, 40});
               set(p.drDownCh, {50, 60, 70, 80});
           });
    QTest::newRow("A6 mix 1+2 data")
        << bytes("FE00A6 C80065636E5A0207 FE") << 13 << RecordEdit([](auto &p) {
               p.prm[0] = {p.prm[0].mix, 2, p.prm[0].slave, {10, 100, 1}};
               p.prm[1] = {p.prm[1].mix, 7, p.prm[1].slave, {-10, -100, -1}};
           });
    QTest::newRow("A7 mix 1+2 routing")
        << bytes("FE00A7 04060201FFFFFFFF FE") << 14 << RecordEdit([](auto &p) {
               p.prm[0].slave = 4;
               p.prm[1].slave = 6;
               p.prm[0].mix = 2;
               p.prm[1].mix = 1;
           });
    QTest::newRow("A8 mix 3") << bytes("FE00A8 0102066E785A0204 FE") << 15
                              << RecordEdit([](auto &p) {
                                     p.prm[2] = {1, 2, 6, {10, 20, -10}};
                                     p.prm[3].mix = 2;
                                     p.prm[3].master = 4;
                                 });
    QTest::newRow("A9 mix 4, curve")
        << bytes("FE00A9 0700C8640103050A FE") << 16 << RecordEdit([](auto &p) {
               p.prm[3].slave = 7;
               set(p.prm[3].data, {-100, 100, 0});
               p.thCurveMix = 1;
               p.thCurveExtra = 3;
               p.thCurve[0] = 5;
               p.thCurve[1] = 10;
           });
    QTest::newRow("AA curve") << bytes("FE00AA 141E28323CFFFFFF FE") << 17
                              << RecordEdit([](auto &p) {
                                     int v[] = {20, 30, 40, 50, 60};
                                     std::copy(v, v + 5, p.thCurve + 2);
                                 });
    QTest::newRow("AB switch, extras")
        << bytes("FE00AB 010103E75AFFFFFF FE") << 18 << RecordEdit([](auto &p) {
               p.drSwitch = 1;
               p.drPosition = 1;
               p.extraWord = 999;
               p.extraWordScaled = 99.9;
               p.extraSigned = -10;
           });
    QTest::newRow("AC exponentials")
        << bytes("FE00AC 00C86465636E5A78 FE") << 19 << RecordEdit([](auto &p) {
               set(p.drExpUpCh, {-100, 100, 0, 1});
               set(p.drExpDownCh, {-1, 10, -10, 20});
           });
}

void TestDecoder::settingsRow()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, number);
    QFETCH(RecordEdit, expected);

    TxParamsRecord p{}, want{};
    expected(want);
    TelemetryRecord t{};
    const protocol::DecodeResult r = protocol::decodeDelivery(frame, p, t);
    QCOMPARE(r.kind, DeliveryKind::Settings);
    QCOMPARE(r.frameNumber, number);
    QVERIFY(r.display);
    QVERIFY(r.acknowledge);
    QCOMPARE(p, want);
    QCOMPARE(t, TelemetryRecord{});
}

void TestDecoder::liveFrame_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<DeliveryKind>("kind");
    QTest::addColumn<TelemetryEdit>("expected");

    QTest::newRow("servo") << bytes("FE18 03E8 0001 07D0 FFFF 0100 0000 0400 0005 034A")
                           << DeliveryKind::Servo << TelemetryEdit([](auto &t) {
                                  set(t.servo, {1000, 1, 2000, 65535, 256, 0, 1024, 5});
                                  t.txVolt = 842;
                              });
    QTest::newRow("status") << bytes("FE19 5A07 007B 1234 FFFE 01020304050607080910")
                            << DeliveryKind::Status << TelemetryEdit([](auto &t) {
                                   t.rssi = 90;
                                   t.statusByte3 = 7;
                                   t.extVolt = 123;
                                   t.statusWord6 = 0x1234;
                                   t.statusWord8 = 0xFFFE;
                               });
    QTest::newRow("other type") << bytes("FE20 03E8 0001 07D0 FFFF 0100 0000 0400 0005 034A")
                                << DeliveryKind::Unrecognised << TelemetryEdit([](auto &) {});
    QTest::newRow("byte 0 not FE") << bytes("FD18 03E8 0001 07D0 FFFF 0100 0000 0400 0005 034A")
                                   << DeliveryKind::Unrecognised << TelemetryEdit([](auto &) {});
}

void TestDecoder::liveFrame()
{
    QFETCH(QByteArray, frame);
    QFETCH(DeliveryKind, kind);
    QFETCH(TelemetryEdit, expected);

    TxParamsRecord p{};
    TelemetryRecord t{}, want{};
    expected(want);
    const protocol::DecodeResult r = protocol::decodeDelivery(frame, p, t);
    QCOMPARE(r.kind, kind);
    QCOMPARE(r.frameNumber, 0);
    QVERIFY(!r.display);
    QVERIFY(r.acknowledge);
    QCOMPARE(t, want);
    QCOMPARE(p, TxParamsRecord{});
}

// Deliveries the decoder must recognise or reject as a whole; a recognised aux
// frame is the only one here that changes a field.
void TestDecoder::deliveryOutcome_data()
{
    QTest::addColumn<QByteArray>("delivery");
    QTest::addColumn<DeliveryKind>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("display");
    QTest::addColumn<RecordEdit>("expected");

    const RecordEdit none = [](auto &) {};
    const QByteArray status = bytes("FE19 5A07 007B 1234 FFFE 01020304050607080910");
    const QByteArray reverse = bytes("FE0044 0101010101010101 FE");

    QTest::newRow("empty") << QByteArray() << DeliveryKind::Empty << 0 << false << none;
    QTest::newRow("unknown code 50")
        << bytes("FE0050 0101010101010101 FE") << DeliveryKind::Settings << 0 << true << none;
    QTest::newRow("no end marker")
        << bytes("FE0044 0101010101010101 00") << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("no start marker")
        << bytes("000044 0101010101010101 FE") << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("11 bytes") << reverse.left(11) << DeliveryKind::Unrecognised << 0 << false
                              << none;
    QTest::newRow("13 bytes") << reverse + 'x' << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("one byte") << bytes("FE") << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("status + settings, 32 bytes")
        << status + reverse << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("two settings frames")
        << reverse + reverse << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("aux, bytes 0 1 7 zero") << bytes("0000AA 04030201 00") << DeliveryKind::Aux << 7
                                           << false << RecordEdit([](auto &p) {
                                                  set(p.aux, {4, 3, 2, 1});
                                              });
    QTest::newRow("aux, bytes 0 1 7 arbitrary") << bytes("FE44AA 00FF0509 FE") << DeliveryKind::Aux
                                                << 7 << false << RecordEdit([](auto &p) {
                                                       set(p.aux, {0, 255, 5, 9});
                                                   });
    QTest::newRow("8 bytes without AA")
        << bytes("FE00A9 04030201 FE") << DeliveryKind::Unrecognised << 0 << false << none;
    QTest::newRow("AA in 12 bytes is a curve frame")
        << bytes("FE00AA 0000000000000000 FE") << DeliveryKind::Settings << 17 << true
        << RecordEdit([](auto &p) { std::fill_n(p.thCurve + 2, 5, 0); });
    QTest::newRow("AA in 12 bytes without markers")
        << bytes("0000AA 0403020100000000 00") << DeliveryKind::Unrecognised << 0 << false << none;
}

void TestDecoder::deliveryOutcome()
{
    QFETCH(QByteArray, delivery);
    QFETCH(DeliveryKind, kind);
    QFETCH(int, number);
    QFETCH(bool, display);
    QFETCH(RecordEdit, expected);

    TxParamsRecord p{}, want{};
    expected(want);
    TelemetryRecord t{};
    const protocol::DecodeResult r = protocol::decodeDelivery(delivery, p, t);
    QCOMPARE(r.kind, kind);
    QCOMPARE(r.frameNumber, number);
    QCOMPARE(r.display, display);
    QCOMPARE(r.acknowledge, !delivery.isEmpty());
    QCOMPARE(p, want);
    QCOMPARE(t, TelemetryRecord{});
}

void TestDecoder::wordReading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("word");

    QTest::newRow("high byte first") << bytes("034A") << 0 << 842;
    QTest::newRow("unsigned") << bytes("00FFFF") << 1 << 65535;
    QTest::newRow("last byte") << bytes("0012") << 1 << 0x1200;
    QTest::newRow("beyond the end") << bytes("0012") << 2 << 0;
    QTest::newRow("before the start") << bytes("0012") << -1 << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0;
}

void TestDecoder::wordReading()
{
    QFETCH(QByteArray, data);
    QFETCH(int, position);
    QFETCH(int, word);
    QCOMPARE(protocol::byteArrayToInt(data, position), word);
}

QTEST_APPLESS_MAIN(TestDecoder)
#include "tst_decoder.moc"
