#include "decoder.h"
#include "dualrate.h"
#include "encoder.h"
#include "frames.h"
#include "telemetry.h"
#include "transmitterframes.h"
#include "txparams.h"
#include "validation.h"

#include <benchmark/benchmark.h>

namespace
{

// One delivery as the window handles it: decode, then dual-rate selection and
// validation, which run after every delivery.
void handleDelivery(const QByteArray &delivery, TxParamsRecord &p, TelemetryRecord &t)
{
    const protocol::DecodeResult r = protocol::decodeDelivery(delivery, p, t);
    benchmark::DoNotOptimize(r);
    params::selectDualRate(p);
    params::validate(p);
}

void decodeServoFrame(benchmark::State &state)
{
    TelemetryRecord sent;
    for (int ch = 0; ch < 8; ++ch)
        sent.servo[ch] = 1000 + 37 * ch;
    sent.txVolt = 842;
    const QByteArray frame = protocol::encodeServoFrame(sent);
    TxParamsRecord p{};
    TelemetryRecord t{};
    for (auto _ : state) {
        handleDelivery(frame, p, t);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decodeServoFrame);

// Cycles through all eighteen codes, so the figure is their average.
void decodeSettingsFrame(benchmark::State &state)
{
    const QVector<QByteArray> frames = protocol::encodeSettingsFrames(TxParamsRecord{});
    TxParamsRecord p{};
    TelemetryRecord t{};
    int next = 0;
    for (auto _ : state) {
        handleDelivery(frames.at(next), p, t);
        next = (next + 1) % frames.size();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decodeSettingsFrame);

void buildOutboundFrames(benchmark::State &state)
{
    TxParamsRecord p{};
    QString s = QString::fromLatin1(protocol::startupFrameTextS),
            g = QString::fromLatin1(protocol::startupFrameTextG),
            h = QString::fromLatin1(protocol::startupFrameTextH);
    for (auto _ : state) {
        protocol::buildSFrame(p, s);
        protocol::buildGFrame(p, g);
        protocol::buildHFrame(p, h);
        benchmark::DoNotOptimize(s.constData());
        benchmark::DoNotOptimize(g.constData());
        benchmark::DoNotOptimize(h.constData());
    }
}
BENCHMARK(buildOutboundFrames);

} // namespace

BENCHMARK_MAIN();
