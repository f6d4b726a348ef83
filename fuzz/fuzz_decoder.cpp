#include "decoder.h"
#include "dualrate.h"
#include "frames.h"
#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <cstring>

// One serial delivery of arbitrary bytes, handled as the window handles it:
// decode into the start-up store, select the dual rate, validate. Then the
// same bytes as a whole record of arbitrary values through the validation.
using protocol::DeliveryKind;
using namespace fuzzchecks;

namespace
{

bool sameTelemetry(const TelemetryRecord &a, const TelemetryRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0; // ints only, no padding
}

// Words are 0..65535 and bytes 0..255 whatever arrives.
void checkTelemetryRanges(const TelemetryRecord &t)
{
    for (int v : t.servo)
        require(v >= 0 && v <= 0xFFFF, "servo output outside a word");
    for (int v : {t.txVolt, t.extVolt, t.statusWord6, t.statusWord8})
        require(v >= 0 && v <= 0xFFFF, "status word outside a word");
    for (int v : {t.rssi, t.statusByte3})
        require(v >= 0 && v <= 0xFF, "status byte outside a byte");
}

void checkResultMatchesDelivery(const QByteArray &in, const protocol::DecodeResult &r)
{
    require(r.acknowledge == !in.isEmpty(), "acknowledgement not tied to a non-empty delivery");
    require(r.display == (r.kind == DeliveryKind::Settings), "display asked for a non-settings");
    switch (r.kind) {
    case DeliveryKind::Empty:
        require(in.isEmpty(), "non-empty delivery taken as empty");
        break;
    case DeliveryKind::Servo:
    case DeliveryKind::Status:
        require(in.size() == protocol::servoFrameLength, "20-byte frame of another length");
        break;
    case DeliveryKind::Aux:
        require(in.size() == protocol::auxFrameLength, "aux frame of another length");
        require(r.frameNumber == protocol::auxFrameNumber, "aux frame number");
        break;
    case DeliveryKind::Settings:
        require(in.size() == protocol::settingsFrameLength, "settings frame of another length");
        require(r.frameNumber == protocol::settingsFrameNumber(quint8(in.at(2))),
                "settings frame number does not follow the code byte");
        break;
    case DeliveryKind::Unrecognised:
        break;
    }
    if (r.kind != DeliveryKind::Aux && r.kind != DeliveryKind::Settings)
        require(r.frameNumber == 0, "frame number for a frame that has none");
}

// Encoding what was decoded gives back the bytes the decoder reads, so the
// two directions agree on every position and offset.
void checkReencoding(const QByteArray &in, const protocol::DecodeResult &r, const TxParamsRecord &p,
                     const TelemetryRecord &t)
{
    switch (r.kind) {
    case DeliveryKind::Servo:
        require(protocol::encodeServoFrame(t) == in, "servo frame does not encode back");
        break;
    case DeliveryKind::Status:
        require(protocol::encodeStatusFrame(t).left(10) == in.left(10),
                "status frame does not encode back");
        break;
    case DeliveryKind::Aux:
        require(protocol::encodeAuxFrame(p).mid(2, 5) == in.mid(2, 5),
                "aux frame does not encode back");
        break;
    case DeliveryKind::Settings:
        if (r.frameNumber != 0) {
            TxParamsRecord again{};
            TelemetryRecord unused{};
            protocol::decodeDelivery(protocol::encodeSettingsFrame(quint8(in.at(2)), p), again,
                                     unused);
            require(again == p, "settings frame does not encode back");
        }
        break;
    default:
        break;
    }
}

void checkOneDelivery(const QByteArray &in)
{
    TxParamsRecord p{};
    TelemetryRecord t{};
    const protocol::DecodeResult r = protocol::decodeDelivery(in, p, t);
    checkResultMatchesDelivery(in, r);
    checkTelemetryRanges(t);
    if (r.kind != DeliveryKind::Servo && r.kind != DeliveryKind::Status)
        require(sameTelemetry(t, TelemetryRecord{}), "telemetry changed by a non-telemetry frame");
    if (r.frameNumber == 0)
        require(p == TxParamsRecord{}, "settings changed by a delivery without a known frame");
    checkReencoding(in, r, p, t);

    params::selectDualRate(p);
    const TxParamsRecord before = p;
    params::validate(p);
    requireNone(validationProblem(before, p));
}

void checkArbitraryRecord(const std::uint8_t *data, std::size_t size)
{
    TxParamsRecord p{};
    FuzzBytes(data, size).fill(p);
    params::selectDualRate(p);
    const TxParamsRecord before = p;
    params::validate(p);
    requireNone(validationProblem(before, p));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkOneDelivery(FuzzBytes(data, size).rest());
    checkArbitraryRecord(data, size);
    return 0;
}
