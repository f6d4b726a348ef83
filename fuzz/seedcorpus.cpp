#include "encoder.h"
#include "frames.h"
#include "parameterfile.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <QDir>
#include <QFile>

#include <cstdio>

// Writes the seed corpus of the fuzz targets: real frames from the encoders,
// parameter files as a save writes them and as editors mangle them, and the
// tool's writes back to back. Usage: fuzz_seeds <directory>.
namespace
{

bool ok = true;

void put(const QString &dir, const QString &name, const QByteArray &content)
{
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        ok = false;
    }
}

TxParamsRecord factoryRecord()
{
    TxParamsRecord p{};
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    return p;
}

QByteArray frameOf(void (*build)(const TxParamsRecord &, QString &), const char *startup,
                   const TxParamsRecord &p)
{
    QString buffer = QString::fromLatin1(startup);
    build(p, buffer);
    return buffer.toLatin1();
}

struct TextFrames {
    QByteArray s, g, h;
};

TextFrames textFrames(const TxParamsRecord &p)
{
    return {frameOf(protocol::buildSFrame, protocol::startupFrameTextS, p),
            frameOf(protocol::buildGFrame, protocol::startupFrameTextG, p),
            frameOf(protocol::buildHFrame, protocol::startupFrameTextH, p)};
}

// Live values with the channel outputs `step` apart.
TelemetryRecord seedTelemetry(int step)
{
    TelemetryRecord t{};
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000 + step * ch;
    t.txVolt = 842;
    t.rssi = 160;
    t.statusByte3 = 1;
    t.extVolt = 123;
    return t;
}

void decoderSeeds(const QString &dir)
{
    const TelemetryRecord t = seedTelemetry(125);
    const TxParamsRecord p = factoryRecord();
    put(dir, QStringLiteral("servo"), protocol::encodeServoFrame(t));
    put(dir, QStringLiteral("status"), protocol::encodeStatusFrame(t));
    put(dir, QStringLiteral("aux"), protocol::encodeAuxFrame(p));
    for (const protocol::SettingsCode &c : protocol::settingsCodes)
        put(dir,
            QStringLiteral("settings-%1-%2")
                .arg(c.number, 2, 10, QLatin1Char('0'))
                .arg(c.code, 2, 16),
            protocol::encodeSettingsFrame(c.code, p));
    QByteArray unknownCode = protocol::encodeSettingsFrame(protocol::codeReverse, p);
    unknownCode[protocol::settingsCodePosition] = char(0x50);
    put(dir, QStringLiteral("settings-unknown-code"), unknownCode);
    put(dir, QStringLiteral("status-then-settings"),
        protocol::encodeStatusFrame(t) + protocol::encodeSettingsFrame(protocol::codeSubTrim, p));
}

// One event of fuzz_framer's input: quiet-time step (index into its table:
// 0, 1, 2, 4, 5, 10, 30, 60 ms), an optional timer tick, then the delivery.
QByteArray delivery(int quietStep, const QByteArray &bytes, bool tickFirst = false)
{
    return QByteArray(1, char(quietStep | (tickFirst ? 8 : 0))) + char(bytes.size()) + bytes;
}

void framerSeeds(const QString &dir)
{
    const TelemetryRecord t = seedTelemetry(139); // CH3 0x04FE: a marker inside the frame
    const TxParamsRecord p = factoryRecord();
    const QByteArray servo = protocol::encodeServoFrame(t);
    const QByteArray status = protocol::encodeStatusFrame(t);
    const QByteArray aux = protocol::encodeAuxFrame(p);
    const QByteArray curve = protocol::encodeSettingsFrame(protocol::codeCurve, p);
    const QByteArray reverse = protocol::encodeSettingsFrame(protocol::codeReverse, p);
    const int gap = 5;   // 10 ms
    const int soon = 1;  // 1 ms
    const int stale = 7; // 60 ms
    put(dir, QStringLiteral("whole-frames"),
        delivery(gap, servo) + delivery(gap, status) + delivery(gap, aux) + delivery(gap, curve) +
            delivery(gap, reverse));
    put(dir, QStringLiteral("split-frames"),
        delivery(gap, servo.left(7)) + delivery(soon, servo.mid(7)) + delivery(gap, curve.left(8)) +
            delivery(soon, curve.mid(8)) + delivery(gap, aux.left(2)) + delivery(soon, aux.mid(2)));
    put(dir, QStringLiteral("merged-frames"),
        delivery(gap, servo + status) + delivery(gap, curve + aux) +
            delivery(gap, reverse + servo.left(5)) + delivery(soon, servo.mid(5)));
    put(dir, QStringLiteral("garbage-between"),
        delivery(gap, QByteArray::fromHex("fe18aa00") + status) +
            delivery(gap, servo + QByteArray::fromHex("fe00aa")) + delivery(soon, aux));
    put(dir, QStringLiteral("cut-then-whole"),
        delivery(gap, servo.left(7)) + delivery(soon, status) + delivery(gap, curve.left(5)) +
            delivery(stale, aux));
    put(dir, QStringLiteral("timer-ticks"),
        delivery(gap, curve.left(8)) + delivery(gap, QByteArray(), true) +
            delivery(soon, servo.left(9)) + delivery(4, servo.mid(9), true));
    const QByteArray junkFe = QByteArray::fromHex("1337fe");
    put(dir, QStringLiteral("junk-ending-in-fe"),
        delivery(gap, junkFe + aux) + delivery(gap, junkFe + reverse) +
            delivery(soon, junkFe + aux) + delivery(soon, junkFe + reverse));
    const int latency = 6; // 30 ms: an adapter's latency timer past the gap
    put(dir, QStringLiteral("ftdi-cut-curve-after-aux-head"),
        delivery(gap, curve.left(8), true) + delivery(latency, curve.mid(8) + servo, true));
    TelemetryRecord markerAt11 = t;
    markerAt11.servo[4] = 0x04FE;
    const QByteArray servo11 = protocol::encodeServoFrame(markerAt11);
    put(dir, QStringLiteral("ftdi-cut-servo-after-fe"),
        delivery(gap, servo11.left(12), true) + delivery(latency, servo11.mid(12) + status, true));
}

