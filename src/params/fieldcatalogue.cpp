#include "fieldcatalogue.h"

#include "dualrate.h"
#include "txparams.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace params
{
namespace
{

void plainStore(TxParamsRecord &p, const Field &f, double v) { f.setNumber(p, v); }
void storeAndSelect(TxParamsRecord &p, const Field &f, double v)
{
    f.setNumber(p, v);
    selectDualRate(p);
}
void storeAlarmVolts(TxParamsRecord &p, const Field &, double v)
{
    // The transmitter and the file take the threshold in tenths of a volt,
    // so an edit must reach that field too, or it would never be sent.
    p.alarmVolt = v;
    p.alarmVoltRaw = int(std::lround(v * 10.0));
}
void storeAlarmTenths(TxParamsRecord &p, const Field &, double v)
{
    p.alarmVoltRaw = int(v);
    p.alarmVolt = p.alarmVoltRaw / 10.0;
}
void storeExtraWord(TxParamsRecord &p, const Field &, double v)
{
    p.extraWord = int(v);
    p.extraWordScaled = p.extraWord / 10.0;
}

// Adds rows on one page and in one group box. Offsets are taken from a
// zeroed record, so a field is reached the same way in every record. Each
// row (or each run of rows perChannel() and numbered() add) states its own
// range, factory group and description with accept(), and its unit and items
// with shown(); add() uses them up, so a row never takes over what the row
// before it said. A row without accept() stops the program at start.
class Builder
{
public:
    explicit Builder(QVector<Field> &out) : out(out) {}

    TxParamsRecord proto{TxParamsRecord::Zeroed{}};

    Builder &at(Page p, const QString &g)
    {
        page = p;
        group = g;
        return *this;
    }
    Builder &accept(double lo, double hi, FactoryGroup g, const char *text)
    {
        pending.min = lo;
        pending.max = hi;
        pending.factoryGroup = g;
        pending.description = text;
        accepted = true;
        return *this;
    }
    Builder &shown(const QString &u, const QStringList &items = {}, int div = 1)
    {
        pending.unit = u;
        pending.choices = items;
        pending.divisor = div;
        return *this;
    }

    // One row; `editor` is the object name of the form's editor, if any.
    Field &add(void *field, const QString &name, const char *label, double start,
               const QString &editor = {}, StoreRule rule = plainStore)
    {
        Field &f = row(field, name, label, 0, start, editor, rule);
        done();
        return f;
    }
    Field &add(int &field, const QString &name, const char *label, double start,
               const QString &editor = {}, StoreRule rule = plainStore)
    {
        return add(static_cast<void *>(&field), name, label, start, editor, rule);
    }
    Field &add(double &field, const QString &name, const char *label, double start,
               const QString &editor, StoreRule rule)
    {
        Field &f = add(static_cast<void *>(&field), name, label, start, editor, rule);
        f.isDouble = true;
        f.listed = false;
        return f;
    }
    // A further editor of the same field, on another page.
    static void also(Field &f, const QString &editor, Page p, const QString &g, StoreRule rule)
    {
        if (f.editors.isEmpty()) {
            f.editor = editor;
            f.tab = tabName(p);
        }
        f.editors.append({editor, tabName(p), g, rule});
    }

    // The rows added since accept() are complete: the next row states its own.
    void done()
    {
        pending = Field();
        accepted = false;
    }

    // One row per channel: names "ch1.<suffix>" ..., labels `label`.arg(1)
    // ("CH%1 delay"), editors `editor`.arg(1) ...; one start value for all
    // or one each.
    template <std::size_t N>
    void perChannel(int (&fields)[N], const QString &suffix, const char *label,
                    const QString &editor, std::initializer_list<int> starts, int first = 1)
    {
        for (std::size_t i = 0; i < N; ++i) {
            const int ch = int(i) + first;
            row(&fields[i], QStringLiteral("ch%1.%2").arg(ch).arg(suffix), label, ch,
                startOf(starts, i), editor.arg(ch));
        }
        done();
    }
    // Numbered rows: names "<prefix>1" ..., labels `label`.arg(1) ...
    template <std::size_t N>
    void numbered(int (&fields)[N], const QString &prefix, const char *label, const QString &editor,
                  std::initializer_list<int> starts)
    {
        for (std::size_t i = 0; i < N; ++i)
            row(&fields[i], prefix + QString::number(i + 1), label, int(i) + 1, startOf(starts, i),
                editor.arg(i + 1));
        done();
    }
    void channelRow(int *field, const QString &name, const char *label, int ch, int start)
    {
        row(field, name, label, ch + 1, start, {});
        done();
    }
    void mix(int k, Page p, const QString &g, FactoryGroup factory)
    {
        static const QStringList channels8{"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};
        at(p, g);
        const QString n = QStringLiteral("mix%1.").arg(k + 1);
        const QString e = QStringLiteral("PRM0%1_").arg(k + 1);
        ProgMix &m = proto.prm[k];
        accept(0, 2, factory,
               QT_TRANSLATE_NOOP("params::Field", "State of the programmable mix: inhibited, "
                                                  "switched off or switched on."))
            .shown({}, {QT_TRANSLATE_NOOP("params::Field", "inhibited"),
                        QT_TRANSLATE_NOOP("params::Field", "off"),
                        QT_TRANSLATE_NOOP("params::Field", "on")});
        mixRow(&m.mix, n + "state", QT_TRANSLATE_NOOP("params::Field", "mix %1 state"), k, 0,
               "comboBox_" + e + "Mix");
        accept(0, 10, factory,
               QT_TRANSLATE_NOOP("params::Field", "Channel whose stick drives the mix."))
            .shown({}, channels8);
        // The repair keeps channel 10, which a text frame's one digit cannot carry.
        mixRow(&m.master, n + "master", QT_TRANSLATE_NOOP("params::Field", "mix %1 master channel"),
               k, k % 2, "comboBox_" + e + "Master")
            .settableMax = 9;
        accept(0, 10, factory, QT_TRANSLATE_NOOP("params::Field", "Channel the mix moves as well."))
            .shown({}, channels8);
        mixRow(&m.slave, n + "slave", QT_TRANSLATE_NOOP("params::Field", "mix %1 slave channel"), k,
               k % 2 ? 5 : 3, "comboBox_" + e + "Slave")
            .settableMax = 9;
        const char *const rates[] = {"offset", "upper", "lower"};
        const char *const rateLabels[] = {
            QT_TRANSLATE_NOOP("params::Field", "mix %1 offset"),
            QT_TRANSLATE_NOOP("params::Field", "mix %1 upper-side rate"),
            QT_TRANSLATE_NOOP("params::Field", "mix %1 lower-side rate")};
        for (int d = 0; d < 3; ++d) {
            accept(-100, 100, factory,
                   QT_TRANSLATE_NOOP("params::Field", "Offset, upper-side and lower-side rate of "
                                                      "the mix, in percent."))
                .shown("%");
            mixRow(&m.data[d], n + rates[d], rateLabels[d], k, 0,
                   QStringLiteral("spinBox_%1Data%2").arg(e).arg(d + 1));
        }
    }

private:
    Field &mixRow(int *field, const QString &name, const char *label, int k, int start,
                  const QString &editor)
    {
        Field &f = row(field, name, label, k + 1, start, editor);
        done();
        return f;
    }

    // `label` is English, marked for translation; with a `number` it holds
    // a "%1" for it.
    Field &row(void *field, const QString &name, const char *label, int number, double start,
               const QString &editor, StoreRule rule = plainStore)
    {
        if (!accepted)
            qFatal("field catalogue: the row %s states no range, factory group and description",
                   qPrintable(name));
        Field f = pending;
        f.name = name;
        f.labelSource = label;
        f.labelNumber = number;
        f.label = number ? QString::fromLatin1(label).arg(number) : QString::fromLatin1(label);
        f.page = page;
        f.group = group;
        f.repair = f.factory = start;
        f.settableMax = f.max;
        f.storeRule = rule;
        f.offset = static_cast<const char *>(field) - reinterpret_cast<const char *>(&proto);
        if (!editor.isEmpty())
            also(f, editor, page, group, rule);
        out.append(f);
        return out.last();
    }

    static int startOf(std::initializer_list<int> starts, std::size_t i)
    {
        return starts.size() == 1 ? *starts.begin() : *(starts.begin() + i);
    }

    QVector<Field> &out;
    Page page = Page::Basic;
    QString group;
    Field pending; // what accept() and shown() said for the next row
    bool accepted = false;
};

void editUp(TxParamsRecord &p, const Field &, double v) { editDualRateUp(p, int(v)); }
void editDown(TxParamsRecord &p, const Field &, double v) { editDualRateDown(p, int(v)); }
void editRate(TxParamsRecord &p, const Field &, double v) { editDualRateRate(p, int(v)); }
void editExp(TxParamsRecord &p, const Field &, double v) { editDualRateExp(p, int(v)); }

QVector<Field> buildCatalogue()
{
    using G = FactoryGroup;
    const QStringList offOn{QT_TRANSLATE_NOOP("params::Field", "off"),
                            QT_TRANSLATE_NOOP("params::Field", "on")};
    QVector<Field> c;
    Builder b(c);
    TxParamsRecord &p = b.proto;

    b.at(Page::Basic, "servo phase")
        .accept(0, 1, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Direction the channel's servo turns."))
        .shown({}, {QT_TRANSLATE_NOOP("params::Field", "normal"),
                    QT_TRANSLATE_NOOP("params::Field", "reversed")});
    b.perChannel(p.rev, "reverse", QT_TRANSLATE_NOOP("params::Field", "CH%1 phase"),
                 "comboBox_rev%1", {0, 0, 1, 0, 0, 0, 0, 0});
    b.at(Page::Basic, "centre trim")
        .accept(-100, 100, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Shift of the servo's centre, in percent."))
        .shown("%");
    b.perChannel(p.subTrim, "subtrim", QT_TRANSLATE_NOOP("params::Field", "CH%1 sub-trim"),
                 "spinBox_sub%1", {0});
    const auto travel = [&b] {
        b.at(Page::Basic, "servo travel")
            .accept(0, 120, G::One,
                    QT_TRANSLATE_NOOP("params::Field",
                                      "How far the servo may travel to this side, in percent."))
            .shown("%");
    };
    travel();
    b.perChannel(p.epaLeft, "travel_left", QT_TRANSLATE_NOOP("params::Field", "CH%1 travel left"),
                 "spinBox_Lepa%1", {96});
    travel();
    b.perChannel(p.epaRight, "travel_right",
                 QT_TRANSLATE_NOOP("params::Field", "CH%1 travel right"), "spinBox_Repa%1", {96});
    b.at(Page::Basic, "fail-safe")
        .accept(0, 100, G::One,
                QT_TRANSLATE_NOOP("params::Field",
                                  "Position the servo takes when the signal is lost, in "
                                  "percent."))
        .shown("%");
    b.perChannel(p.failSafe, "failsafe", QT_TRANSLATE_NOOP("params::Field", "CH%1 fail-safe"),
                 "spinBox_FS%1", {50, 50, 0, 50, 50, 50, 50, 50});
    b.at(Page::Basic, "servo delay")
        .accept(0, 100, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Slows the servo's movement, in percent."))
        .shown("%");
    b.perChannel(p.delay, "delay", QT_TRANSLATE_NOOP("params::Field", "CH%1 delay"),
                 "spinBox_delay%1", {100});
    b.at(Page::Basic, "auxiliary channel")
        .accept(0, 5, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Switch or knob that drives the channel."))
        .shown({}, {"SwA", "SwB", "VrA", "VrB", "NULL"});
    b.perChannel(p.aux, "source", QT_TRANSLATE_NOOP("params::Field", "CH%1 source"),
                 "comboBox_AUX%1", {1, 3, 0, 2}, 5);

    const QString drCurve = QStringLiteral("dual-rate curve");
    b.at(Page::Advanced1, "dual-rate settings")
        .accept(0, 1, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Switches the dual rates on or off."))
        .shown({}, offOn);
    Builder::also(b.add(p.drMix, "dualrate.mix",
                        QT_TRANSLATE_NOOP("params::Field", "dual-rate mix"), 0, "comboBox_DR_MIX1"),
                  "comboBox_DR_MIX2", Page::Advanced2, drCurve, plainStore);
    b.accept(
         0, 4, G::One,
         QT_TRANSLATE_NOOP("params::Field", "Channel whose dual rates the page shows and edits."))
        .shown({}, {"CH1", "CH2", "CH3", "CH4"});
    // Only the box beside the rates re-selects at once; the other one's
    // channel follows on the next display refresh, through this box.
    Builder::also(b.add(p.drChannel, "dualrate.channel",
                        QT_TRANSLATE_NOOP("params::Field", "dual-rate channel shown"), 0,
                        "comboBox_DR_CH1", storeAndSelect),
                  "comboBox_DR_CH2", Page::Advanced2, drCurve, plainStore);
    b.accept(0, 2, G::One, QT_TRANSLATE_NOOP("params::Field", "Switch that selects the dual rate."))
        .shown({}, {"SWA"});
    Field &sw = b.add(p.drSwitch, "dualrate.switch",
                      QT_TRANSLATE_NOOP("params::Field", "dual-rate switch"), 0);
    Builder::also(sw, "comboBox_DR_SW1", Page::Advanced1, "dual-rate settings", nullptr);
    Builder::also(sw, "comboBox_DR_SW2", Page::Advanced2, drCurve, plainStore);
    b.accept(0, 100, G::One,
             QT_TRANSLATE_NOOP("params::Field",
                               "Rate of the channel shown with the switch up, in percent."))
        .shown("%");
    b.add(p.drUp, "dualrate.up", QT_TRANSLATE_NOOP("params::Field", "dual rate up, channel shown"),
          100, "spinBox_DR_UP1", editUp);
    b.accept(0, 100, G::One,
             QT_TRANSLATE_NOOP("params::Field",
                               "Rate of the channel shown with the switch down, in percent."))
        .shown("%");
    b.add(p.drDown, "dualrate.down",
          QT_TRANSLATE_NOOP("params::Field", "dual rate down, channel shown"), 100,
          "spinBox_DR_DOWN1", editDown);

    // The S frame carries the threshold as two hexadecimal characters, so at
    // most 239 tenths: a higher value could only be sent changed.
    b.at(Page::Advanced1, "parameter settings")
        .accept(0, 239, G::One,
                QT_TRANSLATE_NOOP("params::Field",
                                  "Transmitter voltage below which it sounds the alarm."))
        .shown("V", {}, 10);
    b.add(p.alarmVoltRaw, "alarm_voltage", QT_TRANSLATE_NOOP("params::Field", "alarm voltage"), 37,
          {}, storeAlarmTenths);
    b.accept(
         0, 23.9, G::One,
         QT_TRANSLATE_NOOP("params::Field", "Transmitter voltage below which it sounds the alarm."))
        .shown("V");
    b.add(p.alarmVolt, "alarm_voltage.edited",
          QT_TRANSLATE_NOOP("params::Field", "alarm voltage as edited"), 0.0, "doubleSpinBox_Volt",
          storeAlarmVolts)
        .factory = 3.7;
    b.accept(0, 4, G::One, QT_TRANSLATE_NOOP("params::Field", "Which stick works which channel."))
        .shown({});
    b.add(p.stickMode, "stick_mode", QT_TRANSLATE_NOOP("params::Field", "stick mode"), 1,
          "spinBox_Mode")
        .factory = 2;
    b.accept(0, 1000, G::None,
             QT_TRANSLATE_NOOP("params::Field", "Firmware version the transmitter reports."));
    b.add(p.firmwareVersion, "firmware_version",
          QT_TRANSLATE_NOOP("params::Field", "firmware version"), 0, "spinBox_Vertion");

    b.at(Page::Advanced1, "attitude selection")
        .accept(0, 5, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Channel that selects the attitude, or off."))
        .shown({}, {"CH5", "CH6", "CH7", "CH8", QT_TRANSLATE_NOOP("params::Field", "off")});
    b.add(p.attiMode, "attitude.channel", QT_TRANSLATE_NOOP("params::Field", "attitude channel"), 4,
          "comboBox_AttiM");
    b.accept(0, 100, G::One,
             QT_TRANSLATE_NOOP("params::Field", "Output of the attitude position, in percent."))
        .shown("%");
    b.numbered(p.atti, "attitude.", QT_TRANSLATE_NOOP("params::Field", "attitude %1"),
               "spinBox_Atti%1", {14, 29, 44, 56, 69, 88});

    b.at(Page::Advanced1, "elevon mix")
        .accept(0, 1, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Switches the elevon mix on or off."))
        .shown({}, offOn);
    b.add(p.elevMix, "elevon.mix", QT_TRANSLATE_NOOP("params::Field", "elevon mix"), 0,
          "comboBox_EleMix");
    b.accept(-100, 100, G::One,
             QT_TRANSLATE_NOOP("params::Field", "Rate of the elevon mix, in percent."))
        .shown("%");
    b.numbered(p.elev, "elevon.", QT_TRANSLATE_NOOP("params::Field", "elevon rate %1"),
               "spinBox_Elev0%1", {100, 100, 100, -100, 100, 100});

    b.at(Page::Advanced1, "V-tail mix")
        .accept(0, 1, G::One,
                QT_TRANSLATE_NOOP("params::Field", "Switches the V-tail mix on or off."))
        .shown({}, offOn);
    b.add(p.vtailMix, "vtail.mix", QT_TRANSLATE_NOOP("params::Field", "V-tail mix"), 0,
          "comboBox_RuMix");
    b.accept(-100, 100, G::One,
             QT_TRANSLATE_NOOP("params::Field", "Rate of the V-tail mix, in percent."))
        .shown("%");
    b.numbered(p.vtail, "vtail.", QT_TRANSLATE_NOOP("params::Field", "V-tail rate %1"),
               "spinBox_Ru%1", {50, -50, 50, 50});
    b.mix(0, Page::Advanced1, "programmable mix 1", G::One);
    b.mix(1, Page::Advanced1, "programmable mix 2", G::One);

    b.mix(2, Page::Advanced2, "programmable mix 3", G::Two);
    b.at(Page::Advanced2, drCurve)
        .accept(0, 4, G::Two,
                QT_TRANSLATE_NOOP("params::Field",
                                  "Switch position whose rate and exponential the curve shows."))
        .shown({}, {"UP", "DOWN"});
    b.add(p.drPosition, "dualrate.position",
          QT_TRANSLATE_NOOP("params::Field", "dual-rate position shown"), 0, "comboBox_DR_POSI",
          storeAndSelect);
    b.accept(0, 100, G::None,
             QT_TRANSLATE_NOOP("params::Field",
                               "Rate of the channel and switch position shown, in percent."))
        .shown("%");
    b.add(p.drRate, "dualrate.rate",
          QT_TRANSLATE_NOOP("params::Field", "dual rate, channel and position shown"), 100,
          "spinBox_DR_RATE", editRate)
        .listed = false;
    b.accept(-100, 100, G::Two,
             QT_TRANSLATE_NOOP("params::Field",
                               "Exponential of the channel and switch position shown, in "
                               "percent."))
        .shown("%");
    b.add(p.drExp, "dualrate.expo",
          QT_TRANSLATE_NOOP("params::Field", "exponential, channel and position shown"), 0,
          "spinBox_DR_EXP", editExp)
        .listed = false;
    for (int ch = 0; ch < 4; ++ch) {
        const QString n = QStringLiteral("dualrate.ch%1.").arg(ch + 1);
        const auto rate = [&b] {
            b.accept(0, 100, G::One,
                     QT_TRANSLATE_NOOP("params::Field", "Stored dual rate of the channel, in "
                                                        "percent."))
                .shown("%");
        };
        const auto expo = [&b] {
            b.accept(-100, 100, G::Two,
                     QT_TRANSLATE_NOOP("params::Field", "Stored exponential of the channel, in "
                                                        "percent."))
                .shown("%");
        };
        rate();
        b.channelRow(&p.drUpCh[ch], n + "up", QT_TRANSLATE_NOOP("params::Field", "CH%1 rate up"),
                     ch, 100);
        rate();
        b.channelRow(&p.drDownCh[ch], n + "down",
                     QT_TRANSLATE_NOOP("params::Field", "CH%1 rate down"), ch, 100);
        expo();
        b.channelRow(&p.drExpUpCh[ch], n + "expo_up",
                     QT_TRANSLATE_NOOP("params::Field", "CH%1 exponential up"), ch, 0);
        expo();
        b.channelRow(&p.drExpDownCh[ch], n + "expo_down",
                     QT_TRANSLATE_NOOP("params::Field", "CH%1 exponential down"), ch, 0);
    }

    b.mix(3, Page::Advanced3, "programmable mix 4", G::Two);
    b.at(Page::Advanced3, "throttle curve")
        .accept(0, 5, G::Two,
                QT_TRANSLATE_NOOP("params::Field", "Switches the throttle curve on or off."))
        .shown({}, offOn);
    b.add(p.thCurveMix, "throttle_curve.mix", QT_TRANSLATE_NOOP("params::Field", "throttle curve"),
          0, "comboBox_THCURE_MIX");
    b.accept(0, 100, G::Two,
             QT_TRANSLATE_NOOP("params::Field", "Throttle output at this stick point, in "
                                                "percent."))
        .shown("%");
    b.numbered(p.thCurve, "throttle_curve.point",
               QT_TRANSLATE_NOOP("params::Field", "throttle curve point %1"),
               "spinBox_THCURE_Data0%1", {0, 16, 33, 50, 67, 84, 100});

    b.at(Page::NoEditor, "carried unchanged")
        .accept(0, 4, G::Two,
                QT_TRANSLATE_NOOP("params::Field", "A value kept as the transmitter sent it."));
    b.add(p.thCurveExtra, "throttle_curve.extra",
          QT_TRANSLATE_NOOP("params::Field", "throttle curve extra value"), 0);
    b.accept(0, 1000, G::Two,
             QT_TRANSLATE_NOOP("params::Field", "A value kept as the transmitter sent it."));
    // Kept up to 1000 as the transmitter reports it; the H frame has three digits.
    b.add(p.extraWord, "extra.word", QT_TRANSLATE_NOOP("params::Field", "extra word"), 110, {},
          storeExtraWord)
        .settableMax = 999;
    b.accept(0, 100, G::Two, QT_TRANSLATE_NOOP("params::Field", "The extra word divided by ten."));
    b.add(p.extraWordScaled, "extra.word_scaled",
          QT_TRANSLATE_NOOP("params::Field", "extra word scaled"), 11.0, {}, plainStore);
    b.accept(-100, 0, G::Two,
             QT_TRANSLATE_NOOP("params::Field", "A value kept as the transmitter sent it."));
    b.add(p.extraSigned, "extra.signed", QT_TRANSLATE_NOOP("params::Field", "extra signed value"),
          -100);
    return c;
}

QString numberText(const Field &f, double v)
{
    if (f.isDouble)
        return QString::number(v, 'f', 1);
    return f.divisor == 1 ? QString::number(int(v)) : QString::number(v / f.divisor, 'f', 1);
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

double Field::number(const TxParamsRecord &p) const
{
    if (!isDouble)
        return value(p);
    return *reinterpret_cast<const double *>(reinterpret_cast<const char *>(&p) + offset);
}

void Field::setNumber(TxParamsRecord &p, double v) const
{
    if (isDouble)
        *reinterpret_cast<double *>(reinterpret_cast<char *>(&p) + offset) = v;
    else
        ref(p) = int(v);
}

void Field::set(TxParamsRecord &p, double v) const
{
    if (storeRule)
        storeRule(p, *this, v);
    else
        setNumber(p, v);
}

bool Field::accepts(double v) const
{
    if (isDouble)
        return v >= min && v <= max;
    // (v - lo) <= (hi - lo) in 32-bit unsigned arithmetic: the inclusive
    // range test without signed overflow.
    return std::uint32_t(int(v)) - std::uint32_t(int(min)) <=
           std::uint32_t(int(max)) - std::uint32_t(int(min));
}

QString Field::text(int v) const
{
    if (!choices.isEmpty()) {
        return v >= 0 && v < choices.size() ? choices.at(v)
                                            : QStringLiteral("%1 (no such item)").arg(v);
    }
    const QString number = numberText(*this, v);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString Field::shownLabel() const
{
    const QString text = QCoreApplication::translate("params::Field", labelSource);
    return labelNumber ? text.arg(labelNumber) : text;
}

QString Field::shownText(int v) const
{
    if (choices.isEmpty())
        return text(v);
    return v >= 0 && v < choices.size()
               ? QCoreApplication::translate("params::Field", choices.at(v).toUtf8().constData())
               : QCoreApplication::translate("params::Field", "%1 (no such item)").arg(v);
}

QString Field::rangeText() const
{
    if (!choices.isEmpty())
        return choices.join(QStringLiteral(", "));
    const QString range =
        QStringLiteral("%1 to %2").arg(numberText(*this, min), numberText(*this, settableMax));
    return unit.isEmpty() ? range : range + QLatin1Char(' ') + unit;
}

bool Field::parse(const QString &typed, double *v, QString *error) const
{
    const QString t = typed.trimmed();
    bool ok = false;
    double n = 0;
    for (int i = 0; i < choices.size() && !ok; ++i) {
        ok = choices.at(i).compare(t, Qt::CaseInsensitive) == 0;
        n = i;
    }
    if (!ok && (isDouble || divisor != 1))
        n = isDouble ? t.toDouble(&ok) : std::round(t.toDouble(&ok) * divisor);
    else if (!ok)
        n = t.toInt(&ok);
    if (!ok || !accepts(n) || n > settableMax) {
        *error = QStringLiteral("%1 takes %2").arg(name, rangeText());
        return false;
    }
    *v = n;
    return true;
}

const QVector<Field> &recordFields()
{
    static const QVector<Field> fields = buildCatalogue();
    return fields;
}

const QVector<Field> &fieldCatalogue()
{
    static const QVector<Field> listed = [] {
        QVector<Field> l;
        for (const Field &f : recordFields()) {
            if (f.listed)
                l.append(f);
        }
        return l;
    }();
    return listed;
}

const Field *findField(const QString &name)
{
    for (const Field &f : fieldCatalogue()) {
        if (f.name == name)
            return &f;
    }
    for (const Field &f : recordFields()) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

EditorOf findEditor(const QString &objectName)
{
    static const QHash<QString, EditorOf> byName = [] {
        QHash<QString, EditorOf> h;
        for (const Field &f : recordFields()) {
            for (const Editor &e : f.editors)
                h.insert(e.name, {&f, &e});
        }
        return h;
    }();
    return byName.value(objectName);
}

bool setField(TxParamsRecord &p, const QString &name, const QString &text, QString *error)
{
    const Field *f = findField(name);
    if (!f) {
        *error = QStringLiteral("no setting named %1 (txctl show lists them)").arg(name);
        return false;
    }
    double v = 0;
    if (!f->parse(text, &v, error))
        return false;
    f->set(p, v);
    return true;
}

namespace
{
struct PageNames {
    const char *title;
    const char *tab; // object name in the form
};
// By Page, in its order.
constexpr PageNames pageNames[] = {{"Basic menu", "tab_2"},
                                   {"Advanced menu 1", "tab_3"},
                                   {"Advanced menu 2", "tab_4"},
                                   {"Advanced menu 3", "tab_5"},
                                   {"Without an editor", ""}};
} // namespace

QString pageTitle(Page page) { return QLatin1String(pageNames[int(page)].title); }
QString tabName(Page page) { return QLatin1String(pageNames[int(page)].tab); }

QVector<FieldChange> changedFields(const TxParamsRecord &a, const TxParamsRecord &b)
{
    return changedFields(a, b, [](const Field &) { return true; });
}

void setStartValues(TxParamsRecord &p)
{
    for (const Field &f : recordFields())
        f.setNumber(p, f.repair);
}

} // namespace params
