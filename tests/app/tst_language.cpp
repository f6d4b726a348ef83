// The window in either language: texts from the translation, and otherwise
// the same program (the link state is read from a translated caption).
#include "../files/filetestsupport.h"
#include "fieldcatalogue.h"
#include "filedialogs.h"
#include "language.h"
#include "mainwindow.h"
#include "portlist.h"
#include "ptypeer.h"
#include "txparams.h"
#include "uitexts.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

namespace
{
// Notes every modal box or file dialog as "title|text or filters|accept
// button" and answers it (a file dialog with `path`).
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(const QString &path)
    {
        connect(&poll, &QTimer::timeout, this, [this, path] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *box = qobject_cast<QMessageBox *>(modal);
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!box && !dialog)
                return;
            const auto accept = box ? QDialogButtonBox::Ok : QDialogButtonBox::Save;
            seen << modal->windowTitle() + '|' +
                        (box ? box->text() : dialog->nameFilters().join(";;")) + '|' +
                        modal->findChild<QDialogButtonBox *>()->button(accept)->text();
            if (dialog)
                dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            static_cast<QDialog *>(modal)->accept();
        });
        poll.start(10);
    }
    QStringList seen;

private:
    QTimer poll;
};

// A translator that words the open button's captions other than the English
// window does.
class PseudoTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        if (qstrcmp(source, "打开串口") == 0)
            return QStringLiteral("Verbinden");
        if (qstrcmp(source, "关闭串口") == 0)
            return QStringLiteral("Trennen");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// Every text the window shows or offers: string properties of every object
// (texts, titles, tooltips, place-holders), combo items and tab titles.
QStringList chineseTexts(const QObject *root)
{
    QStringList found;
    QList<const QObject *> objects{root};
    for (const QObject *o : root->findChildren<QObject *>())
        objects << o;
    for (const QObject *o : objects) {
        QStringList texts;
        for (int i = 0; i < o->metaObject()->propertyCount(); ++i)
            if (o->metaObject()->property(i).userType() == QMetaType::QString)
                texts << o->metaObject()->property(i).read(o).toString();
        if (auto *combo = qobject_cast<const QComboBox *>(o))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto *tabs = qobject_cast<const QTabWidget *>(o))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        for (const QString &t : texts)
            if (std::any_of(t.begin(), t.end(), [](QChar c) {
                    return c.script() == QChar::Script_Han || c.unicode() >= 0xFF00; // full width
                }))
                found << o->objectName() + ": " + t.left(40);
    }
    return found;
}
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheLanguage();
    void sameProgramInEitherLanguage_data();
    void sameProgramInEitherLanguage();
    void fileDetailsInTheLanguage_data();
    void labelsSayWhatTheySet_data();
    void captionsInAnyTranslation();
    void tooltipsEverywhere_data();
    void tooltipsEverywhere();
    void tooltipsSayWhatTheySet_data();
    void tooltipsSayWhatTheySet();
    void labelsSayWhatTheySet();
    void fileDetailsInTheLanguage();
    void cleanupTestCase() { language::apply("zh"); }
};

void TestLanguage::choosesTheLanguage()
{
    QString error;
    QCOMPARE(language::choose({}, {}, &error), QString("zh"));
    QCOMPARE(language::choose({}, "EN_gb.UTF-8", &error), QString("en"));
    QCOMPARE(language::choose("zh", "en", &error), QString("zh")); // the option wins
    QVERIFY(error.isEmpty());
    QCOMPARE(language::choose({}, "de_DE", &error), QString("zh"));
    QVERIFY(!error.isEmpty());
}

// One session per language on a link and a file: the boxes and dialogs speak
// the language (Qt's own buttons included), the bytes and the file do not.
void TestLanguage::sameProgramInEitherLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("Chinese") << QString("zh")
                             << QStringList{
                                    "提示|无法打开串口！|确定",
                                    "保存数据|文本文件 (*.txt *.dat);;所有文件 (*.*)|保存(&S)"};
    QTest::newRow("English") << QString("en")
                             << QStringList{"Note|Please open the serial port!|OK",
                                            "SAVE|file (*.txt *.dat);;allfile (*.*)|&Save"};
}

