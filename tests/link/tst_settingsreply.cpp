#include "frames.h"
#include "settingsreply.h"
#include "transmitterframes.h"

#include <QtTest>

// Repair notices of a read name only what the result holds, once.
class TestSettingsReply : public QObject
{
    Q_OBJECT

private slots:
    void repairsStandInResult_data();
    void repairsStandInResult();
};

namespace
{

QByteArray auxWithSource(int ch6Source)
{
    TxParamsRecord p;
    p.aux[1] = ch6Source;
    return protocol::encodeAuxFrame(p);
}

QByteArray subTrimFrame(int ch1)
{
    TxParamsRecord p;
    p.subTrim[0] = ch1;
    return protocol::encodeSettingsFrame(protocol::codeSubTrim, p);
}

QByteArray dualRateFrame(int ch1Up)
{
    TxParamsRecord p;
    p.drUpCh[0] = ch1Up;
    return protocol::encodeSettingsFrame(protocol::codeDualRate, p);
}

} // namespace

void TestSettingsReply::repairsStandInResult_data()
{
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<QStringList>("notices");

    // A frame read wrongly off the line, then the true one in a later reply.
    QTest::newRow("bad aux, then the true aux")
        << QList<QByteArray>{auxWithSource(6), auxWithSource(2)} << QStringList{};
    QTest::newRow("out of range in every reply")
        << QList<QByteArray>{subTrimFrame(101), subTrimFrame(101), subTrimFrame(101)}
        << QStringList{"ch1.subtrim 101 -> 0"};
    QTest::newRow("out of range, then another bad value")
        << QList<QByteArray>{subTrimFrame(-101), subTrimFrame(110)}
        << QStringList{"ch1.subtrim 110 -> 0"};
    // The shown rate follows CH1's new rate by the selection: no repair.
    QTest::newRow("new rate of the channel shown")
        << QList<QByteArray>{dualRateFrame(60)} << QStringList{};
}

void TestSettingsReply::repairsStandInResult()
{
    QFETCH(QList<QByteArray>, frames);
    QFETCH(QStringList, notices);

    SettingsReply reply;
    for (const QByteArray &f : frames)
        reply.add(f);
    QStringList got;
    for (const params::FieldChange &c : reply.repairs()) {
        got << QStringLiteral("%1 %2 -> %3").arg(c.field->name).arg(c.before).arg(c.after);
        QCOMPARE(c.field->value(reply.settings()), c.after);
    }
    QCOMPARE(got, notices);
}

QTEST_MAIN(TestSettingsReply)
#include "tst_settingsreply.moc"
