#include "frames.h"
#include "streamframer.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <QtTest>

// Byte strings in, frames out. Each row is a list of deliveries with their
// times; the line then stays quiet.
struct Delivery {
    QByteArray bytes;
    qint64 atMs;
};
using Deliveries = QList<Delivery>;
Q_DECLARE_METATYPE(Deliveries)

class TestStreamFramer : public QObject
{
    Q_OBJECT

private slots:
    void framesOut_data();
    void framesOut();
    void quietTimeDecides_data();
    void quietTimeDecides();
};

namespace
{

QByteArray servo(int ch3 = 1278) // 0x04FE: a marker inside the frame
{
    TelemetryRecord t;
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000 + 139 * ch;
    t.servo[2] = ch3;
    t.txVolt = 842;
    return protocol::encodeServoFrame(t);
}

QByteArray status()
{
    TelemetryRecord t;
    t.rssi = 160;
    t.extVolt = 123;
    return protocol::encodeStatusFrame(t);
}

TxParamsRecord factory()
{
    TxParamsRecord p;
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    return p;
}

QByteArray aux() { return protocol::encodeAuxFrame(factory()); }
// Sources up to 5 pass the repair, though the form offers 0..4.
QByteArray auxWithSourceFive()
{
    TxParamsRecord p = factory();
    p.aux[0] = 5;
    return protocol::encodeAuxFrame(p);
}
QByteArray settings(quint8 code) { return protocol::encodeSettingsFrame(code, factory()); }

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

// A servo frame whose byte 11 is FE: its first twelve bytes show both
// settings markers, with a code outside the table.
QByteArray servoWithMarkerAt11()
{
    TelemetryRecord t;
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000;
    t.servo[4] = 0x04FE;
    t.txVolt = 842;
    return protocol::encodeServoFrame(t);
}

// The reply to a read: the aux frame, then the settings frames in code order.
QByteArray reply()
{
    QByteArray bytes = aux();
    for (const protocol::SettingsCode &c : protocol::settingsCodes)
        bytes += settings(c.code);
    return bytes;
}

QList<QByteArray> replyFrames()
{
    QList<QByteArray> frames{aux()};
    for (const protocol::SettingsCode &c : protocol::settingsCodes)
        frames.append(settings(c.code));
    return frames;
}

// `bytes` in pieces of `size` bytes, `everyMs` apart: what an FTDI-like
// adapter hands over when its 62-byte packets fill, or at every expiry of its
// latency timer while bytes keep coming.
Deliveries packets(const QByteArray &bytes, int size, int everyMs)
{
    Deliveries out;
    for (int at = 0; at < bytes.size(); at += size)
        out.append({bytes.mid(at, size), qint64(out.size() * everyMs)});
    return out;
}

struct Named {
    const char *name;
    QByteArray frame;
};

QList<Named> kinds()
{
    return {{"servo", servo()},
            {"status", status()},
            {"aux", aux()},
            {"aux with source 5", auxWithSourceFive()},
            {"settings 44", settings(protocol::codeReverse)},
            {"settings AA", settings(protocol::codeCurve)}};
}

// An empty delivery stands for a timer tick.
void feed(StreamFramer &framer, const Deliveries &deliveries)
{
    for (const Delivery &d : deliveries) {
        if (d.bytes.isEmpty())
            framer.idle(d.atMs);
        else
            framer.push(d.bytes, d.atMs);
    }
}

} // namespace

