#include "decoder.h"
#include "dualrate.h"
#include "encoder.h"
#include "frames.h"
#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "parameterfile.h"
#include "telemetry.h"
#include "textlayout.h"
#include "textparser.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <algorithm>
#include <climits>
#include <cstring>

// The input is read twice: as the text of a parameter file or received
// frame (Latin-1, as files are read), and as the raw bytes of a settings
// record and a telemetry record whose every field the fuzzer chooses, which
// then go through all the encoders.
using namespace fuzzchecks;

namespace
{

struct FrameKind {
    char letter;
    const char *startup;
    int headLength;
    void (*read)(const QString &, int, TxParamsRecord &);
    void (*build)(const TxParamsRecord &, QString &);
};

const FrameKind frameKinds[] = {
    {'S', protocol::startupFrameTextS, protocol::sFrameHeadLength, protocol::readSFrameFields,
     protocol::buildSFrame},
    {'G', protocol::startupFrameTextG, protocol::gFrameHeadLength, protocol::readGFrameFields,
     protocol::buildGFrame},
    {'H', protocol::startupFrameTextH, protocol::hFrameHeadLength, protocol::readHFrameFields,
     protocol::buildHFrame},
};

const FrameKind *frameKindOf(QChar letter)
{
    for (const FrameKind &k : frameKinds) {
        if (letter == QLatin1Char(k.letter))
            return &k;
    }
    return nullptr;
}

// The load path: parse, select, validate.
void checkParameterText(const QString &text)
{
    TxParamsRecord p{};
    const files::LoadedFrames loaded = files::parseParameterText(text, p);
    if (!loaded.s && !loaded.g && !loaded.h)
        require(p == TxParamsRecord{}, "settings changed although no frame was found");
    require(!(loaded.s || loaded.g) || text.size() >= 2 * files::frameLength,
            "frame read from a text too short to hold two");
    require(!loaded.h || text.size() >= files::fileLength, "H frame read from a short text");
    requireNone(readFieldProblem(p));
    params::selectDualRate(p);
    const TxParamsRecord before = p;
    params::validate(p);
    requireNone(validationProblem(before, p));
}

// The lenient readers take any start, inside the text or not.
void checkReadersAt(const QString &text, int start)
{
    for (const FrameKind &k : frameKinds) {
        TxParamsRecord p{};
        k.read(text, start, p);
        requireNone(readFieldProblem(p));
    }
}

// A frame that passes the strict check, read and rebuilt into itself, stays
// well formed, keeps its tail and carries what was read.
void checkWellFormedFrame(const QString &frame)
{
    const FrameKind *k = frameKindOf(frame.at(0));
    require(k != nullptr, "well-formed frame with an unknown start letter");
    TxParamsRecord sent{};
    k->read(frame, 0, sent);
    QString rebuilt = frame;
    k->build(sent, rebuilt);
    require(rebuilt.size() == protocol::textFrameLength, "rebuilt frame is not 81 characters");
    require(rebuilt.mid(k->headLength) == frame.mid(k->headLength), "rebuilt frame lost its tail");
    require(protocol::isWellFormedFrame(rebuilt), "rebuilt frame is not well formed");
    TxParamsRecord readBack{};
    k->read(rebuilt, 0, readBack);
    requireNone(carriedFieldProblem(sent, readBack));
}

void checkText(const QByteArray &bytes)
{
    const QString text = QString::fromLatin1(bytes);
    checkParameterText(text);

    int arbitraryStart = 0;
    if (bytes.size() >= int(sizeof arbitraryStart))
        std::memcpy(&arbitraryStart, bytes.constData() + bytes.size() - sizeof arbitraryStart,
                    sizeof arbitraryStart);
    const int n = text.size();
    const int starts[] = {0, 81, 162, n - 81, n - 1, n, -1, -80, arbitraryStart, INT_MAX, INT_MIN};
    for (const int *s = std::begin(starts); s != std::end(starts); ++s) {
        if (std::find(std::begin(starts), s, *s) == s) // each start once
            checkReadersAt(text, *s);
    }

    // Every 81-character window up to a bound, so frames anywhere in a
    // longer text get the strict check too.
    const int lastWindow = std::min(n - protocol::textFrameLength, 512);
    for (int i = 0; i <= lastWindow; ++i) {
        if (!frameKindOf(text.at(i)))
            continue;
        const QString window = text.mid(i, protocol::textFrameLength);
        if (protocol::isWellFormedFrame(window))
            checkWellFormedFrame(window);
    }
    if (n != protocol::textFrameLength)
        require(!protocol::isWellFormedFrame(text), "well-formed frame that is not 81 characters");
}

// Text frames from arbitrary values: always 81 characters, the tail kept,
// strictly well formed, and read back as the values each field carries.
void checkTextEncoders(const TxParamsRecord &p)
{
    TxParamsRecord readBack{};
    for (const FrameKind &k : frameKinds) {
        const QString startup = QString::fromLatin1(k.startup);
        QString frame = startup;
        k.build(p, frame);
        require(frame.size() == protocol::textFrameLength, "built frame is not 81 characters");
        require(frame.mid(k.headLength) == startup.mid(k.headLength), "built frame lost its tail");
        require(protocol::isWellFormedFrame(frame), "built frame is not well formed");
        k.read(frame, 0, readBack);
    }
    requireNone(carriedFieldProblem(p, readBack));
}

// Binary frames from arbitrary values: right lengths and markers, decoded
// as what they are, and what was decoded encodes to the same bytes.
void checkTransmitterEncoders(const TxParamsRecord &p, const TelemetryRecord &t, quint8 code)
{
    const QVector<QByteArray> settings = protocol::encodeSettingsFrames(p);
    require(settings.size() == int(protocol::settingsCodes.size()), "not eighteen settings frames");
    TxParamsRecord q{};
    TelemetryRecord u{};
    for (int i = 0; i < settings.size(); ++i) {
        const QByteArray &f = settings.at(i);
        require(f.size() == protocol::settingsFrameLength, "settings frame is not 12 bytes");
        require(quint8(f.at(0)) == protocol::frameMarker &&
                    quint8(f.at(protocol::settingsEndPosition)) == protocol::frameMarker,
                "settings frame markers");
        require(quint8(f.at(protocol::settingsCodePosition)) == protocol::settingsCodes[i].code,
                "settings frame code out of order");
        const protocol::DecodeResult r = protocol::decodeDelivery(f, q, u);
        require(r.kind == protocol::DeliveryKind::Settings &&
                    r.frameNumber == protocol::settingsCodes[i].number,
                "settings frame not decoded as itself");
    }
    require(protocol::encodeSettingsFrames(q) == settings, "settings frames do not encode back");
    require(protocol::encodeSettingsFrame(code, p).isEmpty() ==
                (protocol::settingsFrameNumber(code) == 0),
            "settings frame for a code outside the table");

    const QByteArray aux = protocol::encodeAuxFrame(p);
    require(aux.size() == protocol::auxFrameLength, "aux frame is not 8 bytes");
    require(protocol::decodeDelivery(aux, q, u).kind == protocol::DeliveryKind::Aux, "aux kind");
    require(protocol::encodeAuxFrame(q) == aux, "aux frame does not encode back");

    const QByteArray servo = protocol::encodeServoFrame(t);
    const QByteArray status = protocol::encodeStatusFrame(t);
    require(servo.size() == protocol::servoFrameLength, "servo frame is not 20 bytes");
    require(status.size() == protocol::statusFrameLength, "status frame is not 20 bytes");
    require(protocol::decodeDelivery(servo, q, u).kind == protocol::DeliveryKind::Servo, "servo");
    require(protocol::decodeDelivery(status, q, u).kind == protocol::DeliveryKind::Status,
            "status");
    require(protocol::encodeServoFrame(u) == servo, "servo frame does not encode back");
    require(protocol::encodeStatusFrame(u) == status, "status frame does not encode back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzBytes in(data, size);
    checkText(in.rest());

    FuzzBytes raw(data, size);
    const quint8 code = raw.takeByte();
    TxParamsRecord p{};
    TelemetryRecord t{};
    raw.fill(p);
    raw.fill(t);
    checkTextEncoders(p);
    checkTransmitterEncoders(p, t, code);
    return 0;
}
