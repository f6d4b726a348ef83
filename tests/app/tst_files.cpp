// Save and load through the window, with its real file dialogs and boxes.
#include "../files/filetestsupport.h"
#include "../protocol/testsupport.h"
#include "mainwindow.h"
#include "validation.h"
#include "windowrecords.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace
{

// The "Blength" lines of the debug log.
QStringList lengthLog;
QtMessageHandler defaultHandler = nullptr;
void captureLengthLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && message.startsWith(QLatin1String("Blength")))
        lengthLog << message;
    else if (type != QtDebugMsg)
        defaultHandler(type, context, message);
}

// What the user does in the file dialog.
enum class Answer { Choose, Cancel, ChooseThenDelete, List, ListOtherFilter, TypeOtherFilter };

// Answers the next file dialog and records the message boxes that follow,
// closing each with its default button.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer(Answer answer, const QString &path) : answer(answer), path(path)
    {
        connect(&poll, &QTimer::timeout, this, &DialogAnswerer::look);
        poll.start(10);
    }

    bool dialogSeen = false;
    QStringList boxes;  // "title|text" of each box
    QStringList listed; // names the dialog shows (List answers)

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialogSeen = true;
            if (answer == Answer::TypeOtherFilter) {
                auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                QTest::keyClicks(name, path);
                QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
                listed = QStringList{name->text()};
                dialog->reject();
                return;
            }
            if (answer == Answer::List || answer == Answer::ListOtherFilter) {
                list(dialog);
                return;
            }
            if (answer == Answer::Cancel) {
                dialog->reject();
                return;
            }
            if (answer == Answer::ChooseThenDelete)
                connect(dialog, &QFileDialog::fileSelected,
                        [](const QString &chosen) { QFile::remove(chosen); });
            // selectFile() leaves the name field alone while it has the
            // focus, and offscreen windows are active, so type the path.
            dialog->selectFile(path);
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            // Queued: a question the dialog asks on accepting (replace the
            // file?) runs its own loop, in which this poll must go on.
            if (!accepting)
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            accepting = true;
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (QAbstractButton *yes = box->button(QMessageBox::Yes)) { // replace the file?
                yes->click();
                return;
            }
            boxes << box->windowTitle() + "|" + box->text();
            box->accept();
        }
    }

    // Picks the other filter entry as a user would, waits until the folder
    // has been read ("params.txt" shows under every entry), then cancels.
    void list(QFileDialog *dialog)
    {
        if (answer == Answer::ListOtherFilter && !filterSwitched) {
            QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
            filterSwitched = true;
            return;
        }
        const auto *view = dialog->findChild<QListView *>("listView");
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        if (!names.contains("params.txt") && ++waits < 300)
            return;
        listed = names;
        dialog->reject();
    }

    bool accepting = false;
    bool filterSwitched = false;
    int waits = 0;
    QTimer poll;
    Answer answer;
    QString path;
};

const QString fileErrorBox = QStringLiteral("错误|不能读取指定的文件!");

void restoreFrameBuffers()
{
    frameTextS = QString::fromLatin1(protocol::startupFrameTextS);
    frameTextG = QString::fromLatin1(protocol::startupFrameTextG);
    frameTextH = QString::fromLatin1(protocol::startupFrameTextH);
}

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void saveWritesTheFramesOfTheStore();
    void saveThenLoadRestoresTheStore();
    void cancelledSaveWritesNothing();
    void failedSaveShowsTheBox_data();
    void failedSaveShowsTheBox();
    void saveTargets_data();
    void saveTargets();
    void loadCases_data();
    void loadCases();
    void filterEntries_data();
    void filterEntries();
    void allFilesKeepsTheTypedName();

private:
    QTemporaryDir workDir; // the dialogs start in the working directory
    QString previousDir;
};

// Clicks a file command of w with the dialog answered; returns the boxes
// shown, once the command has returned.
static QStringList runFileCommand(MainWindow &w, const char *slot, Answer answer,
                                  const QString &path)
{
    DialogAnswerer answerer(answer, path);
    QMetaObject::invokeMethod(&w, slot);
    if (!answerer.dialogSeen)
        return {"no file dialog"};
    return answer >= Answer::List ? answerer.listed : answerer.boxes;
}

