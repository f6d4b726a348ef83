// The parameter file on its own: what the loader takes from a text, what a
// save writes, and how reading and writing behave on the real file system.
#include "../protocol/testsupport.h"
#include "fieldcoverage.h"
#include "filetestsupport.h"
#include "parameterfile.h"
#include "parameterreader.h"
#include "validation.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

namespace
{

// Which fields each frame carries, stated apart from the frame layouts so a
// field read from the wrong frame (or not at all) shows up.
void copySFields(const TxParamsRecord &from, TxParamsRecord &to)
{
    std::copy(std::begin(from.rev), std::end(from.rev), to.rev);
    std::copy(std::begin(from.subTrim), std::end(from.subTrim), to.subTrim);
    std::copy(std::begin(from.epaLeft), std::end(from.epaLeft), to.epaLeft);
    std::copy(std::begin(from.epaRight), std::end(from.epaRight), to.epaRight);
    std::copy(std::begin(from.failSafe), std::end(from.failSafe), to.failSafe);
    std::copy(std::begin(from.aux), std::end(from.aux), to.aux);
    to.alarmVoltRaw = from.alarmVoltRaw;
    to.alarmVolt = from.alarmVolt;
    to.stickMode = from.stickMode;
}

void copyGFields(const TxParamsRecord &from, TxParamsRecord &to)
{
    to.attiMode = from.attiMode;
    std::copy(std::begin(from.atti), std::end(from.atti), to.atti);
    to.elevMix = from.elevMix;
    std::copy(std::begin(from.elev), std::end(from.elev), to.elev);
    to.vtailMix = from.vtailMix;
    std::copy(std::begin(from.vtail), std::end(from.vtail), to.vtail);
    std::copy(std::begin(from.delay), std::end(from.delay), to.delay);
    to.drMix = from.drMix;
    to.drChannel = from.drChannel;
    to.drUp = from.drUp;
    to.drDown = from.drDown;
    to.prm[0] = from.prm[0];
    to.prm[1] = from.prm[1];
}

void copyHFields(const TxParamsRecord &from, TxParamsRecord &to)
{
    std::copy(std::begin(from.drUpCh), std::end(from.drUpCh), to.drUpCh);
    std::copy(std::begin(from.drDownCh), std::end(from.drDownCh), to.drDownCh);
    to.prm[2] = from.prm[2];
    to.prm[3] = from.prm[3];
    to.thCurveMix = from.thCurveMix;
    to.thCurveExtra = from.thCurveExtra;
    std::copy(std::begin(from.thCurve), std::end(from.thCurve), to.thCurve);
    to.drPosition = from.drPosition;
    std::copy(std::begin(from.drExpUpCh), std::end(from.drExpUpCh), to.drExpUpCh);
    std::copy(std::begin(from.drExpDownCh), std::end(from.drExpDownCh), to.drExpDownCh);
    to.extraWord = from.extraWord;
    to.extraWordScaled = from.extraWordScaled;
    to.extraSigned = from.extraSigned;
    to.drSwitch = from.drSwitch;
}

// A valid record whose every carried field differs from the start-up record.
TxParamsRecord distinctRecord()
{
    TxParamsRecord p;
    set(p.rev, {1, 1, 0, 1, 1, 1, 1, 1});
    set(p.subTrim, {-100, -70, -40, -10, 10, 40, 70, 100});
    set(p.epaLeft, {0, 10, 20, 30, 40, 50, 60, 120});
    set(p.epaRight, {120, 110, 100, 90, 80, 70, 60, 1});
    set(p.failSafe, {0, 1, 2, 3, 4, 5, 6, 100});
    set(p.delay, {0, 11, 22, 33, 44, 55, 66, 77});
    set(p.aux, {5, 4, 3, 1});
    p.drMix = 1;
    p.drChannel = 3;
    p.drSwitch = 2;
    p.drPosition = 4;
    p.drUp = 12;
    p.drDown = 13;
    set(p.drUpCh, {1, 2, 3, 4});
    set(p.drDownCh, {5, 6, 7, 8});
    set(p.drExpUpCh, {-100, -1, 1, 100});
    set(p.drExpDownCh, {-50, -5, 5, 50});
    p.attiMode = 2;
    set(p.atti, {1, 2, 3, 4, 5, 100});
    p.elevMix = 1;
    set(p.elev, {-1, -2, -3, 4, -5, -6});
    p.vtailMix = 1;
    set(p.vtail, {-100, 100, -7, 8});
    p.prm[0] = {1, 9, 8, {-100, 1, 2}};
    p.prm[1] = {2, 7, 6, {3, -4, 5}};
    p.prm[2] = {1, 5, 4, {6, 7, -8}};
    p.prm[3] = {2, 3, 2, {-9, 10, 100}};
    p.thCurveMix = 5;
    p.thCurveExtra = 4;
    set(p.thCurve, {100, 90, 80, 70, 60, 50, 1});
    p.stickMode = 4;
    p.alarmVoltRaw = 239;
    p.alarmVolt = 23.9;
    p.extraWord = 999;
    p.extraWordScaled = 99.9;
    p.extraSigned = 0;
    return p;
}

QString fileTextOf(const TxParamsRecord &p)
{
    const QStringList frames = buildFrames(p);
    return QString::fromLatin1(files::parameterFileContent(frames[0], frames[1], frames[2]));
}

// Prepares a failing save in dir and returns the target path.
using FailingTarget = std::function<QString(const QDir &dir)>;

} // namespace

