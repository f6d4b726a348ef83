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
    void everyFieldStartsRepairsAndResets_data();
    void everyFieldStartsRepairsAndResets();
    void validation_data();
    void validation();
    void validationLeavesValidStoreAlone();
    void validationSurvivesExtremeValues();
    void factoryValues();
    void dualRate_data();
    void dualRate();
};

// Every field of the catalogue: a new record and the process-wide store hold
// its repair value, which its range accepts; a value past the range is
// repaired to it; the factory reset of its group writes its factory value.
// drRate and firmwareVersion are in no group: never checked, never reset.
void TestParams::everyFieldStartsRepairsAndResets_data()
{
    QTest::addColumn<QString>("name");
    for (const params::Field &f : params::recordFields())
        QTest::newRow(qPrintable(f.name)) << f.name;
}

void TestParams::everyFieldStartsRepairsAndResets()
{
    QFETCH(QString, name);
    const params::Field &f = *params::findField(name);
    const bool inGroup = f.factoryGroup != params::FactoryGroup::None;
    QCOMPARE(f.number(TxParamsRecord()), f.repair);
    QCOMPARE(f.number(TxParams), f.repair);
    QVERIFY(f.accepts(f.repair) && f.accepts(f.factory));

    TxParamsRecord p;
    f.setNumber(p, f.max + 1);
    params::validate(p);
    QCOMPARE(f.number(p), inGroup ? f.repair : f.max + 1);
    f.setNumber(p, f.min - 1);
    params::restoreFactoryGroup1(p);
    params::restoreFactoryGroup2(p);
    QCOMPARE(f.number(p), inGroup ? f.factory : f.min - 1);
}

