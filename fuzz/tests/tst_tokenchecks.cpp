#include "frames.h"
#include "tokenchecks.h"

#include <QtTest>

// The token check of the tokenizer target must pass what the tokenizer
// rightly yields and flag every shape it must never yield.
class TestTokenChecks : public QObject
{
    Q_OBJECT

private slots:
    void tokenShape_data();
    void tokenShape();
    void tokenizerOutputPasses();
};

using Kind = InputTokenizer::Kind;
Q_DECLARE_METATYPE(InputTokenizer::Kind)

void TestTokenChecks::tokenShape_data()
{
    QTest::addColumn<InputTokenizer::Kind>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("flagged");

    const QByteArray s = protocol::startupFrameTextS;
    const QByteArray h = protocol::startupFrameTextH;
    QTest::newRow("connect") << Kind::Connect << QByteArray("OK") << false;
    QTest::newRow("disconnect") << Kind::Disconnect << QByteArray("DIS") << false;
    QTest::newRow("ack with read text") << Kind::Ack << QByteArray("RR") << true;
    QTest::newRow("read cut short") << Kind::Read << QByteArray("R") << true;
    QTest::newRow("S frame") << Kind::Frame << s << false;
    QTest::newRow("H frame") << Kind::Frame << h << false;
    QTest::newRow("frame of 80") << Kind::Frame << s.left(80) << true;
    QTest::newRow("frame of 82") << Kind::Frame << s + "Y" << true;
    QTest::newRow("S frame ending in X") << Kind::Frame << s.left(80) + "X" << true;
    QTest::newRow("lowercase in frame") << Kind::Frame << s.left(9) + "a" + s.mid(10) << true;
    QTest::newRow("line break in frame") << Kind::Frame << s.left(9) + "\n" + s.mid(10) << true;
    QTest::newRow("broken-off frame") << Kind::Malformed << s.left(40) << false;
    QTest::newRow("broken-off frame of 81") << Kind::Malformed << s << true;
    QTest::newRow("empty broken-off frame") << Kind::Malformed << QByteArray() << true;
    QTest::newRow("broken-off frame with command letter")
        << Kind::Malformed << s.left(10) + "W" << true;
    QTest::newRow("skipped run") << Kind::Skipped << QByteArray("\x01zz") << false;
    QTest::newRow("empty skipped run") << Kind::Skipped << QByteArray() << true;
    QTest::newRow("skipped run over the limit")
        << Kind::Skipped << QByteArray(InputTokenizer::maxSkippedRun + 1, 'z') << true;
}

void TestTokenChecks::tokenShape()
{
    QFETCH(InputTokenizer::Kind, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, flagged);
    const QString problem = fuzzchecks::tokenProblem({kind, bytes});
    QVERIFY2(problem.isEmpty() != flagged, qPrintable(problem));
}

void TestTokenChecks::tokenizerOutputPasses()
{
    InputTokenizer t;
    t.feed(QByteArray("OK\x01zz") + protocol::startupFrameTextG + "RR" +
           QByteArray(protocol::startupFrameTextS).left(30) + "DISWWW" + QByteArray(300, 'q'));
    t.flushSkipped();
    const QVector<InputTokenizer::Token> tokens = t.takeTokens();
    QCOMPARE(tokens.size(), 9);
    for (const InputTokenizer::Token &token : tokens)
        QVERIFY2(fuzzchecks::tokenProblem(token).isEmpty(), token.bytes.constData());
}

QTEST_APPLESS_MAIN(TestTokenChecks)
#include "tst_tokenchecks.moc"