Q_DECLARE_METATYPE(FailingTarget)
Q_DECLARE_METATYPE(files::ReadProblem)

class TestParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void framesFoundInText_data();
    void framesFoundInText();
    void fieldsAtTheirPositions_data();
    void fieldsAtTheirPositions();
    void startupRecordSavesAsDesigned();
    void savedFilesLoadBackUnchanged();
    void filesOfEarlierVersionsLoadUnrepaired_data();
    void filesOfEarlierVersionsLoadUnrepaired();
    void readingAMissingFileFails();
    void saveReplacesAnExistingFile();
    void failedSaveKeepsWhatWasThere_data();
    void failedSaveKeepsWhatWasThere();
};

void TestParameterFile::framesFoundInText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("framesRead"); // letters of the frames expected to be read
    QTest::addColumn<files::ReadProblem>("problem");
    QTest::addColumn<int>("position");

    QList<QByteArray> f;
    for (const QString &frame : buildFrames(distinctRecord()))
        f << frame.toLatin1();
    const QByteArray all = f[0] + f[1] + f[2];
    const auto replaced = [&all](int pos, char c) {
        QByteArray t = all;
        t[pos] = c;
        return t;
    };
    using P = files::ReadProblem;
    QTest::newRow("as saved") << all << "SGH" << P::None << 0;
    QTest::newRow("byte-order mark, CRLF after") << "\xEF\xBB\xBF" + all + "\r\n"
                                                 << "SGH" << P::None << 0;
    QTest::newRow("LF between frames") << f[0] + "\n" + f[1] + "\n" + f[2] << "SGH" << P::None << 0;
    QTest::newRow("CR between and after frames") << f[0] + "\r" + f[1] + "\r" + f[2] + "\r"
                                                 << "SGH" << P::None << 0;
    QTest::newRow("empty") << QByteArray() << "" << P::Empty << 0;
    QTest::newRow("S frame only") << f[0] << "" << P::TooShort << 0;
    QTest::newRow("161 characters") << all.left(161) << "" << P::TooShort << 0;
    QTest::newRow("162 characters") << all.left(162) << "SG" << P::FramesMissing << 0;
    QTest::newRow("200 characters") << all.left(200) << "SG" << P::FramesMissing << 0;
    QTest::newRow("242 characters") << all.left(242) << "SG" << P::FramesMissing << 0;
    QTest::newRow("S end marker missing") << replaced(80, '0') << "GH" << P::FramesMissing << 0;
    QTest::newRow("G start marker lowercase") << replaced(81, 'g') << "SH" << P::FramesMissing << 0;
    QTest::newRow("H end marker missing") << replaced(242, 'Z') << "SG" << P::FramesMissing << 0;
    QTest::newRow("one character inserted") << "S" + all << "" << P::FramesMissing << 0;
    QTest::newRow("two files joined") << all + all << "" << P::TextAfterH << 244;
    QTest::newRow("NUL after the H frame, then a second file")
        << all + QByteArray(1, '\0') + all << "" << P::NulByte << 244;
    QTest::newRow("NUL inside a field") << replaced(9, '\0') << "" << P::NulByte << 10;
    QTest::newRow("binary junk") << QByteArray::fromHex("7f454c46020101") + all << ""
                                 << P::ControlByte << 1;
    const QString wide = QChar(0xFEFF) + QString::fromLatin1(all);
    QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char *>(wide.utf16()),
                                          int(wide.size()) * 2)
                            << "" << P::Utf16 << 0;
    QTest::newRow("one byte past 64 KiB")
        << all + QByteArray(files::maxFileBytes + 1 - all.size(), '\n') << "" << P::TooLarge << 0;
}

