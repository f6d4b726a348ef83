#pragma once

#include "encoder.h"
#include "frames.h"
#include "telemetry.h"
#include "txparams.h"

#include <QRandomGenerator>
#include <QtTest>

// Lets QCOMPARE print whole records, so a failure shows which value differs.

inline QString joined(const int *v, int n)
{
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << QString::number(v[i]);
    return parts.join(QLatin1Char(','));
}

template <std::size_t N> QString joined(const int (&v)[N]) { return joined(v, int(N)); }

inline char *toString(const TxParamsRecord &p)
{
    QString s = QStringLiteral("rev %1 trim %2 epaL %3 epaR %4 fs %5 delay %6 aux %7 ")
                    .arg(joined(p.rev), joined(p.subTrim), joined(p.epaLeft), joined(p.epaRight),
                         joined(p.failSafe), joined(p.delay), joined(p.aux));
    const int dr[] = {p.drMix, p.drChannel, p.drSwitch, p.drPosition,
                      p.drUp,  p.drDown,    p.drRate,   p.drExp};
    s += QStringLiteral("dr %1|%2|%3|%4|%5 atti %6/%7 elev %8/%9 vtail %10/%11 ")
             .arg(joined(dr), joined(p.drUpCh), joined(p.drDownCh), joined(p.drExpUpCh),
                  joined(p.drExpDownCh))
             .arg(p.attiMode)
             .arg(joined(p.atti))
             .arg(p.elevMix)
             .arg(joined(p.elev))
             .arg(p.vtailMix)
             .arg(joined(p.vtail));
    for (const ProgMix &m : p.prm)
        s += QStringLiteral("prm %1,%2,%3:%4 ")
                 .arg(m.mix)
                 .arg(m.master)
                 .arg(m.slave)
                 .arg(joined(m.data));
    s += QStringLiteral("curve %1/%2/%3 stick %4 alarm %5/%6 fw %7 extra %8/%9/%10")
             .arg(p.thCurveMix)
             .arg(p.thCurveExtra)
             .arg(joined(p.thCurve))
             .arg(p.stickMode)
             .arg(p.alarmVoltRaw)
             .arg(p.alarmVolt)
             .arg(p.firmwareVersion)
             .arg(p.extraWord)
             .arg(p.extraWordScaled)
             .arg(p.extraSigned);
    return qstrdup(s.toLatin1().constData());
}

inline bool operator==(const TelemetryRecord &a, const TelemetryRecord &b)
{
    return std::equal(std::begin(a.servo), std::end(a.servo), std::begin(b.servo)) &&
           a.txVolt == b.txVolt && a.rssi == b.rssi && a.statusByte3 == b.statusByte3 &&
           a.extVolt == b.extVolt && a.statusWord6 == b.statusWord6 &&
           a.statusWord8 == b.statusWord8;
}

inline char *toString(const TelemetryRecord &t)
{
    const int rest[] = {t.txVolt, t.rssi, t.statusByte3, t.extVolt, t.statusWord6, t.statusWord8};
    return qstrdup(
        QStringLiteral("servo %1 rest %2").arg(joined(t.servo), joined(rest)).toLatin1());
}

// Sets the leading elements of a field array.
template <std::size_t N> void set(int (&fields)[N], std::initializer_list<int> values)
{
    std::copy(values.begin(), values.end(), fields);
}

// A change applied to a record, to describe an expected outcome or an input.
using RecordEdit = std::function<void(TxParamsRecord &)>;
using TelemetryEdit = std::function<void(TelemetryRecord &)>;
Q_DECLARE_METATYPE(RecordEdit)
Q_DECLARE_METATYPE(TelemetryEdit)

// The S, G and H frames of p, each built into its start-up buffer.
inline QStringList buildFrames(const TxParamsRecord &p)
{
    QString s = QString::fromLatin1(protocol::startupFrameTextS);
    QString g = QString::fromLatin1(protocol::startupFrameTextG);
    QString h = QString::fromLatin1(protocol::startupFrameTextH);
    protocol::buildSFrame(p, s);
    protocol::buildGFrame(p, g);
    protocol::buildHFrame(p, h);
    return {s, g, h};
}

// A record inside every validated range; with textLimits also inside what the
// text frames can carry (mix channels up to 9, extraWord up to 999).
inline TxParamsRecord randomRecord(QRandomGenerator &g, bool textLimits)
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
    p.alarmVoltRaw = one(0, 239);
    p.alarmVolt = p.alarmVoltRaw / 10.0;
    p.firmwareVersion = one(0, 65535);
    p.extraWord = one(0, textLimits ? 999 : 1000);
    p.extraWordScaled = p.extraWord / 10.0;
    p.extraSigned = one(-100, 0);
    return p;
}
