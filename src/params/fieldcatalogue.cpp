#include "fieldcatalogue.h"

#include "txparams.h"

namespace params
{
namespace
{

const QStringList offOn{"off", "on"};
const QStringList channels8{"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};

// Adds fields on one page and in one group box; offsets are taken from a
// prototype record, so a field is reached the same way in every record.
class Builder
{
public:
    explicit Builder(QVector<Field> &out) : out(out) {}

    Builder &at(Page p, const QString &g)
    {
        page = p;
        group = g;
        return *this;
    }
    void add(int &field, const QString &name, const QString &label, const QString &unit = {},
             const QStringList &choices = {}, int divisor = 1)
    {
        Field f;
        f.name = name;
        f.label = label;
        f.page = page;
        f.group = group;
        f.unit = unit;
        f.divisor = divisor;
        f.choices = choices;
        f.offset = reinterpret_cast<const char *>(&field) - reinterpret_cast<const char *>(&proto);
        out.append(f);
    }
    // One field per channel: names "ch1.<suffix>" ..., labels "CH1 <label>" ...
    template <std::size_t N>
    void perChannel(int (&fields)[N], const QString &suffix, const QString &label,
                    const QString &unit = {}, const QStringList &choices = {}, int first = 1)
    {
        for (std::size_t i = 0; i < N; ++i) {
            const int ch = int(i) + first;
            add(fields[i], QStringLiteral("ch%1.%2").arg(ch).arg(suffix),
                QStringLiteral("CH%1 %2").arg(ch).arg(label), unit, choices);
        }
    }
    // Numbered fields: names "<prefix>1" ..., labels "<label> 1" ...
    template <std::size_t N>
    void numbered(int (&fields)[N], const QString &prefix, const QString &label,
                  const QString &unit = {})
    {
        for (std::size_t i = 0; i < N; ++i)
            add(fields[i], prefix + QString::number(i + 1),
                QStringLiteral("%1 %2").arg(label).arg(i + 1), unit);
    }
    void mix(int k, Page p, const QString &g)
    {
        at(p, g);
        const QString n = QStringLiteral("mix%1.").arg(k + 1);
        const QString l = QStringLiteral("mix %1 ").arg(k + 1);
        ProgMix &m = proto.prm[k];
        add(m.mix, n + "state", l + "state", {}, {"inhibited", "off", "on"});
        add(m.master, n + "master", l + "master channel", {}, channels8);
        add(m.slave, n + "slave", l + "slave channel", {}, channels8);
        add(m.data[0], n + "offset", l + "offset", "%");
        add(m.data[1], n + "upper", l + "upper-side rate", "%");
        add(m.data[2], n + "lower", l + "lower-side rate", "%");
    }

    TxParamsRecord proto;

private:
    QVector<Field> &out;
    Page page = Page::Basic;
    QString group;
};

QVector<Field> buildCatalogue()
{
    QVector<Field> c;
    Builder b(c);
    TxParamsRecord &p = b.proto;

    b.at(Page::Basic, "servo phase")
        .perChannel(p.rev, "reverse", "phase", {}, {"normal", "reversed"});
    b.at(Page::Basic, "centre trim").perChannel(p.subTrim, "subtrim", "sub-trim", "%");
    b.at(Page::Basic, "servo travel").perChannel(p.epaLeft, "travel_left", "travel left", "%");
    b.perChannel(p.epaRight, "travel_right", "travel right", "%");
    b.at(Page::Basic, "fail-safe").perChannel(p.failSafe, "failsafe", "fail-safe", "%");
    b.at(Page::Basic, "servo delay").perChannel(p.delay, "delay", "delay", "%");
    b.at(Page::Basic, "auxiliary channel")
        .perChannel(p.aux, "source", "source", {}, {"SwA", "SwB", "VrA", "VrB", "NULL"}, 5);

    b.at(Page::Advanced1, "dual-rate settings");
    b.add(p.drMix, "dualrate.mix", "dual-rate mix", {}, offOn);
    b.add(p.drChannel, "dualrate.channel", "dual-rate channel shown", {},
          {"CH1", "CH2", "CH3", "CH4"});
    b.add(p.drSwitch, "dualrate.switch", "dual-rate switch", {}, {"SWA"});
    b.add(p.drUp, "dualrate.up", "dual rate up, channel shown", "%");
    b.add(p.drDown, "dualrate.down", "dual rate down, channel shown", "%");
    b.at(Page::Advanced1, "parameter settings");
    b.add(p.alarmVoltRaw, "alarm_voltage", "alarm voltage", "V", {}, 10);
    b.add(p.stickMode, "stick_mode", "stick mode");
    b.add(p.firmwareVersion, "firmware_version", "firmware version");
    b.at(Page::Advanced1, "attitude selection");
    b.add(p.attiMode, "attitude.channel", "attitude channel", {},
          {"CH5", "CH6", "CH7", "CH8", "off"});
    b.numbered(p.atti, "attitude.", "attitude", "%");
    b.at(Page::Advanced1, "elevon mix");
    b.add(p.elevMix, "elevon.mix", "elevon mix", {}, offOn);
    b.numbered(p.elev, "elevon.", "elevon rate", "%");
    b.at(Page::Advanced1, "V-tail mix");
    b.add(p.vtailMix, "vtail.mix", "V-tail mix", {}, offOn);
    b.numbered(p.vtail, "vtail.", "V-tail rate", "%");
    b.mix(0, Page::Advanced1, "programmable mix 1");
    b.mix(1, Page::Advanced1, "programmable mix 2");

    b.mix(2, Page::Advanced2, "programmable mix 3");
    b.at(Page::Advanced2, "dual-rate curve");
    b.add(p.drPosition, "dualrate.position", "dual-rate position shown", {}, {"UP", "DOWN"});
    for (int ch = 0; ch < 4; ++ch) {
        const QString n = QStringLiteral("dualrate.ch%1.").arg(ch + 1);
        const QString l = QStringLiteral("CH%1 ").arg(ch + 1);
        b.add(p.drUpCh[ch], n + "up", l + "rate up", "%");
        b.add(p.drDownCh[ch], n + "down", l + "rate down", "%");
        b.add(p.drExpUpCh[ch], n + "expo_up", l + "exponential up", "%");
        b.add(p.drExpDownCh[ch], n + "expo_down", l + "exponential down", "%");
    }

    b.mix(3, Page::Advanced3, "programmable mix 4");
    b.at(Page::Advanced3, "throttle curve");
    b.add(p.thCurveMix, "throttle_curve.mix", "throttle curve", {}, offOn);
    b.numbered(p.thCurve, "throttle_curve.point", "throttle curve point", "%");

    b.at(Page::NoEditor, "carried unchanged");
    b.add(p.thCurveExtra, "throttle_curve.extra", "throttle curve extra value");
    b.add(p.extraWord, "extra.word", "extra word");
    b.add(p.extraSigned, "extra.signed", "extra signed value");
    return c;
}

} // namespace

int &Field::ref(TxParamsRecord &p) const
{
    return *reinterpret_cast<int *>(reinterpret_cast<char *>(&p) + offset);
}

int Field::value(const TxParamsRecord &p) const
{
    return *reinterpret_cast<const int *>(reinterpret_cast<const char *>(&p) + offset);
}

QString Field::text(int v) const
{
    if (!choices.isEmpty()) {
        return v >= 0 && v < choices.size() ? choices.at(v)
                                            : QStringLiteral("%1 (no such item)").arg(v);
    }
    const QString number =
        divisor == 1 ? QString::number(v) : QString::number(double(v) / divisor, 'f', 1);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

const QVector<Field> &fieldCatalogue()
{
    static const QVector<Field> catalogue = buildCatalogue();
    return catalogue;
}

const Field *findField(const QString &name)
{
    for (const Field &f : fieldCatalogue()) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

QString pageTitle(Page page)
{
    switch (page) {
    case Page::Basic:
        return QStringLiteral("Basic menu");
    case Page::Advanced1:
        return QStringLiteral("Advanced menu 1");
    case Page::Advanced2:
        return QStringLiteral("Advanced menu 2");
    case Page::Advanced3:
        return QStringLiteral("Advanced menu 3");
    case Page::NoEditor:
        break;
    }
    return QStringLiteral("Without an editor");
}

QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b)
{
    return changedFields(a, b, [](const Field &) { return true; });
}

} // namespace params
