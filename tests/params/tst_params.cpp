#include "dualrate.h"
#include "fieldcatalogue.h"
#include "txparams.h"
#include "validation.h"

#include <QtTest>

#include <functional>

using Mutator = std::function<void(TxParamsRecord &)>;
using Getter = std::function<double(const TxParamsRecord &)>;
Q_DECLARE_METATYPE(Mutator)
Q_DECLARE_METATYPE(Getter)

class TestParams : public QObject
{
    Q_OBJECT

private slots:
    void everySettingStartsRepairsAndResets_data();
    void everySettingStartsRepairsAndResets();
    void validation_data();
    void validation();
    void validationLeavesValidStoreAlone();
    void validationSurvivesExtremeValues();
    void factoryValues();
    void dualRate_data();
    void dualRate();
};

// The accepted range, repair value and factory value of every setting the
// transmitter keeps, written down from the firmware's table, element by
// element. The two values in volts are rows of validation_data().
namespace
{
using At = std::function<int &(TxParamsRecord &, int)>;
enum Group { One = 1, Two = 2 };

// One row per element; `repair` lists every element's value, or one value for
// all of them; `factory` likewise, when it differs from `repair`.
QSet<std::ptrdiff_t> tabled; // the place of every element with a row

void settingRows(const char *name, int count, const At &at, int lo, int hi, Group group,
                 const QVector<int> &repair, QVector<int> factory = {})
{
    if (factory.isEmpty())
        factory = repair;
    for (int i = 0; i < count; ++i) {
        TxParamsRecord p;
        tabled.insert(reinterpret_cast<char *>(&at(p, i)) - reinterpret_cast<char *>(&p));
        const QString row = count > 1 ? QString("%1[%2]").arg(name).arg(i) : QString(name);
        QTest::newRow(qPrintable(row))
            << At([at, i](TxParamsRecord &p, int) -> int & { return at(p, i); }) << lo << hi
            << repair.value(i, repair.first()) << factory.value(i, factory.first()) << int(group);
    }
}
#define EACH(member) [=](TxParamsRecord &p, int i) -> int & { return p.member[i]; }
#define ONE(member) [=](TxParamsRecord &p, int) -> int & { return p.member; }
} // namespace
Q_DECLARE_METATYPE(At)

