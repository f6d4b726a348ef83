#include "hoverdwell.h"

#include <QtTest>

using hoverdwell::SheetChange;
Q_DECLARE_METATYPE(SheetChange)

class TestHoverDwell : public QObject
{
    Q_OBJECT

private slots:
    void step_data();
    void step();
    void shortHoversAddUp();
    void sheets();
};

// A run of display ticks: 'h' hovered, '.' not hovered; the expected sheet
// changes per tick: '-' none, 'R' no-highlight sheet, 'N' normal sheet.
void TestHoverDwell::step_data()
{
    QTest::addColumn<QString>("hover");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<int>("finalCounter");
    const QString h19(19, 'h'), none19(19, '-');
    QTest::newRow("19 runs change nothing") << h19 << none19 << 19;
    QTest::newRow("20th run swaps") << h19 + "h" << none19 + "R" << 20;
    QTest::newRow("stays swapped while hovered") << h19 + "hhh" << none19 + "RRR" << 20;
    QTest::newRow("leaving restores once") << h19 + "h.." << none19 + "RN-" << 0;
    QTest::newRow("never hovered") << QString(".....") << QString("-----") << 0;
    QTest::newRow("early leave keeps count") << QString("hhh..") << QString("-----") << 3;
}

void TestHoverDwell::step()
{
    QFETCH(QString, hover);
    QFETCH(QString, changes);
    QFETCH(int, finalCounter);
    int counter = 0;
    for (int i = 0; i < hover.size(); ++i) {
        const SheetChange change = hoverdwell::step(counter, hover[i] == 'h');
        const QChar got = change == SheetChange::None            ? '-'
                          : change == SheetChange::ToNoHighlight ? 'R'
                                                                 : 'N';
        QVERIFY2(got == changes[i], qPrintable(QString("tick %1").arg(i)));
        QVERIFY(counter >= 0 && counter <= hoverdwell::kDwellRuns);
    }
    QCOMPARE(counter, finalCounter);
}

void TestHoverDwell::shortHoversAddUp()
{
    // 1.9 s of hovering, away, then 0.1 s more swaps the look.
    int counter = 0;
    for (int i = 0; i < 19; ++i)
        hoverdwell::step(counter, true);
    for (int i = 0; i < 50; ++i)
        QCOMPARE(hoverdwell::step(counter, false), SheetChange::None);
    QCOMPARE(hoverdwell::step(counter, true), SheetChange::ToNoHighlight);
}

void TestHoverDwell::sheets()
{
    Q_INIT_RESOURCE(resources);
    const QString normal = hoverdwell::normalSheet();
    const QString quiet = hoverdwell::noHighlightSheet();
    QVERIFY(normal.contains("QComboBox:hover"));
    QVERIFY(quiet.contains("QComboBox:hover"));
    QVERIFY(normal.contains("22px"));
    QVERIFY(normal != quiet);
    QVERIFY(!normal.contains(QChar(0)));
}

QTEST_APPLESS_MAIN(TestHoverDwell)
#include "tst_hoverdwell.moc"