// The reader takes what is put around the frames and refuses, with the byte
// it is at, what would make a load partial; a frame found in place is read
// whole, and the rest of the record stays.
void TestParameterFile::framesFoundInText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, framesRead);
    QFETCH(files::ReadProblem, problem);
    QFETCH(int, position);

    const TxParamsRecord before{};
    TxParamsRecord expected = before;
    const TxParamsRecord source = distinctRecord();
    if (framesRead.contains('S'))
        copySFields(source, expected);
    if (framesRead.contains('G'))
        copyGFields(source, expected);
    if (framesRead.contains('H'))
        copyHFields(source, expected);

    TxParamsRecord loaded = before;
    const files::ParameterReading read = files::readParameterBytes(bytes, loaded);
    QCOMPARE(loaded, expected);
    QCOMPARE(read.problem, problem);
    QCOMPARE(read.position, qint64(position));
    QCOMPARE(read.frames.s, framesRead.contains('S'));
    QCOMPARE(read.frames.g, framesRead.contains('G'));
    QCOMPARE(read.frames.h, framesRead.contains('H'));
}

void TestParameterFile::fieldsAtTheirPositions_data()
{
    QTest::addColumn<RecordEdit>("saved");     // the record the file was saved from
    QTest::addColumn<int>("position");         // where the file is then altered
    QTest::addColumn<QString>("characters");   // what it holds there
    QTest::addColumn<RecordEdit>("parsed");    // the difference after loading
    QTest::addColumn<RecordEdit>("validated"); // the difference after the repair

    const RecordEdit none = [](TxParamsRecord &) {};
    const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
    const RecordEdit trimMax = [](auto &p) { p.subTrim[0] = 100; };
    row("sub-trim DC") << none << 9 << "DC" << trimMax << trimMax;
    row("sub-trim lowercase dc") << none << 9 << "dc" << trimMax << trimMax;
    const RecordEdit trimMin = [](auto &p) { p.subTrim[7] = -100; };
    row("sub-trim 14") << none << 23 << "14" << trimMin << trimMin;
    row("invalid characters in an end point")
        << RecordEdit([](auto &p) { p.epaLeft[0] = 50; }) << 25 << "ZZ"
        << RecordEdit([](auto &p) { p.epaLeft[0] = -16; })
        << RecordEdit([](auto &p) { p.epaLeft[0] = 96; });
    row("half a hex field invalid")
        << none << 41 << "7?" << RecordEdit([](auto &p) { p.epaRight[0] = -16; }) << none;
    row("invalid digit") << none << 3 << "x" << RecordEdit([](auto &p) { p.rev[2] = 0; })
                         << RecordEdit([](auto &p) { p.rev[2] = 0; });
    const RecordEdit alarm = [](auto &p) {
        p.alarmVoltRaw = 58;
        p.alarmVolt = 5.8;
    };
    row("alarm voltage") << none << 77 << "4A" << alarm << alarm;
    const RecordEdit atti = [](auto &p) { p.attiMode = 2; };
    row("attitude mode") << none << 82 << "2" << atti << atti;
    row("hex letter in a digit field")
        << none << 82 << "A" << RecordEdit([](auto &p) { p.attiMode = 10; }) << none;
    const RecordEdit upper = [](auto &p) { p.elev[4] = -100; };
    row("elevon in wire order") << none << 98 << "14" << upper << upper;
    const RecordEdit position = [](auto &p) { p.drPosition = 1; };
    row("dual-rate position") << none << 213 << "1" << position << position;
    const RecordEdit extra = [](auto &p) {
        p.extraWord = 110;
        p.extraWordScaled = 11.0;
    };
    row("extra word") << RecordEdit([](auto &p) {
        p.extraWord = 7;
        p.extraWordScaled = 0.7;
    }) << 230 << "110" << extra
                      << extra;
    const RecordEdit badDigit = [](auto &p) {
        p.extraWord = 105;
        p.extraWordScaled = 10.5;
    };
    row("extra word with a bad digit") << none << 230 << "1x5" << badDigit << badDigit;
    const RecordEdit drSwitch = [](auto &p) { p.drSwitch = 1; };
    row("dual-rate switch") << none << 235 << "1" << drSwitch << drSwitch;
    row("dual-rate switch out of range")
        << none << 235 << "9" << RecordEdit([](auto &p) { p.drSwitch = 9; }) << none;
    row("G constant ignored") << none << 117 << "Q" << none << none;
    row("tails ignored") << none << 236 << "ABCDEF" << none << none;
}