void TestStreamFramer::framesOut_data()
{
    QTest::addColumn<Deliveries>("deliveries");
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<int>("skipped");

    for (const Named &k : kinds()) {
        QTest::addRow("%s whole", k.name)
            << Deliveries{{k.frame, 0}} << QList<QByteArray>{k.frame} << 0;
        for (int at = 1; at < k.frame.size(); ++at)
            QTest::addRow("%s split at %d", k.name, at)
                << Deliveries{{k.frame.left(at), 0}, {k.frame.mid(at), 1}}
                << QList<QByteArray>{k.frame} << 0;
        for (const Named &next : kinds())
            QTest::addRow("%s then %s in one delivery", k.name, next.name)
                << Deliveries{{k.frame + next.frame, 0}} << QList<QByteArray>{k.frame, next.frame}
                << 0;
        QTest::addRow("%s after stray markers", k.name)
            << Deliveries{{hex("fe18aa00") + k.frame, 0}} << QList<QByteArray>{k.frame} << 4;
        QTest::addRow("%s, garbage, servo", k.name)
            << Deliveries{{k.frame + hex("fe00aa"), 0}, {servo(), 1}}
            << QList<QByteArray>{k.frame, servo()} << 3;
    }
    // The head of a frame, cut off: the next frame must not be swallowed.
    const QByteArray cut = servo().left(7);
    QTest::newRow("cut servo, status in the next delivery")
        << Deliveries{{cut, 0}, {status(), 1}} << QList<QByteArray>{status()} << 7;
    QTest::newRow("cut servo, status and aux together")
        << Deliveries{{cut, 0}, {status() + aux(), 1}} << QList<QByteArray>{status(), aux()} << 7;
    QTest::newRow("cut servo, aux after a gap")
        << Deliveries{{cut, 0}, {aux(), 30}} << QList<QByteArray>{aux()} << 7;
    QTest::newRow("cut settings in the same delivery as a status")
        << Deliveries{{settings(protocol::codeDelay).left(5) + status(), 0}}
        << QList<QByteArray>{status()} << 5;
    QTest::newRow("stray bytes and a servo head that look like an aux frame")
        << Deliveries{{hex("9c24aa") + servo().left(6), 0}, {servo().mid(6), 2}}
        << QList<QByteArray>{servo()} << 3;
    QTest::newRow("servo after a stray servo marker")
        << Deliveries{{hex("fe18") + servo(), 0}} << QList<QByteArray>{servo()} << 2;
    // 0x00AA makes bytes 5..12 an aux frame, complete in the first piece.
    const QByteArray auxInside = servo(0xAA);
    QTest::newRow("servo with an aux inside, after garbage, split")
        << Deliveries{{hex("0102") + auxInside.left(14), 0}, {auxInside.mid(14), 2}}
        << QList<QByteArray>{auxInside} << 2;
    // Whole deliveries are taken as the window takes them, odd contents included.
    QByteArray oddAux = hex("fe18aa0102030405");
    QTest::newRow("aux that looks like a servo head, between gaps")
        << Deliveries{{oddAux, 0}, {servo(), 30}} << QList<QByteArray>{oddAux, servo()} << 0;
    QByteArray unknown = settings(protocol::codeReverse);
    unknown[protocol::settingsCodePosition] = char(0x50);
    QTest::newRow("settings with an unknown code")
        << Deliveries{{unknown, 0}, {unknown, 30}} << QList<QByteArray>{unknown, unknown} << 0;
    QTest::newRow("pure garbage") << Deliveries{{hex("0102fe0304"), 0}} << QList<QByteArray>{} << 5;

    // Junk ending in a marker byte: FE, the aux frame and the next junk show
    // both settings markers, with the aux frame's byte 1 as the code.
    const QByteArray settings44 = settings(protocol::codeReverse);
    for (int late : {1, 10})
        QTest::addRow("junk ending in FE before aux and settings, %d ms apart", late)
            << Deliveries{{hex("1337fe") + aux(), 0}, {hex("4242fe") + settings44, late}}
            << QList<QByteArray>{aux(), settings44} << 6;
    QTest::newRow("junk ending in FE before aux and settings, one delivery")
        << Deliveries{{hex("1337fe") + aux() + hex("4242fe") + settings44, 0}}
        << QList<QByteArray>{aux(), settings44} << 6;
    // The curve frame begins like an aux frame; junk after it shows a servo
    // head whose channel words no servo has. Found by fuzzing.
    const QByteArray curve = settings(protocol::codeCurve);
    QTest::newRow("curve frame, junk with a servo head, next frame, a frame's head")
        << Deliveries{{settings(0xA9), 0},
                      {curve + hex("18800080") + settings(0xAB) + hex("0080"), 1}}
        << QList<QByteArray>{settings(0xA9), curve, settings(0xAB)} << 6;
    // Junk whose third byte is AA, before the head of a frame: an aux reading.
    QTest::newRow("junk with AA, settings cut after its fifth byte, 16 ms")
        << Deliveries{{hex("0102aa") + settings44.left(5), 0}, {settings44.mid(5), 16}}
        << QList<QByteArray>{settings44} << 3;
    QTest::newRow("junk with FE 18, servo cut, 16 ms")
        << Deliveries{{hex("fe1801") + servo().left(17), 0}, {servo().mid(17) + aux(), 16}}
        << QList<QByteArray>{servo(), aux()} << 3;
    // FTDI-like cuts through a reply and the live stream.
    QTest::newRow("settings AA cut after its eighth byte, 16 ms")
        << Deliveries{{curve.left(8), 0}, {curve.mid(8) + servo(), 16}}
        << QList<QByteArray>{curve, servo()} << 0;
    const QByteArray fe11 = servoWithMarkerAt11();
    QTest::newRow("servo cut right after an FE at byte 11, 16 ms")
        << Deliveries{{fe11.left(12), 0}, {fe11.mid(12) + status(), 16}}
        << QList<QByteArray>{fe11, status()} << 0;
    QTest::newRow("reply in 62-byte packets") << packets(reply(), 62, 6) << replyFrames() << 0;
    QTest::newRow("reply in 11-byte pieces 1 ms apart")
        << packets(reply(), 11, 1) << replyFrames() << 0;
    QTest::newRow("reply after junk ending in FE, in 62-byte packets")
        << packets(hex("1337fe") + reply(), 62, 6) << replyFrames() << 3;
}