void TestLanguage::sameProgramInEitherLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, seen);
    QCOMPARE(language::apply(lang), QString());
    PtyPeer peer;
    QVERIFY(peer.isValid());
    portlist::setPreferredPorts({peer.slavePath()});
    QTemporaryDir dir;
    const QString path = dir.filePath("params.txt");
    ModalAnswerer answerer(path);
    MainWindow w;
    w.show();
    auto *openButton = w.findChild<QPushButton *>("openButton");

    QMetaObject::invokeMethod(&w, "on_toolButton_Read_clicked"); // link closed: a box
    openButton->click();
    QCOMPARE(openButton->text(), uitexts::closeCaption());
    // A save with the link open sends the frames too, without "WWW".
    QMetaObject::invokeMethod(&w, "on_toolButton_Save_clicked");
    const QByteArray frames = startupFileText.toLatin1();
    QTRY_COMPARE(peer.received(), "OK" + frames);
    QTRY_VERIFY(w.findChild<QToolButton *>("toolButton_Send")->isEnabled());
    peer.clear();
    QMetaObject::invokeMethod(&w, "on_toolButton_Send_clicked");
    QTRY_COMPARE(peer.received(), frames + "WWW" + "RR");
    peer.clear();
    QVERIFY(peer.answerRead(TxParamsRecord()));
    QTRY_VERIFY(w.findChild<QToolButton *>("toolButton_Save")->isEnabled());
    peer.clear();
    openButton->click();
    QCOMPARE(openButton->text(), uitexts::openCaption());

    QCOMPARE(answerer.seen, seen);
    QCOMPARE(contentOf(path), frames);
    QTRY_COMPARE(peer.received(), QByteArray("DIS"));
    if (lang == "en") {
        const QStringList chinese = chineseTexts(&w);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join("; ")));
    }
}

void TestLanguage::fileDetailsInTheLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("size");
    QTest::newRow("Chinese") << "zh" << QString("243 字节");
    QTest::newRow("English") << "en" << QString("243 bytes");
}

// The file dialog's detail view gives sizes and dates in the window's
// language, whatever the system's locale (here the C locale).
void TestLanguage::fileDetailsInTheLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QString, size);
    QCOMPARE(language::apply(lang), QString());
    QTemporaryDir dir;
    QFile file(dir.filePath("model.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(243, '0'));
    file.close();
    QStringList details;
    int polls = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *view = dialog->findChild<QTreeView *>("treeView");
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            if (view->model()->index(row, 0, root).data() == "model.txt")
                details << view->model()->index(row, 1, root).data().toString()
                        << view->model()->index(row, 3, root).data().toString();
        if (!details.isEmpty() || ++polls > 500) // the listing comes from a thread
            dialog->reject();
    });
    poll.start(10);
    filedialogs::openFileName(nullptr, "Open", dir.path(), "All (*)");
    QCOMPARE(details.value(0), size);
    const QDateTime modified = QFileInfo(file).lastModified();
    QCOMPARE(details.value(1), QLocale(lang).toString(modified, QLocale::ShortFormat));
    QVERIFY(details.value(1) != QLocale::c().toString(modified, QLocale::ShortFormat));
}

void TestLanguage::labelsSayWhatTheySet_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("texts"); // dual rate, mix 1, no signal
    QTest::newRow("Chinese") << "zh" << QStringList{"混控:", "混控:", "null"};
    QTest::newRow("English") << "en" << QStringList{"State:", "Mix:", "--"};
}

// The label that switches dual rate on and off is no mix in English, while
// the programmable mix keeps its word; Chinese reads as the form has it.
void TestLanguage::labelsSayWhatTheySet()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, texts);
    QCOMPARE(language::apply(lang), QString());
    MainWindow w;
    QStringList shown;
    for (const char *name : {"lineEdit_53", "lineEdit_80", "lineEdit_RSSI"})
        shown << w.findChild<QLineEdit *>(name)->text();
    QCOMPARE(shown, texts);
}

// The link state is the caption: with other words for OPEN and CLOSE, the
// first click still opens (and greets), the second closes.
void TestLanguage::captionsInAnyTranslation()
{
    QCOMPARE(language::apply("en"), QString());
    PseudoTranslator pseudo;
    QVERIFY(QCoreApplication::installTranslator(&pseudo));
    PtyPeer peer;
    QVERIFY(peer.isValid());
    portlist::setPreferredPorts({peer.slavePath()});
    MainWindow w;
    auto *openButton = w.findChild<QPushButton *>("openButton");
    QCOMPARE(openButton->text(), QString("Verbinden"));
    openButton->click();
    QCOMPARE(openButton->text(), QString("Trennen"));
    QTRY_COMPARE(peer.received(), QByteArray("OK"));
    peer.clear();
    openButton->click();
    QCOMPARE(openButton->text(), QString("Verbinden"));
    QTRY_COMPARE(peer.received(), QByteArray("DIS"));
    QCoreApplication::removeTranslator(&pseudo);
}

void TestLanguage::tooltipsEverywhere_data()
{
    QTest::addColumn<QString>("lang");
    QTest::newRow("Chinese") << "zh";
    QTest::newRow("English") << "en";
}

bool hasHan(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar ch) { return ch.script() == QChar::Script_Han; });
}