static QStringList save(MainWindow &w, Answer answer, const QString &path)
{
    return runFileCommand(w, "on_toolButton_Save_clicked", answer, path);
}

static QStringList load(MainWindow &w, Answer answer, const QString &path)
{
    return runFileCommand(w, "on_toolButton_Load_clicked", answer, path);
}

void TestFiles::initTestCase()
{
    QVERIFY(workDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    defaultHandler = qInstallMessageHandler(captureLengthLog);
}

void TestFiles::cleanupTestCase()
{
    qInstallMessageHandler(nullptr);
    QDir::setCurrent(previousDir);
}

void TestFiles::init()
{
    TxParams = TxParamsRecord{};
    restoreFrameBuffers();
    loadedText = QStringLiteral("before");
    lengthLog.clear();
    for (const QFileInfo &entry :
         QDir(workDir.path()).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        QFile::remove(entry.filePath());
}

// Saving builds the frames into their buffers as a write would, and the file
// is exactly those buffers; nothing needs the link (it is closed here).
void TestFiles::saveWritesTheFramesOfTheStore()
{
    MainWindow w;
    const QString path = workDir.filePath("startup.txt");
    QCOMPARE(save(w, Answer::Choose, path), QStringList());
    QCOMPARE(QString::fromLatin1(contentOf(path)), startupFileText);
    QCOMPARE(frameTextS + frameTextG + frameTextH, startupFileText);
}

void TestFiles::saveThenLoadRestoresTheStore()
{
    MainWindow w;
    const QString path = workDir.filePath("round.dat");
    QCOMPARE(save(w, Answer::Choose, path), QStringList());

    TxParams.subTrim[3] = 25;
    TxParams.attiMode = 1;
    TxParams.thCurve[2] = 70;
    QCOMPARE(load(w, Answer::Choose, path), QStringList());

    TxParamsRecord expected{};
    expected.alarmVolt = 3.7; // the file carries the raw tenths of a volt only
    QCOMPARE(TxParams, expected);
    QCOMPARE(loadedText, startupFileText);
}

void TestFiles::cancelledSaveWritesNothing()
{
    MainWindow w;
    QCOMPARE(save(w, Answer::Cancel, workDir.filePath("never.txt")), QStringList());
    QCOMPARE(QDir(workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(frameTextS, QString::fromLatin1(protocol::startupFrameTextS));
    QCOMPARE(frameTextG, QString::fromLatin1(protocol::startupFrameTextG));
    QCOMPARE(frameTextH, QString::fromLatin1(protocol::startupFrameTextH));
}

void TestFiles::failedSaveShowsTheBox_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("sizeLimited"); // writes beyond 100 bytes fail

    QTest::newRow("parent folder is a file") << "plain/params.txt" << false;
    QTest::newRow("write cut short") << "params.txt" << true;
}

void TestFiles::failedSaveShowsTheBox()
{
    QFETCH(QString, target);
    QFETCH(bool, sizeLimited);

    QVERIFY(writeBytes(workDir.filePath("plain"), "old"));
    MainWindow w;
    QStringList boxes;
    {
        const std::unique_ptr<FileSizeLimit> limit(sizeLimited ? new FileSizeLimit(100) : nullptr);
        boxes = save(w, Answer::Choose, workDir.filePath(target));
    }
    // The file as chosen, then the system's reason on a line of its own.
    const QString said = QStringLiteral("错误|无法写入文件 %1：\n").arg(workDir.filePath(target));
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].startsWith(said) && boxes[0].size() > said.size(), qPrintable(boxes[0]));
    QCOMPARE(QDir(workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"plain"});
    QCOMPARE(contentOf(workDir.filePath("plain")), QByteArray("old"));
}

void TestFiles::saveTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a device: refused, the device stays") << "device";
    QTest::newRow("file with a second hard link: both names hold the save") << "hard link";
    QTest::newRow("file with its own mode: kept") << "mode";
}

