#include "encoder.h"
#include "frames.h"
#include "testsupport.h"
#include "textparser.h"

#include <climits>

// The S, G and H text frames: built from a record into a buffer, read back
// leniently, and checked strictly.
class TestTextFrames : public QObject
{
    Q_OBJECT

private slots:
    void startupSettingsGiveKnownFrames();
    void startupFramesReadBackAsStartupSettings();
    void fieldText_data();
    void fieldText();
    void tailIsKept_data();
    void tailIsKept();
    void lenientReading_data();
    void lenientReading();
    void startOutsideText_data();
    void startOutsideText();
    void strictCheck_data();
    void strictCheck();
};

// Frames of the settings at program start, as a save writes them.
static const QString startS = QStringLiteral(
    "S0010000078787878787878787070707070707070707070707070707042421042424242421302351Y");
static const QString startG = QStringLiteral(
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z");
static const QString startH = QStringLiteral(
    "H7474747474747474003747474015747474001020314253647407474747474747474110140000000X");

void TestTextFrames::startupSettingsGiveKnownFrames()
{
    QCOMPARE(buildFrames(TxParamsRecord{}), QStringList({startS, startG, startH}));

    // The start-up S buffer is itself the frame of an 11.0 V alarm in stick mode 2.
    TxParamsRecord p{};
    p.alarmVoltRaw = 110;
    p.stickMode = 2;
    QCOMPARE(buildFrames(p).at(0), QString::fromLatin1(protocol::startupFrameTextS));
}

void TestTextFrames::startupFramesReadBackAsStartupSettings()
{
    const QString file = startS + startG + startH;
    TxParamsRecord p{};
    p.alarmVolt = 99.0; // only the S frame's raw value sets it
    protocol::readSFrameFields(file, 0, p);
    protocol::readGFrameFields(file, 81, p);
    protocol::readHFrameFields(file, 162, p);
    TxParamsRecord want{};
    want.alarmVolt = 3.7;
    QCOMPARE(p, want);
}

void TestTextFrames::fieldText_data()
{
    QTest::addColumn<RecordEdit>("edit");
    QTest::addColumn<int>("frame"); // 0 S, 1 G, 2 H
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("elevon order") << RecordEdit([](auto &p) {
        set(p.elev, {1, 2, 3, 4, 5, 6});
    }) << 1 << 15 << "797D7A7E7B7C";
    QTest::newRow("extraWord 7") << RecordEdit([](auto &p) { p.extraWord = 7; }) << 2 << 68
                                 << "007";
    QTest::newRow("extraWord 999")
        << RecordEdit([](auto &p) { p.extraWord = 999; }) << 2 << 68 << "999";
    QTest::newRow("vtail -50") << RecordEdit([](auto &p) { p.vtail[1] = -50; }) << 1 << 30 << "42";
    QTest::newRow("mix data 100") << RecordEdit([](auto &p) { p.prm[0].data[1] = 100; }) << 1 << 59
                                  << "D8";
    QTest::newRow("sub-trim -100")
        << RecordEdit([](auto &p) { p.subTrim[0] = -100; }) << 0 << 9 << "14";
    QTest::newRow("end point 120")
        << RecordEdit([](auto &p) { p.epaLeft[0] = 120; }) << 0 << 25 << "88";
    QTest::newRow("extraSigned -100")
        << RecordEdit([](auto &p) { p.extraSigned = -100; }) << 2 << 71 << "14";
    QTest::newRow("drSwitch") << RecordEdit([](auto &p) { p.drSwitch = 2; }) << 2 << 73 << "2";
    // Values the fields cannot carry are clamped to keep every frame 81 long.
    QTest::newRow("unshown combo -1")
        << RecordEdit([](auto &p) { p.aux[0] = -1; }) << 0 << 73 << "0";
    QTest::newRow("alarm 50.0 V") << RecordEdit([](auto &p) { p.alarmVoltRaw = 500; }) << 0 << 77
                                  << "FF";
    QTest::newRow("extraWord 1000")
        << RecordEdit([](auto &p) { p.extraWord = 1000; }) << 2 << 68 << "999";
    QTest::newRow("extraWord INT_MIN")
        << RecordEdit([](auto &p) { p.extraWord = INT_MIN; }) << 2 << 68 << "000";
    QTest::newRow("master 10") << RecordEdit([](auto &p) { p.prm[0].master = 10; }) << 1 << 71
                               << "9";
    QTest::newRow("slave 10, mix 3")
        << RecordEdit([](auto &p) { p.prm[2].slave = 10; }) << 2 << 19 << "9";
    QTest::newRow("sub-trim INT_MAX")
        << RecordEdit([](auto &p) { p.subTrim[7] = INT_MAX; }) << 0 << 23 << "FF";
    QTest::newRow("sub-trim INT_MIN")
        << RecordEdit([](auto &p) { p.subTrim[7] = INT_MIN; }) << 0 << 23 << "10";
    QTest::newRow("curve -20") << RecordEdit([](auto &p) { p.thCurve[6] = -20; }) << 2 << 49
                               << "10";
    QTest::newRow("exp INT_MAX") << RecordEdit([](auto &p) { p.drExpDownCh[3] = INT_MAX; }) << 2
                                 << 66 << "FF";
    QTest::newRow("stick mode INT_MIN")
        << RecordEdit([](auto &p) { p.stickMode = INT_MIN; }) << 0 << 79 << "0";
}

void TestTextFrames::fieldText()
{
    QFETCH(RecordEdit, edit);
    QFETCH(int, frame);
    QFETCH(int, position);
    QFETCH(QString, text);

    TxParamsRecord p{};
    edit(p);
    const QStringList built = buildFrames(p);
    QCOMPARE(built.at(frame).mid(position, text.size()), text);
    const QStringList start{startS, startG, startH};
    const int headLength[] = {80, 77, 74};
    for (int f = 0; f < 3; ++f) {
        QCOMPARE(built.at(f).size(), 81);
        QCOMPARE(built.at(f).mid(headLength[f]), start.at(f).mid(headLength[f]));
        if (f != frame)
            QCOMPARE(built.at(f), start.at(f));
    }
}

void TestTextFrames::tailIsKept_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("headLength");
    QTest::newRow("S") << 0 << 80;
    QTest::newRow("G") << 1 << 77;
    QTest::newRow("H") << 2 << 74;
}

