#include "fuzzchecks.h"

#include "textlayout.h"
#include "txparams.h"

#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace fuzzchecks
{
namespace
{

// Compares one validated field with its accepted range, written out here
// from the table of accepted ranges rather than taken from the validation,
// so that a wrong row there shows up as a difference.
class RangeCheck
{
public:
    RangeCheck(const TxParamsRecord &before, const TxParamsRecord &after)
        : before(before), after(after)
    {
    }

    template <typename Get, typename L> void operator()(const char *name, Get get, L lo, L hi)
    {
        const auto &b = get(before);
        const auto &a = get(after);
        const auto &s = get(start);
        if constexpr (std::is_array<std::remove_reference_t<decltype(b)>>::value) {
            for (std::size_t i = 0; i < std::extent<std::remove_reference_t<decltype(b)>>::value;
                 ++i)
                compare(name, int(i), b[i], a[i], s[i], lo, hi);
        } else {
            compare(name, -1, b, a, s, lo, hi);
        }
    }

    QString problem;

private:
    // index is -1 for a single field.
    template <typename T, typename L>
    void compare(const char *field, int index, T b, T a, T repair, L lo, L hi)
    {
        if (!problem.isEmpty())
            return;
        const auto inside = [lo, hi](T v) { return v >= lo && v <= hi; };
        const char *what = nullptr;
        if (!inside(a))
            what = "outside its range after validation";
        else if (inside(b) && a != b)
            what = "valid value changed";
        else if (!inside(b) && a != repair)
            what = "not given its repair value";
        if (!what)
            return;
        QString name = QLatin1String(field);
        if (index >= 0)
            name += QStringLiteral("[%1]").arg(index);
        problem = QStringLiteral("%1: %2 %3 -> %4 (range %5..%6, repair %7)")
                      .arg(QLatin1String(what), name)
                      .arg(b)
                      .arg(a)
                      .arg(lo)
                      .arg(hi)
                      .arg(repair);
    }

    const TxParamsRecord start{};
    const TxParamsRecord &before;
    const TxParamsRecord &after;
};

#define FIELD(f)                                                                                   \
#f, [=](const TxParamsRecord &r) -> const auto & { return r.f; }

void checkValidatedFields(RangeCheck &c)
{
    c(FIELD(rev), 0, 1);
    c(FIELD(subTrim), -100, 100);
    c(FIELD(epaLeft), 0, 120);
    c(FIELD(epaRight), 0, 120);
    c(FIELD(failSafe), 0, 100);
    c(FIELD(delay), 0, 100);
    c(FIELD(drMix), 0, 1);
    c(FIELD(drChannel), 0, 4);
    c(FIELD(drSwitch), 0, 2);
    c(FIELD(drUp), 0, 100);
    c(FIELD(drUpCh), 0, 100);
    c(FIELD(drDown), 0, 100);
    c(FIELD(drDownCh), 0, 100);
    c(FIELD(attiMode), 0, 5);
    c(FIELD(atti), 0, 100);
    c(FIELD(elevMix), 0, 1);
    c(FIELD(elev), -100, 100);
    c(FIELD(vtailMix), 0, 1);
    c(FIELD(vtail), -100, 100);
    c(FIELD(aux), 0, 5);
    c(FIELD(alarmVolt), 0.0, 23.9);
    c(FIELD(alarmVoltRaw), 0, 239);
    c(FIELD(stickMode), 0, 4);
    c(FIELD(extraWordScaled), 0.0, 100.0);
    c(FIELD(extraWord), 0, 1000);
    c(FIELD(extraSigned), -100, 0);
    c(FIELD(thCurveMix), 0, 5);
    c(FIELD(thCurveExtra), 0, 4);
    c(FIELD(thCurve), 0, 100);
    c(FIELD(drPosition), 0, 4);
    c(FIELD(drExpUpCh), -100, 100);
    c(FIELD(drExp), -100, 100);
    c(FIELD(drExpDownCh), -100, 100);
    for (int k = 0; k < 4; ++k) {
        c(FIELD(prm[k].mix), 0, 2);
        c(FIELD(prm[k].master), 0, 10);
        c(FIELD(prm[k].slave), 0, 10);
        c(FIELD(prm[k].data), -100, 100);
    }
}

#undef FIELD

class TextFieldCollector
{
public:
    TextFieldCollector() { fields.reserve(192); } // the three heads, in one allocation
    void literal(char) {}
    void digit(int v) { fields.append({TextField::Digit, 0, v}); }
    void hex(int v, int k) { fields.append({TextField::Hex, k, v}); }
    void threeDigits(int v) { fields.append({TextField::ThreeDigits, 0, v}); }

    QVector<TextField> fields;
};

bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

} // namespace

QString validationProblem(const TxParamsRecord &before, const TxParamsRecord &after)
{
    RangeCheck check(before, after);
    checkValidatedFields(check);
    if (check.problem.isEmpty() && after.drRate != before.drRate)
        return QStringLiteral("drRate changed by the validation");
    if (check.problem.isEmpty() && after.firmwareVersion != before.firmwareVersion)
        return QStringLiteral("firmwareVersion changed by the validation");
    return check.problem;
}

QVector<TextField> textFields(const TxParamsRecord &p)
{
    TextFieldCollector c;
    protocol::visitSFrame(p, c);
    protocol::visitGFrame(p, c);
    protocol::visitHFrame(p, c);
    return c.fields;
}

bool readableValue(const TextField &f)
{
    switch (f.kind) {
    case TextField::Digit:
        return within(f.value, 0, 15);
    case TextField::Hex:
        return within(f.value, -f.offset, 255 - f.offset);
    case TextField::ThreeDigits:
        return within(f.value, 0, 1665);
    }
    return false;
}

int carriedValue(const TextField &f)
{
    switch (f.kind) {
    case TextField::Digit:
        return qBound(0, f.value, 9);
    case TextField::Hex:
        return qBound(16 - f.offset, f.value, 255 - f.offset);
    case TextField::ThreeDigits:
        return qBound(0, f.value, 999);
    }
    return f.value;
}

QString readFieldProblem(const TxParamsRecord &p)
{
    // Checked as the layout is walked: the fuzzer calls this for every read.
    struct Check {
        int index = 0;
        int badIndex = -1;
        int badValue = 0;
        void literal(char) {}
        void digit(int v) { see({TextField::Digit, 0, v}); }
        void hex(int v, int k) { see({TextField::Hex, k, v}); }
        void threeDigits(int v) { see({TextField::ThreeDigits, 0, v}); }
        void see(const TextField &f)
        {
            if (badIndex < 0 && !readableValue(f)) {
                badIndex = index;
                badValue = f.value;
            }
            ++index;
        }
    } check;
    protocol::visitSFrame(p, check);
    protocol::visitGFrame(p, check);
    protocol::visitHFrame(p, check);
    if (check.badIndex < 0)
        return {};
    return QStringLiteral("text field %1 read as %2, which no characters give")
        .arg(check.badIndex)
        .arg(check.badValue);
}

QString carriedFieldProblem(const TxParamsRecord &sent, const TxParamsRecord &readBack)
{
    const QVector<TextField> s = textFields(sent);
    const QVector<TextField> r = textFields(readBack);
    for (int i = 0; i < s.size(); ++i) {
        if (r.at(i).value != carriedValue(s.at(i)))
            return QStringLiteral("text field %1: %2 sent, %3 read back")
                .arg(i)
                .arg(s.at(i).value)
                .arg(r.at(i).value);
    }
    return {};
}

void fail(const QString &problem)
{
    std::fprintf(stderr, "invariant broken: %s\n", problem.toLocal8Bit().constData());
    std::abort();
}

QString madeUpFrameProblem(const QList<QByteArray> &sent, const QList<QByteArray> &framed)
{
    int cursor = 0;
    for (const QByteArray &frame : framed) {
        const int at = sent.indexOf(frame, cursor);
        if (at < 0)
            return QStringLiteral("frame %1 made up after %2 of %3 frames sent")
                .arg(QString::fromLatin1(frame.toHex(' ')))
                .arg(cursor)
                .arg(sent.size());
        cursor = at + 1;
    }
    return {};
}

} // namespace fuzzchecks