void TestFiles::saveTargets()
{
    QFETCH(QString, kind);
    const QString other = workDir.filePath("other");
    const QString target = kind == "mode" ? other : workDir.filePath("target");
    if (kind == "device") { // the kernel's /dev/full, made here
        if (::mknod(QFile::encodeName(other).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no device nodes may be made here");
        QVERIFY(QFile::link(other, target));
    } else {
        QVERIFY(writeBytes(other, "old"));
        QVERIFY(kind != "hard link" || ::link(QFile::encodeName(other).constData(),
                                              QFile::encodeName(target).constData()) == 0);
        QVERIFY(
            QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }
    MainWindow w;
    const QStringList boxes = save(w, Answer::Choose, target);
    struct stat st {
    };
    QCOMPARE(::stat(QFile::encodeName(other).constData(), &st), 0);
    if (kind == "device") {
        QCOMPARE(boxes,
                 QStringList{QStringLiteral("错误|无法写入文件 %1：\n这是设备或管道，不是普通文件；"
                                            "参数只保存到文件。")
                                 .arg(target)});
        QVERIFY(S_ISCHR(st.st_mode));
        return;
    }
    QCOMPARE(boxes.join('\n'), QString());
    QCOMPARE(contentOf(target), startupFileText.toLatin1());
    QCOMPARE(st.st_nlink, nlink_t(kind == "hard link" ? 2 : 1));
    QCOMPARE(st.st_mode & 0777, mode_t(0640));
}

void TestFiles::loadCases_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("answer");
    QTest::addColumn<RecordEdit>("outcome"); // applied to the store loaded from
    QTest::addColumn<bool>("textRead");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("boxes");

    QByteArray trimmed = startupFileText.toLatin1();
    trimmed.replace(9, 2, "DC"); // subTrim[0] = 100
    const RecordEdit loadedAll = [](TxParamsRecord &p) {
        p = TxParamsRecord{};
        p.subTrim[0] = 100;
        p.alarmVolt = 3.7;
    };
    const RecordEdit repairedOnly = [](TxParamsRecord &p) {
        p.extraWord = 110;
        p.extraWordScaled = 11.0;
    };
    const RecordEdit loadedSG = [repairedOnly](TxParamsRecord &p) {
        repairedOnly(p); // the H frame's word, missing, is repaired
        p.subTrim[0] = 100;
        p.alarmVolt = 3.7;
    };
    const RecordEdit untouched = [](TxParamsRecord &) {};
    const auto lengths = [](int length, const char *which) {
        QStringList lines;
        for (const char *c = which; *c; ++c)
            lines << QStringLiteral("Blength0%1:%2").arg(QChar(*c)).arg(length);
        return lines;
    };
    const auto note = [](const char *text) {
        return QStringList{QStringLiteral("提示|") + QString::fromUtf8(text) +
                           QStringLiteral("\n没有加载任何设置，表单保留原值。")};
    };
    const auto missing = [](char frame, const char *loaded) {
        return QStringList{
            QStringLiteral("提示|文件中没有找到 %1 帧（标记不在应有的位置），表单保留"
                           "这些设置的原值。\n已加载 %2 帧。")
                .arg(QChar(frame), QString::fromUtf8(loaded))};
    };
    const int choose = int(Answer::Choose);
    const QByteArray s = trimmed.left(81), g = trimmed.mid(81, 81), h = trimmed.mid(162);
    const QString wide = QChar(0xFEFF) + QString::fromLatin1(trimmed);

    QTest::newRow("whole file") << trimmed << choose << loadedAll << true << lengths(243, "0123")
                                << QStringList();
    QTest::newRow("whole file and a line break")
        << trimmed + "\n"
        << choose << loadedAll << true << lengths(244, "0123") << QStringList();
    QTest::newRow("byte-order mark, CRLF after every frame")
        << "\xEF\xBB\xBF" + s + "\r\n" + g + "\r\n" + h + "\r\n"
        << choose << loadedAll << true << lengths(252, "0123") << QStringList();
    QTest::newRow("frames on separate lines") << s + "\n" + g + "\n" + h << choose << loadedAll
                                              << true << lengths(245, "0123") << QStringList();
    QTest::newRow("cut to 200 characters") << trimmed.left(200) << choose << loadedSG << true
                                           << lengths(200, "012") << missing('H', "S、G");
    QTest::newRow("G frame's end marker out of place")
        << trimmed.left(160) + "ZY" + h << choose << loadedAll << true << lengths(243, "013")
        << missing('G', "S、H");
    QTest::newRow("S frame only") << s << choose << repairedOnly << true << lengths(81, "0")
                                  << note("文件只有 81 个字符，参数文件是 243 个字符。");
    QTest::newRow("empty") << QByteArray() << choose << repairedOnly << true << lengths(0, "0")
                           << note("文件是空的。");
    QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char *>(wide.utf16()),
                                          int(wide.size()) * 2)
                            << choose << repairedOnly << true << lengths(488, "0")
                            << note("文件是 UTF-16 文本，参数文件是 243 个 ASCII 字符。");
    QTest::newRow("binary junk") << QByteArray::fromHex("7f454c4602010100") + trimmed << choose
                                 << repairedOnly << true << lengths(251, "0")
                                 << note("文件不是文本文件（第 1 字节是控制字符 0x7f）。");
    QTest::newRow("97 MB") << QByteArray("97 MB") << choose << repairedOnly << false
                           << lengths(0, "0")
                           << note("文件太大（超过 65536 字节），参数文件只有 243 个字符。");
    QTest::newRow("dialog cancelled") << trimmed << int(Answer::Cancel) << repairedOnly << false
                                      << QStringList() << QStringList();
    QTest::newRow("file gone before it is read")
        << trimmed << int(Answer::ChooseThenDelete) << untouched << false << QStringList()
        << QStringList{fileErrorBox};
}

// The store starts with a marker the file does not carry (subTrim[0] = 7) and
// with an out-of-range value no editor shows (extraWord 5000), so the outcome
// tells whether the file was read and whether the repair ran.
void TestFiles::loadCases()
{
    QFETCH(QByteArray, content);
    QFETCH(int, answer);
    QFETCH(RecordEdit, outcome);
    QFETCH(bool, textRead);
    QFETCH(QStringList, log);
    QFETCH(QStringList, boxes);

    const QString path = workDir.filePath("params.txt");
    if (content == "97 MB") { // a parameter file, then zeros the file system need not store
        QVERIFY(writeBytes(path, startupFileText.toLatin1()));
        QVERIFY(QFile::resize(path, 97 * 1024 * 1024));
    } else {
        QVERIFY(writeBytes(path, content));
    }
    TxParams.subTrim[0] = 7;
    TxParams.extraWord = 5000;
    TxParams.extraWordScaled = 500.0;
    TxParamsRecord expected = TxParams;
    outcome(expected);

    MainWindow w;
    QCOMPARE(load(w, Answer(answer), path), boxes);
    QCOMPARE(TxParams, expected);
    QCOMPARE(loadedText, textRead ? QString::fromLatin1(content.constData(), content.size())
                         : answer == int(Answer::Choose) ? QString()
                                                         : QStringLiteral("before"));
    QCOMPARE(lengthLog, log);
}

void TestFiles::filterEntries_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("listed");
    const QString save = "on_toolButton_Save_clicked", load = "on_toolButton_Load_clicked";
    const int first = int(Answer::List), second = int(Answer::ListOtherFilter);
    const QStringList all = {"mymodel", "params.txt"}, text = {"params.txt"};
    QTest::newRow("load, all files") << load << first << all;
    QTest::newRow("load, text files") << load << second << text;
    QTest::newRow("save, text files") << save << first << text;
    QTest::newRow("save, all files") << save << second << all;
}

// The save dialog adds no suffix, so "所有文件 (*.*)" must offer names
// without a dot as well.
void TestFiles::filterEntries()
{
    QFETCH(QString, slot);
    QFETCH(int, answer);
    QFETCH(QStringList, listed);
    MainWindow w;
    QCOMPARE(save(w, Answer::Choose, workDir.filePath("mymodel")), QStringList());
    QVERIFY(writeBytes(workDir.filePath("params.txt"), "x"));
    QStringList shown = runFileCommand(w, qPrintable(slot), Answer(answer), QString());
    shown.sort();
    QCOMPARE(shown, listed);
}

// The dialog puts an entry's suffix on the typed name; "*.*" must not.
void TestFiles::allFilesKeepsTheTypedName()
{
    MainWindow w;
    QCOMPARE(runFileCommand(w, "on_toolButton_Save_clicked", Answer::TypeOtherFilter, "my.txt"),
             QStringList{"my.txt"});
}

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
