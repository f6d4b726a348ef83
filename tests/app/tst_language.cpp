// The window in either language: texts from the translation, and otherwise
// the same program (the link state is read from a translated caption).
#include "../files/filetestsupport.h"
#include "language.h"
#include "mainwindow.h"
#include "portlist.h"
#include "ptypeer.h"
#include "uitexts.h"
#include "waitms.h"

#include <QAbstractButton>
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
#include <QTimer>
#include <QtTest>

namespace
{
// Answers every modal box and file dialog as it shows, noting its texts as
// "title|text|button texts" (a dialog: "title|accept button|filters").
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(const QString &path) : path(path)
    {
        connect(&poll, &QTimer::timeout, this, &ModalAnswerer::look);
        poll.start(10);
    }
    QStringList seen;

private:
    static QString buttonTexts(const QDialogButtonBox *box, QDialogButtonBox::ButtonRole role)
    {
        QStringList texts;
        for (QAbstractButton *b : box->buttons())
            if (box->buttonRole(b) == role)
                texts << b->text();
        return texts.join(',');
    }

    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        auto *buttons = modal ? modal->findChild<QDialogButtonBox *>() : nullptr;
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            seen << dialog->windowTitle() + '|' +
                        buttonTexts(buttons, QDialogButtonBox::AcceptRole) + '|' +
                        dialog->nameFilters().join(";;");
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            static_cast<QDialog *>(dialog)->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << box->windowTitle() + '|' + box->text() + '|' +
                        buttonTexts(buttons, QDialogButtonBox::AcceptRole);
            box->done(0);
        }
    }

    QTimer poll;
    QString path;
};

bool hasChinese(const QString &s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        return c.script() == QChar::Script_Han || c.unicode() >= 0xFF00; // full-width punctuation
    });
}

// Every text the window shows or offers: string properties of every object
// (texts, titles, tooltips, place-holders), combo items and tab titles.
QStringList chineseTexts(const QObject *root)
{
    QStringList found;
    QList<const QObject *> objects{root};
    for (const QObject *o : root->findChildren<QObject *>())
        objects << o;
    for (const QObject *o : objects) {
        const QMetaObject *meta = o->metaObject();
        QStringList texts;
        for (int i = 0; i < meta->propertyCount(); ++i)
            if (meta->property(i).userType() == QMetaType::QString &&
                strcmp(meta->property(i).name(), "styleSheet") != 0)
                texts << meta->property(i).read(o).toString();
        if (auto *combo = qobject_cast<const QComboBox *>(o))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto *tabs = qobject_cast<const QTabWidget *>(o))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        for (const QString &t : texts)
            if (hasChinese(t))
                found << o->objectName() + ": " + t;
    }
    return found;
}
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheLanguage_data();
    void choosesTheLanguage();
    void englishWindowHasNoChinese();
    void sameProgramInEitherLanguage_data();
    void sameProgramInEitherLanguage();
    void cleanupTestCase() { language::apply("zh"); }
};

void TestLanguage::choosesTheLanguage_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("error");

    const auto row = [](const char *name, const char *option, const char *environment,
                        const char *expected, bool error) {
        QTest::newRow(name) << QString(option) << QString(environment) << QString(expected)
                            << error;
    };
    row("nothing given: Chinese", "", "", "zh", false);
    row("option", "en", "", "en", false);
    row("environment with region", "", "EN_gb.UTF-8", "en", false);
    row("option beats environment", "zh", "en", "zh", false);
    row("unknown option", "fr", "en", "zh", true);
    row("unknown environment", "", "de_DE", "zh", true);
}

void TestLanguage::choosesTheLanguage()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, expected);
    QFETCH(bool, error);
    QString message;
    QCOMPARE(language::choose(option, environment, &message), expected);
    QCOMPARE(!message.isEmpty(), error);
}

void TestLanguage::englishWindowHasNoChinese()
{
    QCOMPARE(language::apply("en"), QString());
    MainWindow w;
    w.show();
    waitMs(250); // display refreshes rewrite editors and style sheets
    const QStringList chinese = chineseTexts(&w);
    QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join("; ")));
    QCOMPARE(w.findChild<QPushButton *>("openButton")->text(), QString("OPEN"));
}

// One session per language on a link and a file: the boxes and dialogs speak
// the language (Qt's own buttons included), the bytes and the file do not.
void TestLanguage::sameProgramInEitherLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("seen");
    const QString zhFilter = QStringLiteral("文本文件 (*.txt *.dat);;所有文件 (*.*)");
    QTest::newRow("Chinese") << QString("zh")
                             << QStringList{"提示|无法打开串口！|确定",
                                            "保存数据|保存(&S)|" + zhFilter};
    QTest::newRow("English") << QString("en")
                             << QStringList{"Note|Please open the serial port!|OK",
                                            "SAVE|&Save|file (*.txt *.dat);;allfile (*.*)"};
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
    auto *openButton = w.findChild<QPushButton *>("openButton");

    QMetaObject::invokeMethod(&w, "on_toolButton_Read_clicked"); // link closed: a box
    openButton->click();
    QCOMPARE(openButton->text(), uitexts::closeCaption());
    QMetaObject::invokeMethod(&w, "on_toolButton_Send_clicked");
    const QByteArray frames = startupFileText.toLatin1();
    QTRY_COMPARE(peer.received(), "OK" + frames + "WWW");
    peer.clear();
    QMetaObject::invokeMethod(&w, "on_toolButton_Save_clicked");
    openButton->click();
    QCOMPARE(openButton->text(), uitexts::openCaption());

    QCOMPARE(answerer.seen, seen);
    QCOMPARE(contentOf(path), frames);
    QTRY_COMPARE(peer.received(), QByteArray("DIS"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