void TestParams::everySettingStartsRepairsAndResets_data()
{
    QTest::addColumn<At>("at");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("repair");
    QTest::addColumn<int>("factory");
    QTest::addColumn<int>("group");
    settingRows("rev", 8, EACH(rev), 0, 1, One, {0, 0, 1, 0, 0, 0, 0, 0});
    settingRows("subTrim", 8, EACH(subTrim), -100, 100, One, {0});
    settingRows("epaLeft", 8, EACH(epaLeft), 0, 120, One, {96});
    settingRows("epaRight", 8, EACH(epaRight), 0, 120, One, {96});
    settingRows("failSafe", 8, EACH(failSafe), 0, 100, One, {50, 50, 0, 50, 50, 50, 50, 50});
    settingRows("delay", 8, EACH(delay), 0, 100, One, {100});
    settingRows("drMix", 1, ONE(drMix), 0, 1, One, {0});
    settingRows("drChannel", 1, ONE(drChannel), 0, 4, One, {0});
    settingRows("drSwitch", 1, ONE(drSwitch), 0, 2, One, {0});
    settingRows("drUp", 1, ONE(drUp), 0, 100, One, {100});
    settingRows("drUpCh", 4, EACH(drUpCh), 0, 100, One, {100});
    settingRows("drDown", 1, ONE(drDown), 0, 100, One, {100});
    settingRows("drDownCh", 4, EACH(drDownCh), 0, 100, One, {100});
    settingRows("attiMode", 1, ONE(attiMode), 0, 5, One, {4});
    settingRows("atti", 6, EACH(atti), 0, 100, One, {14, 29, 44, 56, 69, 88});
    settingRows("elevMix", 1, ONE(elevMix), 0, 1, One, {0});
    settingRows("elev", 6, EACH(elev), -100, 100, One, {100, 100, 100, -100, 100, 100});
    settingRows("vtailMix", 1, ONE(vtailMix), 0, 1, One, {0});
    settingRows("vtail", 4, EACH(vtail), -100, 100, One, {50, -50, 50, 50});
    settingRows("aux", 4, EACH(aux), 0, 5, One, {1, 3, 0, 2});
    settingRows("alarmVoltRaw", 1, ONE(alarmVoltRaw), 0, 239, One, {37});
    settingRows("stickMode", 1, ONE(stickMode), 0, 4, One, {1}, {2});
    settingRows("extraWord", 1, ONE(extraWord), 0, 1000, Two, {110});
    settingRows("extraSigned", 1, ONE(extraSigned), -100, 0, Two, {-100});
    settingRows("thCurveMix", 1, ONE(thCurveMix), 0, 5, Two, {0});
    settingRows("thCurveExtra", 1, ONE(thCurveExtra), 0, 4, Two, {0});
    settingRows("thCurve", 7, EACH(thCurve), 0, 100, Two, {0, 16, 33, 50, 67, 84, 100});
    settingRows("drPosition", 1, ONE(drPosition), 0, 4, Two, {0});
    settingRows("drExpUpCh", 4, EACH(drExpUpCh), -100, 100, Two, {0});
    settingRows("drExp", 1, ONE(drExp), -100, 100, Two, {0});
    settingRows("drExpDownCh", 4, EACH(drExpDownCh), -100, 100, Two, {0});
    for (int k = 0; k < 4; ++k) {
        const QByteArray mix = "prm" + QByteArray::number(k);
        const Group group = k < 2 ? One : Two;
        settingRows(mix + ".mix", 1, ONE(prm[k].mix), 0, 2, group, {0});
        settingRows(mix + ".master", 1, ONE(prm[k].master), 0, 10, group, {k % 2});
        settingRows(mix + ".slave", 1, ONE(prm[k].slave), 0, 10, group, {k % 2 ? 5 : 3});
        settingRows(mix + ".data", 3, EACH(prm[k].data), -100, 100, group, {0});
    }
    // Every setting the repair checks has its row here, apart from the two
    // doubles (rows of validation_data()).
    QStringList missing;
    for (const params::Field &f : params::recordFields()) {
        if (!f.isDouble && f.factoryGroup != params::FactoryGroup::None &&
            !tabled.contains(f.offset))
            missing << f.name;
    }
    QVERIFY2(missing.isEmpty(), qPrintable("no row for " + missing.join(", ")));
}

// A new record and the process-wide store start at the repair value; the
// range's ends pass the validation, one step past them is repaired; the
// factory reset of the other group leaves the field alone, its own writes the
// factory value.
void TestParams::everySettingStartsRepairsAndResets()
{
    QFETCH(At, at);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(int, repair);
    QFETCH(int, factory);
    QFETCH(int, group);
    TxParamsRecord p;
    QCOMPARE(at(p, 0), repair);
    QCOMPARE(at(TxParams, 0), repair);
    for (const auto &[set, kept] :
         {std::pair{lo, lo}, {hi, hi}, {lo - 1, repair}, {hi + 1, repair}}) {
        at(p, 0) = set;
        params::validate(p);
        QCOMPARE(at(p, 0), kept);
    }
    at(p, 0) = hi + 1;
    (group == One ? params::restoreFactoryGroup2 : params::restoreFactoryGroup1)(p);
    QCOMPARE(at(p, 0), hi + 1);
    (group == One ? params::restoreFactoryGroup1 : params::restoreFactoryGroup2)(p);
    QCOMPARE(at(p, 0), factory);
}