// Each row changes one field and says what the validation must leave there.
void TestParams::validation_data()
{
    QTest::addColumn<Mutator>("set");
    QTest::addColumn<Getter>("get");
    QTest::addColumn<double>("expected");

    auto row = [](const char *name, Mutator set, Getter get, double expected) {
        QTest::newRow(name) << set << get << expected;
    };
    row(
        "subTrim -100 passes", [](TxParamsRecord &p) { p.subTrim[4] = -100; },
        [](const TxParamsRecord &p) { return p.subTrim[4]; }, -100);
    row(
        "subTrim 100 passes", [](TxParamsRecord &p) { p.subTrim[4] = 100; },
        [](const TxParamsRecord &p) { return p.subTrim[4]; }, 100);
    row(
        "subTrim -101 repaired", [](TxParamsRecord &p) { p.subTrim[4] = -101; },
        [](const TxParamsRecord &p) { return p.subTrim[4]; }, 0);
    row(
        "subTrim 101 repaired", [](TxParamsRecord &p) { p.subTrim[4] = 101; },
        [](const TxParamsRecord &p) { return p.subTrim[4]; }, 0);
    row(
        "epaLeft -1 repaired", [](TxParamsRecord &p) { p.epaLeft[0] = -1; },
        [](const TxParamsRecord &p) { return p.epaLeft[0]; }, 96);
    row(
        "epaLeft 120 passes", [](TxParamsRecord &p) { p.epaLeft[0] = 120; },
        [](const TxParamsRecord &p) { return p.epaLeft[0]; }, 120);
    row(
        "epaLeft 121 repaired", [](TxParamsRecord &p) { p.epaLeft[0] = 121; },
        [](const TxParamsRecord &p) { return p.epaLeft[0]; }, 96);
    row(
        "extraSigned 0 passes", [](TxParamsRecord &p) { p.extraSigned = 0; },
        [](const TxParamsRecord &p) { return p.extraSigned; }, 0);
    row(
        "extraSigned 1 repaired", [](TxParamsRecord &p) { p.extraSigned = 1; },
        [](const TxParamsRecord &p) { return p.extraSigned; }, -100);
    row(
        "extraSigned -101 repaired", [](TxParamsRecord &p) { p.extraSigned = -101; },
        [](const TxParamsRecord &p) { return p.extraSigned; }, -100);
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
        "stickMode 0 passes", [](TxParamsRecord &p) { p.stickMode = 0; },
        [](const TxParamsRecord &p) { return p.stickMode; }, 0);
    row(
        "stickMode 5 repaired to 1", [](TxParamsRecord &p) { p.stickMode = 5; },
        [](const TxParamsRecord &p) { return p.stickMode; }, 1);
    row(
        "failSafe[2] 101 repaired to 0", [](TxParamsRecord &p) { p.failSafe[2] = 101; },
        [](const TxParamsRecord &p) { return p.failSafe[2]; }, 0);
    row(
        "failSafe[3] 101 repaired to 50", [](TxParamsRecord &p) { p.failSafe[3] = 101; },
        [](const TxParamsRecord &p) { return p.failSafe[3]; }, 50);
    row(
        "elev[3] 200 repaired to -100", [](TxParamsRecord &p) { p.elev[3] = 200; },
        [](const TxParamsRecord &p) { return p.elev[3]; }, -100);
    row(
        "elev[2] 200 repaired to 100", [](TxParamsRecord &p) { p.elev[2] = 200; },
        [](const TxParamsRecord &p) { return p.elev[2]; }, 100);
    row(
        "rev[2] -1 repaired to 1", [](TxParamsRecord &p) { p.rev[2] = -1; },
        [](const TxParamsRecord &p) { return p.rev[2]; }, 1);
    row(
        "drChannel 4 passes", [](TxParamsRecord &p) { p.drChannel = 4; },
        [](const TxParamsRecord &p) { return p.drChannel; }, 4);
    row(
        "drChannel -1 repaired", [](TxParamsRecord &p) { p.drChannel = -1; },
        [](const TxParamsRecord &p) { return p.drChannel; }, 0);
    row(
        "aux 5 passes", [](TxParamsRecord &p) { p.aux[1] = 5; },
        [](const TxParamsRecord &p) { return p.aux[1]; }, 5);
    row(
        "aux 6 repaired to start value", [](TxParamsRecord &p) { p.aux[1] = 6; },
        [](const TxParamsRecord &p) { return p.aux[1]; }, 3);
    row(
        "alarmVoltRaw 239 passes", [](TxParamsRecord &p) { p.alarmVoltRaw = 239; },
        [](const TxParamsRecord &p) { return p.alarmVoltRaw; }, 239);
    row(
        "alarmVoltRaw 240 repaired: the S frame cannot carry it",
        [](TxParamsRecord &p) { p.alarmVoltRaw = 240; },
        [](const TxParamsRecord &p) { return p.alarmVoltRaw; }, 37);
    row(
        "prm master 10 passes", [](TxParamsRecord &p) { p.prm[3].master = 10; },
        [](const TxParamsRecord &p) { return p.prm[3].master; }, 10);
    row(
        "prm[1] slave 11 repaired", [](TxParamsRecord &p) { p.prm[1].slave = 11; },
        [](const TxParamsRecord &p) { return p.prm[1].slave; }, 5);
    row(
        "prm[2] data[1] -100 passes", [](TxParamsRecord &p) { p.prm[2].data[1] = -100; },
        [](const TxParamsRecord &p) { return p.prm[2].data[1]; }, -100);
    row(
        "thCurve[1] 101 repaired", [](TxParamsRecord &p) { p.thCurve[1] = 101; },
        [](const TxParamsRecord &p) { return p.thCurve[1]; }, 16);
    row(
        "thCurveExtra 5 repaired", [](TxParamsRecord &p) { p.thCurveExtra = 5; },
        [](const TxParamsRecord &p) { return p.thCurveExtra; }, 0);
    row(
        "drExpDownCh -101 repaired", [](TxParamsRecord &p) { p.drExpDownCh[3] = -101; },
        [](const TxParamsRecord &p) { return p.drExpDownCh[3]; }, 0);
    row(
        "extraWord 1000 passes", [](TxParamsRecord &p) { p.extraWord = 1000; },
        [](const TxParamsRecord &p) { return p.extraWord; }, 1000);
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