// Starting from a record that differs from the saved one everywhere, so every
// field must really come from the file.
void TestParameterFile::fieldsAtTheirPositions()
{
    QFETCH(RecordEdit, saved);
    QFETCH(int, position);
    QFETCH(QString, characters);
    QFETCH(RecordEdit, parsed);
    QFETCH(RecordEdit, validated);

    TxParamsRecord savedRecord{};
    saved(savedRecord);
    QString text = fileTextOf(savedRecord);
    text.replace(position, characters.size(), characters);

    TxParamsRecord loaded = distinctRecord();
    loaded.drRate = 33;
    loaded.drExp = 44;
    loaded.firmwareVersion = 555;
    files::parseParameterText(text, loaded);

    const auto expected = [&savedRecord](const RecordEdit &difference) {
        TxParamsRecord p = savedRecord;
        p.alarmVolt = p.alarmVoltRaw / 10.0; // derived on loading only
        p.drRate = 33;                       // none of these three is in a file
        p.drExp = 44;
        p.firmwareVersion = 555;
        difference(p);
        return p;
    };
    QCOMPARE(loaded, expected(parsed));
    params::validate(loaded);
    QCOMPARE(loaded, expected(validated));
}

void TestParameterFile::startupRecordSavesAsDesigned()
{
    const QStringList frames = buildFrames(TxParamsRecord{});
    const QByteArray content = files::parameterFileContent(frames[0], frames[1], frames[2]);
    QCOMPARE(content.size(), files::fileLength);
    QCOMPARE(QString::fromLatin1(content), startupFileText);
}

void TestParameterFile::savedFilesLoadBackUnchanged()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("params.txt");
    // A field the record leaves at its start value would not show a load
    // that misses it.
    QCOMPARE(fieldsAtStart(distinctRecord()), QString("firmware_version"));
    QRandomGenerator g(4242);
    for (int i = 0; i < 100; ++i) {
        const TxParamsRecord saved = randomRecord(g, true);
        const QStringList frames = buildFrames(saved);
        QString error;
        QVERIFY2(files::writeParameterFile(
                     path, files::parameterFileContent(frames[0], frames[1], frames[2]), &error),
                 qPrintable(error));

        TxParamsRecord loaded = distinctRecord();
        QVERIFY(files::readParameterFile(path, loaded).complete());
        loaded.drRate = saved.drRate; // not carried by the file
        loaded.drExp = saved.drExp;
        loaded.firmwareVersion = saved.firmwareVersion;
        QCOMPARE(loaded, saved);
    }
}