// Each row changes one field and says what the validation must leave there:
// the fields that are no whole numbers and those it never checks (the ranges
// of the others are rows of everySettingStartsRepairsAndResets_data()).
void TestParams::validation_data()
{
    QTest::addColumn<Mutator>("set");
    QTest::addColumn<Getter>("get");
    QTest::addColumn<double>("expected");

    auto row = [](const char *name, Mutator set, Getter get, double expected) {
        QTest::newRow(name) << set << get << expected;
    };
    row(
        "alarmVolt 23.9 passes", [](TxParamsRecord &p) { p.alarmVolt = 239 / 10.0; },
        [](const TxParamsRecord &p) { return p.alarmVolt; }, 23.9);
    row(
        "alarmVolt 24.0 repaired to 0, not 3.7", [](TxParamsRecord &p) { p.alarmVolt = 24.0; },
        [](const TxParamsRecord &p) { return p.alarmVolt; }, 0.0);
    row(
        "alarmVolt negative repaired", [](TxParamsRecord &p) { p.alarmVolt = -0.1; },
        [](const TxParamsRecord &p) { return p.alarmVolt; }, 0.0);
    row(
        "extraWordScaled 100.0 passes", [](TxParamsRecord &p) { p.extraWordScaled = 100.0; },
        [](const TxParamsRecord &p) { return p.extraWordScaled; }, 100.0);
    row(
        "extraWordScaled 100.5 repaired", [](TxParamsRecord &p) { p.extraWordScaled = 100.5; },
        [](const TxParamsRecord &p) { return p.extraWordScaled; }, 11.0);
    row(
        "drRate is never checked", [](TxParamsRecord &p) { p.drRate = 5000; },
        [](const TxParamsRecord &p) { return p.drRate; }, 5000);
    row(
        "firmwareVersion is never checked", [](TxParamsRecord &p) { p.firmwareVersion = -7; },
        [](const TxParamsRecord &p) { return p.firmwareVersion; }, -7);
}

void TestParams::validation()
{
    QFETCH(Mutator, set);
    QFETCH(Getter, get);
    QFETCH(double, expected);

    TxParamsRecord p;
    set(p);
    TxParamsRecord others = p;
    params::validate(p);
    QCOMPARE(get(p), expected);
    // No row touches any other field.
    set(others);
    params::validate(others);
    QVERIFY(p == others);
}

void TestParams::validationLeavesValidStoreAlone()
{
    TxParamsRecord p;
    p.subTrim[1] = -100;
    p.epaRight[7] = 0;
    p.drChannel = 4;
    p.attiMode = 5;
    p.alarmVolt = 3.7;
    p.prm[2].master = 10;
    const TxParamsRecord before = p;
    params::validate(p);
    QVERIFY(p == before);
}

void TestParams::validationSurvivesExtremeValues()
{
    // The range test must not overflow for values a corrupt frame can carry.
    TxParamsRecord p;
    p.subTrim[0] = std::numeric_limits<int>::min();
    p.extraSigned = std::numeric_limits<int>::max();
    p.epaLeft[0] = std::numeric_limits<int>::min();
    params::validate(p);
    QCOMPARE(p.subTrim[0], 0);
    QCOMPARE(p.extraSigned, -100);
    QCOMPARE(p.epaLeft[0], 96);
}

void TestParams::factoryValues()
{
    TxParamsRecord p;
    // Scribble over everything the two groups cover, then reset.
    std::fill(std::begin(p.subTrim), std::end(p.subTrim), 33);
    p.rev[2] = 0;
    p.stickMode = 3;
    p.alarmVolt = 12.5;
    p.alarmVoltRaw = 125;
    p.drChannel = 3;
    p.drPosition = 1;
    p.drRate = 42;
    p.drExp = 55;
    p.drExpUpCh[1] = 20;
    p.prm[0].mix = 2;
    p.prm[3].data[2] = 77;
    p.extraWord = 5;
    p.extraWordScaled = 0.5;
    p.thCurve[3] = 99;
    p.firmwareVersion = 12;

    TxParamsRecord group1Only = p;
    params::restoreFactoryGroup1(group1Only);
    QCOMPARE(group1Only.stickMode, 2);
    QCOMPARE(group1Only.alarmVolt, 3.7);
    QCOMPARE(group1Only.alarmVoltRaw, 37);
    QCOMPARE(group1Only.subTrim[5], 0);
    QCOMPARE(group1Only.rev[2], 1);
    QCOMPARE(group1Only.drChannel, 0);
    QCOMPARE(group1Only.prm[0].mix, 0);
    // Group two's fields are untouched by group one.
    QCOMPARE(group1Only.drPosition, 1);
    QCOMPARE(group1Only.prm[3].data[2], 77);
    QCOMPARE(group1Only.thCurve[3], 99);

    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    TxParamsRecord expected;
    expected.stickMode = 2;
    expected.alarmVolt = 3.7;
    expected.drRate = 42;          // the reset leaves the shown rate alone
    expected.firmwareVersion = 12; // reported by the transmitter, not a setting
    QVERIFY(p == expected);

    // Factory values pass the validation unchanged.
    params::validate(p);
    QVERIFY(p == expected);
}