void TestTextFrames::tailIsKept()
{
    QFETCH(int, frame);
    QFETCH(int, headLength);

    QString buffer =
        QString(headLength, QLatin1Char('?')) + QStringLiteral("tail-kept").left(81 - headLength);
    const QString tail = buffer.mid(headLength);
    TxParamsRecord p{};
    p.subTrim[0] = 5000;
    p.extraWord = -7;
    const auto build = {protocol::buildSFrame, protocol::buildGFrame, protocol::buildHFrame};
    build.begin()[frame](p, buffer);
    QCOMPARE(buffer.mid(headLength), tail);
    QCOMPARE(buffer.left(headLength), buildFrames(p).at(frame).left(headLength));
}

void TestTextFrames::lenientReading_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<RecordEdit>("expected");

    const auto subTrim = [](int v) { return RecordEdit([v](auto &p) { p.subTrim[0] = v; }); };
    QTest::newRow("DC") << 0 << 9 << "DC" << subTrim(100);
    QTest::newRow("dc lowercase") << 0 << 9 << "dc" << subTrim(100);
    QTest::newRow("14") << 0 << 9 << "14" << subTrim(-100);
    QTest::newRow("G1 invalid") << 0 << 9 << "G1" << subTrim(-120);
    QTest::newRow("sign") << 0 << 9 << "+1" << subTrim(-120);
    QTest::newRow("space") << 0 << 9 << " 1" << subTrim(-120);
    QTest::newRow("end point invalid")
        << 0 << 25 << "zz" << RecordEdit([](auto &p) { p.epaLeft[0] = -16; });
    QTest::newRow("alarm voltage") << 0 << 77 << "7E" << RecordEdit([](auto &p) {
        p.alarmVoltRaw = 110;
        p.alarmVolt = 11.0;
    });
    QTest::newRow("attiMode 2") << 1 << 1 << "2" << RecordEdit([](auto &p) { p.attiMode = 2; });
    QTest::newRow("digit A reads 10")
        << 1 << 1 << "A" << RecordEdit([](auto &p) { p.attiMode = 10; });
    QTest::newRow("digit invalid") << 1 << 1 << "?" << RecordEdit([](auto &p) { p.attiMode = 0; });
    QTest::newRow("G constant not read") << 1 << 36 << "?" << RecordEdit([](auto &) {});
    QTest::newRow("drPosition 1") << 2 << 51 << "1"
                                  << RecordEdit([](auto &p) { p.drPosition = 1; });
    QTest::newRow("drSwitch 1") << 2 << 73 << "1" << RecordEdit([](auto &p) { p.drSwitch = 1; });
    QTest::newRow("extraWord 047") << 2 << 68 << "047" << RecordEdit([](auto &p) {
        p.extraWord = 47;
        p.extraWordScaled = 4.7;
    });
    QTest::newRow("extraWord 1x5") << 2 << 68 << "1x5" << RecordEdit([](auto &p) {
        p.extraWord = 105;
        p.extraWordScaled = 10.5;
    });
    QTest::newRow("H cut short") << 2 << 60 << "" << RecordEdit([](auto &p) {
        std::fill_n(p.drExpDownCh, 4, -116);
        p.extraWord = 0;
        p.extraWordScaled = 0.0;
        p.extraSigned = -120;
        p.drSwitch = 0;
    });
}

