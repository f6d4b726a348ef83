#include "frames.h"
#include "fuzzchecks.h"
#include "textparser.h"
#include "txparams.h"
#include "validation.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <functional>

// A fuzz target is only as good as the invariants it checks: these make sure
// the checks accept what the code rightly does and flag the faults they are
// there to catch.
class TestFuzzChecks : public QObject
{
    Q_OBJECT

private slots:
    void recordChecks_data();
    void recordChecks();
    void realValidationPasses_data();
    void realValidationPasses();
    void readFieldBounds_data();
    void readFieldBounds();
    void realReadingPasses_data();
    void realReadingPasses();
    void madeUpFrames_data();
    void madeUpFrames();
};

using RecordEdit = std::function<void(TxParamsRecord &)>;
// Compares a record with what became of it; empty when all is well.
using RecordCheck = QString (*)(const TxParamsRecord &, const TxParamsRecord &);
Q_DECLARE_METATYPE(RecordEdit)
Q_DECLARE_METATYPE(RecordCheck)

void TestFuzzChecks::recordChecks_data()
{
    QTest::addColumn<RecordCheck>("check");
    QTest::addColumn<RecordEdit>("before");
    QTest::addColumn<RecordEdit>("after");
    QTest::addColumn<bool>("flagged");

    // The validation check: `after` is what the validation made of `before`.
    const RecordCheck validation = fuzzchecks::validationProblem;
    const RecordEdit none = [](TxParamsRecord &) {};
    QTest::newRow("validation: untouched valid store") << validation << none << none << false;
    QTest::newRow("validation: repaired to the start-up value")
        << validation << RecordEdit([](TxParamsRecord &p) { p.subTrim[4] = 101; }) << none << false;
    QTest::newRow("validation: clamped instead of repaired")
        << validation << RecordEdit([](TxParamsRecord &p) { p.subTrim[4] = 101; })
        << RecordEdit([](TxParamsRecord &p) { p.subTrim[4] = 100; }) << true;
    QTest::newRow("validation: out of range kept")
        << validation << RecordEdit([](TxParamsRecord &p) { p.epaLeft[0] = -1; })
        << RecordEdit([](TxParamsRecord &p) { p.epaLeft[0] = -1; }) << true;
    QTest::newRow("validation: valid limit changed")
        << validation << RecordEdit([](TxParamsRecord &p) { p.extraSigned = 0; }) << none << true;
    QTest::newRow("validation: stick mode 0 kept")
        << validation << RecordEdit([](TxParamsRecord &p) { p.stickMode = 0; })
        << RecordEdit([](TxParamsRecord &p) { p.stickMode = 0; }) << false;
    QTest::newRow("validation: alarm repaired to the factory 3.7")
        << validation << RecordEdit([](TxParamsRecord &p) { p.alarmVolt = 50.01; })
        << RecordEdit([](TxParamsRecord &p) { p.alarmVolt = 3.7; }) << true;
    QTest::newRow("validation: not-a-number alarm kept")
        << validation << RecordEdit([](TxParamsRecord &p) { p.alarmVolt = std::nan(""); })
        << RecordEdit([](TxParamsRecord &p) { p.alarmVolt = std::nan(""); }) << true;
    QTest::newRow("validation: huge negative mix data kept")
        << validation << RecordEdit([](TxParamsRecord &p) { p.prm[3].data[2] = INT_MIN; })
        << RecordEdit([](TxParamsRecord &p) { p.prm[3].data[2] = INT_MIN; }) << true;
    QTest::newRow("validation: fail-safe 3 repaired with channel 3's value")
        << validation << RecordEdit([](TxParamsRecord &p) { p.failSafe[2] = 101; })
        << RecordEdit([](TxParamsRecord &p) { p.failSafe[2] = 50; }) << true;
    QTest::newRow("validation: dual-rate derived value touched")
        << validation << none << RecordEdit([](TxParamsRecord &p) { p.drRate = 40; }) << true;
    QTest::newRow("validation: firmware version touched")
        << validation << RecordEdit([](TxParamsRecord &p) { p.firmwareVersion = 70000; }) << none
        << true;

    // The text-frame check: `after` was read back from frames built from `before`.
    const RecordCheck carried = fuzzchecks::carriedFieldProblem;
    QTest::newRow("carried: same values") << carried << none << none << false;
    QTest::newRow("carried: digit 10 carried as 9")
        << carried << RecordEdit([](TxParamsRecord &p) { p.prm[0].master = 10; })
        << RecordEdit([](TxParamsRecord &p) { p.prm[0].master = 9; }) << false;
    QTest::newRow("carried: digit 10 carried as 1")
        << carried << RecordEdit([](TxParamsRecord &p) { p.prm[0].master = 10; })
        << RecordEdit([](TxParamsRecord &p) { p.prm[0].master = 1; }) << true;
    QTest::newRow("carried: extraWord 1000 carried as 999")
        << carried << RecordEdit([](TxParamsRecord &p) { p.extraWord = 1000; })
        << RecordEdit([](TxParamsRecord &p) { p.extraWord = 999; }) << false;
    QTest::newRow("carried: extraWord 1000 carried as 0")
        << carried << RecordEdit([](TxParamsRecord &p) { p.extraWord = 1000; })
        << RecordEdit([](TxParamsRecord &p) { p.extraWord = 0; }) << true;
    QTest::newRow("carried: sub-trim -120 carried as -104")
        << carried << RecordEdit([](TxParamsRecord &p) { p.subTrim[0] = -120; })
        << RecordEdit([](TxParamsRecord &p) { p.subTrim[0] = -104; }) << false;
    QTest::newRow("carried: sub-trim -120 read back unchanged")
        << carried << RecordEdit([](TxParamsRecord &p) { p.subTrim[0] = -120; })
        << RecordEdit([](TxParamsRecord &p) { p.subTrim[0] = -120; }) << true;
    QTest::newRow("carried: elevon outputs swapped")
        << carried << RecordEdit([](TxParamsRecord &p) { p.elev[1] = 10; })
        << RecordEdit([](TxParamsRecord &p) { p.elev[4] = 10; }) << true;
}

