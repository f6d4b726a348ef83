#include "frames.h"
#include "inputtokenizer.h"

#include <QtTest>

// Whatever way the serial line cuts or joins the tool's writes, the
// simulator must see the same commands and frames.
class TestInputTokenizer : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
};

namespace
{

const QByteArray frameS = protocol::startupFrameTextS;
const QByteArray frameG = protocol::startupFrameTextG;
const QByteArray frameH = protocol::startupFrameTextH;

QString describe(const InputTokenizer::Token &t)
{
    using Kind = InputTokenizer::Kind;
    const QString bytes = QString::fromLatin1(t.bytes);
    switch (t.kind) {
    case Kind::Frame:
        return "F:" + bytes;
    case Kind::Malformed:
        return "M:" + bytes;
    case Kind::Skipped:
        return "X:" + bytes;
    default: // commands: their text says which
        return bytes;
    }
}

QStringList tokenize(const QList<QByteArray> &pieces)
{
    InputTokenizer tokenizer;
    for (const QByteArray &piece : pieces)
        tokenizer.feed(piece);
    tokenizer.flushSkipped();
    QStringList out;
    for (const InputTokenizer::Token &t : tokenizer.takeTokens())
        out << describe(t);
    return out;
}

QString f(const QByteArray &b) { return "F:" + QString::fromLatin1(b); }
QString m(const QByteArray &b) { return "M:" + QString::fromLatin1(b); }
QString x(const QByteArray &b) { return "X:" + QString::fromLatin1(b); }

} // namespace

void TestInputTokenizer::tokens_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("commands back to back")
        << QByteArray("OKRRWWWDISWWW") << QStringList{"OK", "RR", "WWW", "DIS", "WWW"};
    QTest::newRow("three frames and an ack")
        << frameS + frameG + frameH + "WWW" << QStringList{f(frameS), f(frameG), f(frameH), "WWW"};
    QTest::newRow("DIS right before an S frame")
        << "DIS" + frameS + "DIS" << QStringList{"DIS", f(frameS), "DIS"};
    QTest::newRow("garbage between") << QByteArray("\x01zz", 3) + "OK??" + frameS + "q"
                                     << QStringList{x("\x01zz"), "OK", x("??"), f(frameS), x("q")};
    QTest::newRow("commands broken off")
        << QByteArray("RWWWDIOKWWRR") << QStringList{x("R"), "WWW", x("DI"), "OK", x("WW"), "RR"};
    QTest::newRow("doubled first letter")
        << QByteArray("OOKDDISRRRWWW")
        << QStringList{x("O"), "OK", x("D"), "DIS", "RR", x("R"), "WWW"};
    QTest::newRow("frame cut by a command")
        << frameS.left(40) + "RR" << QStringList{m(frameS.left(40)), "RR"};
    QTest::newRow("frame cut by the next frame")
        << frameS.left(30) + frameG << QStringList{m(frameS.left(30)), f(frameG)};
    // frameG begins "G41E2D": its "D" may start the disconnect notice.
    QTest::newRow("frame cut right after a D by IS")
        << frameG.left(6) + "IS" + frameH << QStringList{m(frameG.left(5)), "DIS", f(frameH)};
    QTest::newRow("frame cut right after a D by OK")
        << frameG.left(6) + "OK" << QStringList{m(frameG.left(6)), "OK"};
    QByteArray lowercase = frameS;
    lowercase[20] = 'a';
    QTest::newRow("bad character, then a good frame")
        << lowercase + frameG << QStringList{m(frameS.left(20)), x(lowercase.mid(20)), f(frameG)};
    QTest::newRow("wrong end letter")
        << frameS.left(80) + "ZOK" << QStringList{m(frameS.left(80)), x("Z"), "OK"};
    QTest::newRow("frame one character too long")
        << frameH.left(80) + "0X" + "WWW" << QStringList{m(frameH.left(80)), x("0X"), "WWW"};
    QTest::newRow("partial prefixes stay pending") << "OK" + frameS.left(50) << QStringList{"OK"};
    QTest::newRow("long garbage is reported in runs")
        << QByteArray(300, 'z') + "RR"
        << QStringList{x(QByteArray(InputTokenizer::maxSkippedRun, 'z')),
                       x(QByteArray(300 - InputTokenizer::maxSkippedRun, 'z')), "RR"};
}

void TestInputTokenizer::tokens()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, expected);

    for (int at = 0; at <= input.size(); ++at) {
        const QStringList got = tokenize({input.left(at), input.mid(at)});
        if (got != expected)
            QFAIL(qPrintable(QStringLiteral("split at %1: got %2").arg(at).arg(got.join(" | "))));
    }
    QList<QByteArray> bytes;
    for (char c : input)
        bytes << QByteArray(1, c);
    QCOMPARE(tokenize(bytes), expected);
}

QTEST_APPLESS_MAIN(TestInputTokenizer)
#include "tst_inputtokenizer.moc"
