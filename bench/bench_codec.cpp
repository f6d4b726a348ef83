#include "decoder.h"
#include "dualrate.h"
#include "encoder.h"
#include "frames.h"
#include "streamframer.h"
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

// The stream framer on one read reply (aux and 18 settings frames) and 20
// servo frames: delivered a frame at a time 10 ms apart, as a native USB
// adapter does, or cut into 62-byte packets after junk ending in FE before
// every frame, as an FTDI-like adapter on a noisy line hands it over. The
// figure is per stream of 39 frames.
QByteArray framerStreamFrame(int i)
{
    if (i < 19) {
        const TxParamsRecord p{};
        return i == 0 ? protocol::encodeAuxFrame(p)
                      : protocol::encodeSettingsFrame(protocol::settingsCodes[i - 1].code, p);
    }
    TelemetryRecord t{};
    for (int ch = 0; ch < 8; ++ch)
        t.servo[ch] = 1000 + 37 * ch + i;
    return protocol::encodeServoFrame(t);
}

void framerStream(benchmark::State &state)
{
    const bool cut = state.range(0) != 0;
    QVector<QByteArray> deliveries;
    QByteArray line;
    for (int i = 0; i < 39; ++i) {
        if (cut)
            line += QByteArray::fromHex("1337fe") + framerStreamFrame(i);
        else
            deliveries.append(framerStreamFrame(i));
    }
    for (int at = 0; at < line.size(); at += 62)
        deliveries.append(line.mid(at, 62));
    qint64 now = 0;
    for (auto _ : state) {
        StreamFramer framer;
        for (const QByteArray &d : deliveries)
            framer.push(d, now += 10);
        framer.idle(now += StreamFramer::defaultStaleMs);
        benchmark::DoNotOptimize(framer.takeFrames());
    }
}
BENCHMARK(framerStream)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