void TestStreamFramer::framesOut()
{
    QFETCH(Deliveries, deliveries);
    QFETCH(QList<QByteArray>, frames);
    QFETCH(int, skipped);

    StreamFramer framer;
    feed(framer, deliveries);
    framer.idle(deliveries.last().atMs + StreamFramer::defaultStaleMs);
    QCOMPARE(framer.takeFrames(), frames);
    QCOMPARE(framer.skippedBytes(), qint64(skipped));
    QCOMPARE(framer.pendingBytes(), 0);
}

// An 8-byte frame starting FE could be the head of a settings frame: the
// next piece or stale quiet time decides, and a partial frame waits for a
// late piece until it goes stale.
void TestStreamFramer::quietTimeDecides_data()
{
    QTest::addColumn<Deliveries>("deliveries");
    QTest::addColumn<qint64>("quietUntil");
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<int>("pending");

    using Frames = QList<QByteArray>;
    const QByteArray curve = settings(protocol::codeCurve); // FE 00 AA ...: an aux head
    const QByteArray head = curve.left(protocol::auxFrameLength);
    const QByteArray servoHead = servo().left(9);
    QTest::newRow("aux-like head, line busy")
        << Deliveries{{head, 0}} << qint64(1) << Frames{} << 8;
    // An adapter's latency timer may hold the rest back past the gap.
    QTest::newRow("aux-like head, gap") << Deliveries{{head, 0}} << qint64(5) << Frames{} << 8;
    QTest::newRow("aux-like head, stale")
        << Deliveries{{head, 0}} << qint64(300) << Frames{head} << 0;
    QTest::newRow("aux-like head, gap, stray bytes")
        << Deliveries{{head, 0}, {hex("4afe19"), 10}} << qint64(10) << Frames{} << 11;
    QTest::newRow("aux-like head, stray bytes, stale")
        << Deliveries{{head, 0}, {hex("4afe19"), 10}} << qint64(310) << Frames{head} << 0;
    QTest::newRow("aux-like head, rest soon")
        << Deliveries{{head, 0}, {curve.mid(8), 2}} << qint64(2) << Frames{curve} << 0;
    // After stray bytes the head is not taken for an aux frame at the gap.
    QTest::newRow("aux-like head after garbage, tick, late rest")
        << Deliveries{{hex("ef") + head, 0}, {{}, 20}, {curve.mid(8), 21}} << qint64(21)
        << Frames{curve} << 0;
    // A latency timer set to 255 ms holds the rest back that long.
    QTest::newRow("servo head, rest after a 255 ms latency")
        << Deliveries{{servoHead, 0}, {{}, 200}, {servo().mid(9), 255}} << qint64(255)
        << Frames{servo()} << 0;
    QTest::newRow("servo head, gap") << Deliveries{{servoHead, 0}} << qint64(250) << Frames{} << 9;
    QTest::newRow("servo head, stale")
        << Deliveries{{servoHead, 0}} << qint64(300) << Frames{} << 0;
}

void TestStreamFramer::quietTimeDecides()
{
    QFETCH(Deliveries, deliveries);
    QFETCH(qint64, quietUntil);
    QFETCH(QList<QByteArray>, frames);
    QFETCH(int, pending);

    StreamFramer framer;
    feed(framer, deliveries);
    framer.idle(quietUntil);
    QCOMPARE(framer.takeFrames(), frames);
    QCOMPARE(framer.pendingBytes(), pending);
}

QTEST_MAIN(TestStreamFramer)
#include "tst_streamframer.moc"