// One run of fuzz_badline's input: frames, each the next frame of a read
// reply (replyFrame) or one of its stream frames (0..5 servo, 6..7 status),
// after junk; then the deliveries as (length - 1, quiet step) pairs over 0,
// 1, 2, 4, 5, 10, 16, 30 ms.
constexpr int replyFrame = 0x80;

struct LineFrame {
    int pick;
    QByteArray junk;
};

QByteArray badLine(const QList<LineFrame> &frames, const QList<QPair<int, int>> &deliveries)
{
    QByteArray input(1, char(frames.size() - 1));
    for (const LineFrame &f : frames)
        input += char(f.pick) + (char(f.junk.size()) + f.junk);
    for (const QPair<int, int> &d : deliveries)
        input += char(d.first - 1) + QByteArray(1, char(d.second));
    return input;
}

void badLineSeeds(const QString &dir)
{
    const QByteArray junkFe = QByteArray::fromHex("1337fe");
    QList<LineFrame> reply;
    for (int i = 0; i < 19; ++i)
        reply.append({replyFrame, i % 3 ? junkFe : QByteArray()});
    put(dir, QStringLiteral("reply-junk-ending-in-fe"),
        badLine(reply, {{64, 0}, {64, 4}, {64, 4}}));
    QList<LineFrame> burst;
    for (int i = 0; i < 19; ++i)
        burst.append({replyFrame, QByteArray()});
    QList<QPair<int, int>> latencyCuts;
    for (int i = 0; i < 30; ++i)
        latencyCuts.append({8, 6}); // eight bytes every 16 ms
    put(dir, QStringLiteral("reply-in-latency-pieces"), badLine(burst, latencyCuts));
    put(dir, QStringLiteral("reply-in-62-byte-packets"),
        badLine(burst, {{62, 0}, {62, 4}, {62, 4}, {62, 4}}));
    QList<LineFrame> interleaved;
    for (int i = 0; i < 16; ++i) // 32 frames, the most an input names
        interleaved << LineFrame{i % 8, QByteArray::fromHex("00aa")} << LineFrame{replyFrame, {}};
    put(dir, QStringLiteral("reply-among-stream-frames"), badLine(interleaved, {{11, 1}, {11, 1}}));
    put(dir, QStringLiteral("stream-with-garbage"),
        badLine({{0, QByteArray::fromHex("fe18aa00")},
                 {6, QByteArray::fromHex("00aa")},
                 {1, QByteArray::fromHex("fe")},
                 {2, QByteArray::fromHex("0102aa")},
                 {3, {}}},
                {{11, 1}, {11, 1}, {11, 1}, {11, 1}, {11, 1}, {11, 1}, {11, 1}}));
}

void textFrameSeeds(const QString &dir)
{
    const TextFrames start = textFrames(TxParamsRecord{});
    const TextFrames factory = textFrames(factoryRecord());
    const QByteArray file = files::parameterFileContent(
        QString::fromLatin1(start.s), QString::fromLatin1(start.g), QString::fromLatin1(start.h));
    put(dir, QStringLiteral("startup-file"), file);
    put(dir, QStringLiteral("factory-file"), factory.s + factory.g + factory.h);
    put(dir, QStringLiteral("startup-buffers"),
        QByteArray(protocol::startupFrameTextS) + protocol::startupFrameTextG +
            protocol::startupFrameTextH);
    put(dir, QStringLiteral("file-with-line-break"), file + "\n");
    put(dir, QStringLiteral("file-with-crlf"), file + "\r\n");
    put(dir, QStringLiteral("frames-on-lines"), start.s + "\n" + start.g + "\n" + start.h + "\n");
    put(dir, QStringLiteral("file-lowercase"), file.toLower());
    put(dir, QStringLiteral("s-frame-only"), start.s);
    put(dir, QStringLiteral("s-and-g-frames"), start.s + start.g + start.h.left(38));
}

void tokenizerSeeds(const QString &dir)
{
    const TextFrames f = textFrames(factoryRecord());
    const QByteArray noCuts(1, '\0');
    const QByteArray write = f.s + f.g + f.h + "WWW";
    put(dir, QStringLiteral("session"), noCuts + "OKRR" + "WWW" + write + "DIS");
    put(dir, QStringLiteral("commands"), noCuts + "OKRRWWWDISWWWRROK");
    put(dir, QStringLiteral("frames-with-line-breaks"),
        noCuts + f.s + "\r\n" + f.g + "\r\n" + f.h + "\r\n");
    put(dir, QStringLiteral("frame-broken-off-by-dis"), noCuts + f.g.left(40) + "DIS" + f.h);
    put(dir, QStringLiteral("garbage-between"), noCuts + "\x01zz" + "OK??" + f.s + "q");
    // Three cuts: 5, 81 and 2 bytes, then the rest.
    put(dir, QStringLiteral("write-in-pieces"), QByteArray("\x03\x05\x51\x02") + write);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    decoderSeeds(root + QStringLiteral("/fuzz_decoder"));
    framerSeeds(root + QStringLiteral("/fuzz_framer"));
    badLineSeeds(root + QStringLiteral("/fuzz_badline"));
    textFrameSeeds(root + QStringLiteral("/fuzz_textframes"));
    tokenizerSeeds(root + QStringLiteral("/fuzz_tokenizer"));
    return ok ? 0 : 1;
}
