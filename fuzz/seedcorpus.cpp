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

void decoderSeeds(const QString &dir)
{
    TelemetryRecord t{};
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000 + 125 * ch;
    t.txVolt = 842;
    t.rssi = 160;
    t.statusByte3 = 1;
    t.extVolt = 123;
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
    textFrameSeeds(root + QStringLiteral("/fuzz_textframes"));
    tokenizerSeeds(root + QStringLiteral("/fuzz_tokenizer"));
    return ok ? 0 : 1;
}