using Check = std::function<void(const TxParamsRecord &)>;
Q_DECLARE_METATYPE(Check)

void TestParams::dualRate_data()
{
    QTest::addColumn<Mutator>("act");
    QTest::addColumn<Check>("check");

    QTest::newRow("rate edit on CH3 DOWN") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 2;
        p.drPosition = 1;
        p.drUpCh[2] = 90;
        params::selectDualRate(p);
        params::editDualRateRate(p, 70);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drDownCh[2], 70);
        QCOMPARE(p.drDown, 70);
        QCOMPARE(p.drRate, 70);
        QCOMPARE(p.drUpCh[2], 90);
        QCOMPARE(p.drUp, 90);
    });
    QTest::newRow("UP edit on CH1 UP also moves the rate")
        << Mutator([](TxParamsRecord &p) { params::editDualRateUp(p, 80); })
        << Check([](const TxParamsRecord &p) {
               QCOMPARE(p.drUpCh[0], 80);
               QCOMPARE(p.drUp, 80);
               QCOMPARE(p.drRate, 80);
               QCOMPARE(p.drDownCh[0], 100);
           });
    QTest::newRow("DOWN edit on CH4") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 3;
        params::editDualRateDown(p, 25);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drDownCh[3], 25);
        QCOMPARE(p.drDown, 25);
        QCOMPARE(p.drRate, 100); // UP position shows the UP rate
    });
    QTest::newRow("position switch UP to DOWN on CH2") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 1;
        p.drExpUpCh[1] = 20;
        p.drExpDownCh[1] = -30;
        p.drDownCh[1] = 60;
        params::selectDualRate(p);
        QCOMPARE(p.drExp, 20);
        p.drPosition = 1;
        params::selectDualRate(p);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drExp, -30);
        QCOMPARE(p.drRate, 60);
        QCOMPARE(p.drUp, 100);
        QCOMPARE(p.drDown, 60);
    });
    QTest::newRow("expo edit goes to the selected position") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 1;
        p.drPosition = 3; // any non-zero position means DOWN
        params::editDualRateExp(p, -45);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drExpDownCh[1], -45);
        QCOMPARE(p.drExpUpCh[1], 0);
        QCOMPARE(p.drExp, -45);
    });
    QTest::newRow("channel 4 selects nothing") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 4;
        params::editDualRateRate(p, 30);
        params::editDualRateExp(p, 40);
        params::editDualRateUp(p, 50);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drRate, 30);
        QCOMPARE(p.drExp, 40);
        QCOMPARE(p.drUp, 50);
        const TxParamsRecord start;
        QVERIFY(std::equal(std::begin(p.drUpCh), std::end(p.drUpCh), std::begin(start.drUpCh)));
        QVERIFY(std::equal(std::begin(p.drExpUpCh), std::end(p.drExpUpCh),
                           std::begin(start.drExpUpCh)));
    });
    QTest::newRow("negative channel selects nothing") << Mutator([](TxParamsRecord &p) {
        p.drChannel = -1;
        p.drUp = 7;
        params::selectDualRate(p);
    }) << Check([](const TxParamsRecord &p) { QCOMPARE(p.drUp, 7); });
    QTest::newRow("new arrays show through the selection") << Mutator([](TxParamsRecord &p) {
        p.drChannel = 2;
        p.drUpCh[2] = 11;
        p.drDownCh[2] = 22;
        p.drExpUpCh[2] = 33;
        params::selectDualRate(p);
    }) << Check([](const TxParamsRecord &p) {
        QCOMPARE(p.drUp, 11);
        QCOMPARE(p.drDown, 22);
        QCOMPARE(p.drRate, 11);
        QCOMPARE(p.drExp, 33);
    });
}

void TestParams::dualRate()
{
    QFETCH(Mutator, act);
    QFETCH(Check, check);
    TxParamsRecord p;
    act(p);
    check(p);
}

QTEST_APPLESS_MAIN(TestParams)
#include "tst_params.moc"