void TestFuzzChecks::recordChecks()
{
    QFETCH(RecordCheck, check);
    QFETCH(RecordEdit, before);
    QFETCH(RecordEdit, after);
    QFETCH(bool, flagged);
    TxParamsRecord b{};
    TxParamsRecord a{};
    before(b);
    after(a);
    const QString problem = check(b, a);
    QVERIFY2(problem.isEmpty() != flagged, qPrintable(problem));
}

// The check is written independently of the validation; the two must agree.
void TestFuzzChecks::realValidationPasses_data()
{
    QTest::addColumn<int>("fill");
    for (int fill : {0, -1, 1, 5, 11, 101, 121, 256, 501, 1001, 65535, INT_MAX, INT_MIN})
        QTest::newRow(qPrintable(QString::number(fill))) << fill;
}

void TestFuzzChecks::realValidationPasses()
{
    QFETCH(int, fill);
    // Every int field at once; each double gets the pattern twice as its bits.
    TxParamsRecord p{};
    for (std::size_t at = 0; at + sizeof fill <= sizeof p; at += sizeof fill)
        std::memcpy(reinterpret_cast<char *>(&p) + at, &fill, sizeof fill);
    const TxParamsRecord before = p;
    params::validate(p);
    const QString problem = fuzzchecks::validationProblem(before, p);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// Bounds of what reading characters can give: a digit field takes one
// hexadecimal digit, a two-character field value + offset in 0..255, the
// three-digit field three hexadecimal digits.
void TestFuzzChecks::readFieldBounds_data()
{
    QTest::addColumn<RecordEdit>("edit");
    QTest::addColumn<bool>("flagged");

    const auto row = [](const char *name, RecordEdit edit, bool flagged) {
        QTest::newRow(name) << edit << flagged;
    };
    row(
        "digit F", [](TxParamsRecord &p) { p.rev[7] = 15; }, false);
    row(
        "digit 16", [](TxParamsRecord &p) { p.rev[7] = 16; }, true);
    row(
        "digit -1", [](TxParamsRecord &p) { p.drSwitch = -1; }, true);
    row(
        "sub-trim from 00", [](TxParamsRecord &p) { p.subTrim[3] = -120; }, false);
    row(
        "sub-trim below 00", [](TxParamsRecord &p) { p.subTrim[3] = -121; }, true);
    row(
        "sub-trim from FF", [](TxParamsRecord &p) { p.subTrim[3] = 135; }, false);
    row(
        "sub-trim above FF", [](TxParamsRecord &p) { p.subTrim[3] = 136; }, true);
    row(
        "V-tail from FF", [](TxParamsRecord &p) { p.vtail[0] = 139; }, false);
    row(
        "V-tail above FF", [](TxParamsRecord &p) { p.vtail[0] = 140; }, true);
    row(
        "end point from 00", [](TxParamsRecord &p) { p.epaRight[5] = -16; }, false);
    row(
        "end point below 00", [](TxParamsRecord &p) { p.epaRight[5] = -17; }, true);
    row(
        "extraWord from FFF", [](TxParamsRecord &p) { p.extraWord = 1665; }, false);
    row(
        "extraWord above FFF", [](TxParamsRecord &p) { p.extraWord = 1666; }, true);
    row(
        "values no frame carries", [](TxParamsRecord &p) { p.firmwareVersion = -5; }, false);
}

void TestFuzzChecks::readFieldBounds()
{
    QFETCH(RecordEdit, edit);
    QFETCH(bool, flagged);
    TxParamsRecord p{};
    edit(p);
    const QString problem = fuzzchecks::readFieldProblem(p);
    QVERIFY2(problem.isEmpty() != flagged, qPrintable(problem));
}

// The bounds are written from the field encodings; the lenient reader must
// stay inside them at the extremes of every character it can meet.
void TestFuzzChecks::realReadingPasses_data()
{
    QTest::addColumn<QChar>("fill");
    for (char c : {'0', '9', 'F', 'f', 'G', 'z', ' ', '\0'})
        QTest::newRow(qPrintable(QStringLiteral("0x%1").arg(int(c), 2, 16, QLatin1Char('0'))))
            << QChar::fromLatin1(c);
    QTest::newRow("U+FF10 fullwidth zero") << QChar(0xFF10);
}

void TestFuzzChecks::realReadingPasses()
{
    QFETCH(QChar, fill);
    const QString text(protocol::textFrameLength, fill);
    TxParamsRecord p{};
    protocol::readSFrameFields(text, 0, p);
    protocol::readGFrameFields(text, 0, p);
    protocol::readHFrameFields(text, 0, p);
    const QString problem = fuzzchecks::readFieldProblem(p);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestFuzzChecks::madeUpFrames_data()
{
    QTest::addColumn<QList<QByteArray>>("framed");
    QTest::addColumn<bool>("flagged");

    QTest::newRow("all, in order") << QList<QByteArray>{"a", "b", "a", "c"} << false;
    QTest::newRow("some lost") << QList<QByteArray>{"b", "c"} << false;
    QTest::newRow("out of order") << QList<QByteArray>{"c", "b"} << true;
    QTest::newRow("one more than sent") << QList<QByteArray>{"a", "a", "a"} << true;
    QTest::newRow("never sent") << QList<QByteArray>{"a", "ab"} << true;
}

void TestFuzzChecks::madeUpFrames()
{
    QFETCH(QList<QByteArray>, framed);
    QFETCH(bool, flagged);
    const QList<QByteArray> sent{"a", "b", "a", "c"};
    QCOMPARE(!fuzzchecks::madeUpFrameProblem(sent, framed).isEmpty(), flagged);
}

QTEST_APPLESS_MAIN(TestFuzzChecks)
#include "tst_fuzzchecks.moc"