void TestTextFrames::lenientReading()
{
    QFETCH(int, frame);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(RecordEdit, expected);

    // An empty text cuts the frame off at the position.
    QString f = QStringList{startS, startG, startH}.at(frame);
    f = text.isEmpty() ? f.left(position) : f.replace(position, text.size(), text);
    const QString file = QStringLiteral("junk") + f;
    TxParamsRecord p{}, want{};
    if (frame == 0)
        want.alarmVolt = 3.7; // read with the S frame's alarm voltage
    expected(want);
    const auto read = {protocol::readSFrameFields, protocol::readGFrameFields,
                       protocol::readHFrameFields};
    read.begin()[frame](file, 4, p);
    QCOMPARE(p, want);
}

// Characters before or after the text read like invalid ones, however far
// away the start lies (a start near INT_MAX once overflowed on its way along
// the frame).
void TestTextFrames::startOutsideText_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("sameAs"); // a text that, read from 0, must give the same

    const QStringList frames{startS, startG, startH};
    for (int f = 0; f < 3; ++f) {
        const QString letter = frames.at(f).left(1);
        const auto row = [&letter](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(letter + QLatin1Char(' ') + QLatin1String(name)));
        };
        row("just past the end") << f << 81 << QString();
        row("at INT_MAX") << f << INT_MAX << QString();
        row("40 before INT_MAX") << f << INT_MAX - 40 << QString();
        row("at INT_MIN") << f << INT_MIN << QString();
        row("40 before the text") << f << -40 << QString(40, '?') + frames.at(f);
    }
}

void TestTextFrames::startOutsideText()
{
    QFETCH(int, frame);
    QFETCH(int, start);
    QFETCH(QString, sameAs);

    const auto read = {protocol::readSFrameFields, protocol::readGFrameFields,
                       protocol::readHFrameFields};
    const QString text = QStringList{startS, startG, startH}.at(frame);
    TxParamsRecord p{}, want{};
    read.begin()[frame](text, start, p);
    read.begin()[frame](sameAs, 0, want);
    QCOMPARE(p, want);
}

void TestTextFrames::strictCheck_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<bool>("wellFormed");

    const auto edited = [](QString f, int pos, const char *text) {
        return f.replace(pos, int(qstrlen(text)), text);
    };
    QTest::newRow("S") << startS << true;
    QTest::newRow("G") << startG << true;
    QTest::newRow("H") << startH << true;
    QTest::newRow("start-up H buffer") << QString::fromLatin1(protocol::startupFrameTextH) << true;
    QTest::newRow("80 characters") << startS.left(80) << false;
    QTest::newRow("82 characters") << startS + 'Y' << false;
    QTest::newRow("wrong letter") << edited(startS, 0, "G") << false;
    QTest::newRow("wrong last letter") << edited(startG, 80, "X") << false;
    QTest::newRow("lowercase hex") << edited(startS, 9, "7a") << false;
    QTest::newRow("hex in digit field") << edited(startS, 1, "A") << false;
    QTest::newRow("G constant") << edited(startG, 36, "7") << false;
    QTest::newRow("three digits") << edited(startH, 68, "1A0") << false;
    QTest::newRow("last field") << edited(startH, 73, ":") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestTextFrames::strictCheck()
{
    QFETCH(QString, frame);
    QFETCH(bool, wellFormed);
    QCOMPARE(protocol::isWellFormedFrame(frame), wellFormed);
}

QTEST_APPLESS_MAIN(TestTextFrames)
#include "tst_textframes.moc"