// What hovering a widget does before its tooltip shows.
QWidget *hovered(QWidget *widget)
{
    QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), widget->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(widget, &hover);
    return widget;
}

// Every command, editor and box that only shows explains itself in one or
// two lines of the window's language, on whichever page it stands; and each
// description of the catalogue is translated, apart from the range line,
// which would bring Chinese characters of its own.
void TestLanguage::tooltipsEverywhere()
{
    QFETCH(QString, lang);
    QCOMPARE(language::apply(lang), QString());
    MainWindow w;
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setCurrentIndex(i);
    QList<QWidget *> controls;
    for (QWidget *c : w.findChildren<QAbstractButton *>())
        if (c->objectName().startsWith("toolButton") || c->objectName() == "openButton")
            controls << c;
    for (QWidget *c : w.findChildren<QAbstractSpinBox *>())
        controls << c;
    for (QWidget *c : w.findChildren<QComboBox *>())
        controls << c;
    for (const QWidget *c : controls) {
        const QString tip = c->toolTip();
        QVERIFY2(!tip.isEmpty() && tip.count('\n') < 2 && hasHan(tip) == (lang == "zh"),
                 qPrintable(c->objectName() + ": " + tip));
    }
    // Row labels too, once hovered; a row of several settings names each.
    w.show();
    for (QLineEdit *shows : w.findChildren<QLineEdit *>()) {
        if (!shows->isReadOnly() || shows->parentWidget()->inherits("QAbstractSpinBox"))
            continue;
        const QString tip = hovered(shows)->toolTip();
        QVERIFY2(!tip.isEmpty() && hasHan(tip) == (lang == "zh"),
                 qPrintable(shows->objectName() + ": " + tip));
    }
    // The boxes that name settings and values speak the window's language too.
    for (const params::Field &f : params::recordFields()) {
        const QString description = QCoreApplication::translate("params::Field", f.description);
        QVERIFY2(hasHan(description) == (lang == "zh"), qPrintable(f.name + ": " + description));
        QVERIFY2(hasHan(f.shownLabel()) == (lang == "zh"), qPrintable(f.name + ": " + f.shownLabel()));
        if (!f.choices.isEmpty() && f.choices.contains("off"))
            QCOMPARE(f.shownText(f.choices.indexOf("off")), lang == "zh" ? "关闭" : "off");
    }
}

void TestLanguage::tooltipsSayWhatTheySet_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tip");
    // clang-format off
    const struct {
        const char *name, *lang, *box, *tip;
    } rows[] = {
        {"trim, Chinese", "zh", "spinBox_sub1", "舵机中点的偏移（百分比）。\n范围 -100 至 100 %"},
        {"mix 3 rate, English", "en", "spinBox_PRM03_Data2",
         "Offset, upper-side and lower-side rate of the mix, in percent.\nRange -100 to 100 %; "
         "Up = rate with the master stick on its upper side"},
        {"alarm, English", "en", "doubleSpinBox_Volt",
         "Transmitter voltage below which it sounds the alarm.\nRange 0 to 23.9 V"},
        {"stick mode, English", "en", "spinBox_Mode",
         "Which stick works which channel.\nRange 0 to 4; Throttle on the right stick: modes 1, 3; "
         "on the left: modes 2, 4"},
        {"version, Chinese", "zh", "spinBox_Vertion", "遥控器报告的固件版本。"},
        {"channel value, English", "en", "lineEdit_3", "CH3 servo output, 1000 at centre"},
        {"label under a channel value", "en", "lineEdit_25", "CH8 servo output, 1000 at centre"},
        {"label of mix 1's offset", "en", "lineEdit_84",
         "Offset, upper-side and lower-side rate of the mix, in percent."},
        {"label of the basic page's CH8 row", "zh", "lineEdit_36",
         "该通道舵机的转动方向。\n舵机中点的偏移（百分比）。\n舵机向这一侧的行程（百分比）。\n"
         "失去信号时舵机的位置（百分比）。\n减慢舵机的动作（百分比）。\n驱动该通道的开关或旋钮。"},
    };
    // clang-format on
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString(r.lang) << QString(r.box) << QString::fromUtf8(r.tip);
}

// What a box's tooltip says, word for word: the description, the range
// from the catalogue (none for a box that only shows), what the labels mean.
void TestLanguage::tooltipsSayWhatTheySet()
{
    QFETCH(QString, lang);
    QFETCH(QString, box);
    QFETCH(QString, tip);
    QCOMPARE(language::apply(lang), QString());
    MainWindow w;
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");
    QWidget *shown = w.findChild<QWidget *>(box);
    w.show();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(shown))
            tabs->setCurrentIndex(i);
    QCOMPARE(hovered(shown)->toolTip(), tip);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