void TestParameterFile::filesOfEarlierVersionsLoadUnrepaired_data()
{
    QTest::addColumn<QString>("path");
    const QDir data(QStringLiteral(TEST_DATA_DIR));
    const QStringList saved = data.entryList({"*.txt"}, QDir::Files);
    QVERIFY(!saved.isEmpty());
    for (const QString &name : saved)
        QTest::newRow(qPrintable(name)) << data.filePath(name);
}

// Files users saved with earlier versions are never rewritten: each loads
// whole, with no field repaired (txctl write would refuse it otherwise), and
// saves again byte for byte.
void TestParameterFile::filesOfEarlierVersionsLoadUnrepaired()
{
    QFETCH(QString, path);
    TxParamsRecord p;
    const files::ParameterReading read = files::readParameterFile(path, p);
    QVERIFY2(read.complete(), qPrintable(files::readProblemText(read)));
    const QString &text = read.text;
    QVERIFY(files::unreadableFields(text).isEmpty());
    QString repaired;
    for (const params::FieldChange &c : params::settle(p))
        repaired += c.field->name + ' ';
    QCOMPARE(repaired, QString());
    QCOMPARE(QString::fromLatin1(files::parameterFileContent(p)), text);
}

void TestParameterFile::readingAMissingFileFails()
{
    QTemporaryDir dir;
    TxParamsRecord p;
    const files::ParameterReading read = files::readParameterFile(dir.filePath("none.txt"), p);
    QCOMPARE(read.problem, files::ReadProblem::Unreadable);
    QVERIFY(!read.reason.isEmpty());
    QCOMPARE(p, TxParamsRecord{});
}

void TestParameterFile::saveReplacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("params.txt");
    QVERIFY(writeBytes(path, QByteArray(1000, 'x')));
    QString error;
    QVERIFY(files::writeParameterFile(path, startupFileText.toLatin1(), &error));
    QCOMPARE(contentOf(path), startupFileText.toLatin1());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"params.txt"});
}

void TestParameterFile::failedSaveKeepsWhatWasThere_data()
{
    QTest::addColumn<FailingTarget>("target");
    QTest::addColumn<bool>("sizeLimited"); // writes beyond 100 bytes fail

    QTest::newRow("parent folder is a file") << FailingTarget([](const QDir &dir) {
        writeBytes(dir.filePath("plain"), "old");
        return dir.filePath("plain/params.txt");
    }) << false;
    QTest::newRow("target is a folder") << FailingTarget([](const QDir &dir) {
        dir.mkdir("params.txt");
        writeBytes(dir.filePath("params.txt/inside"), "old");
        return dir.filePath("params.txt");
    }) << false;
    QTest::newRow("existing file, write cut short") << FailingTarget([](const QDir &dir) {
        writeBytes(dir.filePath("params.txt"), "old");
        return dir.filePath("params.txt");
    }) << true;
}

// Whatever stands at or around the target before a failed save stands there
// unchanged afterwards, and no half-written file is left behind. The file
// size limit makes the last row fail while writing, after the open worked.
void TestParameterFile::failedSaveKeepsWhatWasThere()
{
    QFETCH(FailingTarget, target);
    QFETCH(bool, sizeLimited);

    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString path = target(dir);
    const auto snapshot = [&dir] {
        QStringList state;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            state << entry + ":" + (QFileInfo(entry).isFile() ? contentOf(entry) : "dir");
        }
        state.sort();
        return state;
    };
    const QStringList before = snapshot();

    QString error;
    bool written = false;
    {
        const std::unique_ptr<FileSizeLimit> limit(sizeLimited ? new FileSizeLimit(100) : nullptr);
        written = files::writeParameterFile(path, startupFileText.toLatin1(), &error);
    }
    QCOMPARE(snapshot(), before);
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
}

QTEST_APPLESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
