// What the user changed against the transmitter, and the way back: the marks
// on the editors, Write's list of changes, undo and redo, and the plots
// changing their editors; against the virtual transmitter.
#include "changetext.h"
#include "language.h"
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "statefile.h"
#include "txparams.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace
{
// The amber outline shows on the editor's left edge.
bool marked(QWidget *editor)
{
    const QImage image = editor->grab().toImage();
    return image.pixelColor(1, image.height() / 2) == QColor(255, 170, 0);
}
} // namespace

class TestEdits : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void marksFollowTheTransmitter_data();
    void marksFollowTheTransmitter();
    void undoRedoThroughALoadAndARead();
    void writeTooltipInTheWindowLanguage_data();
    void writeTooltipInTheWindowLanguage();
    void dragOnAPlotSetsItsEditors_data();
    void dragOnAPlotSetsItsEditors();

private:
    QTemporaryDir dir;
    QProcess sim;
    std::unique_ptr<MainWindow> window;
    QStringList boxes;
    QTimer poll;
    QString loadPath; // the file the next file dialog chooses

    template <typename T = QWidget> T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    void openWindow(const QStringList &faults = {});
    void run(const char *button)
    {
        child<QToolButton>(button)->click();
        QTRY_VERIFY_WITH_TIMEOUT(child<QToolButton>("toolButton_Send")->isEnabled() &&
                                     child<QToolButton>("toolButton_Read")->isEnabled(),
                                 12000);
        QTest::qWait(150); // a display run
    }
    void typeInto(const QString &editor, const QString &text)
    {
        auto *box = child<QSpinBox>(editor);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

void TestEdits::init()
{
    TxParamsRecord held; // CH1 sub-trim 30 %
    held.subTrim[0] = 30;
    QString error;
    QVERIFY(statefile::save(dir.filePath("state.txt"), held, &error));
    TxParams = TxParamsRecord();
    boxes.clear();
    connect(&poll, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxes << box->text();
            box->done(0);
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            files->selectFile(loadPath);
            files->findChild<QLineEdit *>("fileNameEdit")->setText(loadPath);
            static_cast<QDialog *>(files)->accept();
        }
    });
    poll.start(10);
}

void TestEdits::cleanup()
{
    window.reset();
    poll.disconnect();
    poll.stop();
    sim.kill();
    sim.waitForFinished();
}

void TestEdits::openWindow(const QStringList &faults)
{
    const QString link = dir.filePath("tx");
    sim.start(TXSIM_PATH,
              QStringList{"--link", link, "--state", dir.filePath("state.txt")} + faults);
    QVERIFY(sim.waitForReadyRead(5000));
    portlist::setPreferredPorts({link});
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    child<QPushButton>("openButton")->click();
    child<QTabWidget>("tabWidget")->setCurrentIndex(1);
}

void TestEdits::marksFollowTheTransmitter_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("markedAfter");
    QTest::newRow("written and read back") << QStringList() << "toolButton_Send" << false;
    QTest::newRow("write not taken") << QStringList{"--ignore-writes"} << "toolButton_Send" << true;
    QTest::newRow("read over the edit") << QStringList() << "toolButton_Read" << false;
}

void TestEdits::marksFollowTheTransmitter()
{
    QFETCH(QStringList, faults);
    QFETCH(QString, command);
    QFETCH(bool, markedAfter);
    openWindow(faults);
    auto *tabs = child<QTabWidget>("tabWidget");
    auto *sub1 = child("spinBox_sub1");
    run("toolButton_Read");
    QVERIFY(!marked(sub1));
    QCOMPARE(tabs->tabToolTip(1), QString());

    typeInto("spinBox_sub1", "-20");
    QTest::qWait(150);
    QVERIFY(marked(sub1) && !marked(child("spinBox_sub2")));
    QVERIFY2(tabs->tabToolTip(1).contains(" 1 "), qPrintable(tabs->tabToolTip(1)));
    const QString tip = child("toolButton_Send")->toolTip();
    QVERIFY2(tip.contains("\nCH1 sub-trim: 30 % → -20 %\n"), qPrintable(tip));

    run(command.toLatin1().constData());
    QCOMPARE(marked(sub1), markedAfter);
    QCOMPARE(tabs->tabToolTip(1).isEmpty(), !markedAfter);
    QCOMPARE(child("toolButton_Send")->toolTip().contains("CH1 sub-trim"), markedAfter);
}

// Each Ctrl+Z takes back one step: the load, the typed value; a read
// too. The marks follow, and nothing is sent.
void TestEdits::undoRedoThroughALoadAndARead()
{
    openWindow();
    TxParamsRecord inFile;
    inFile.subTrim[0] = 12;
    loadPath = dir.filePath("model.txt");
    QString error;
    QVERIFY(files::writeParameterFile(loadPath, files::parameterFileContent(inFile), &error));
    auto *sub1 = child<QSpinBox>("spinBox_sub1");

    typeInto("spinBox_sub1", "-20");
    QMetaObject::invokeMethod(window.get(), "on_toolButton_Load_clicked");
    run("toolButton_Read");
    QCOMPARE(sub1->value(), 30);

    const struct {
        Qt::KeyboardModifiers keys;
        int key;
        int value;
        bool marked; // against the read
    } steps[] = {
        {Qt::ControlModifier, Qt::Key_Z, 12, true},
        {Qt::ControlModifier, Qt::Key_Z, -20, true},
        {Qt::ControlModifier, Qt::Key_Z, 0, true},
        {Qt::ControlModifier, Qt::Key_Z, 0, true}, // nothing before the start
        {Qt::ControlModifier, Qt::Key_Y, -20, true},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, 12, true},
        {Qt::ControlModifier, Qt::Key_Y, 30, false},
    };
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    sub1->setFocus();
    for (const auto &s : steps) {
        QTest::keyClick(sub1, s.key, s.keys);
        QTest::qWait(150);
        QCOMPARE(sub1->value(), s.value);
        QCOMPARE(TxParams.subTrim[0], s.value);
        QCOMPARE(marked(sub1), s.marked);
    }
    TxParamsRecord held;
    QVERIFY(statefile::load(dir.filePath("state.txt"), held, &error));
    QCOMPARE(held.subTrim[0], 30);
    QCOMPARE(boxes, QStringList());
}

void TestEdits::writeTooltipInTheWindowLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("changes"); // sub-trims, then delays
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("zh, one") << "zh" << 1 << QStringList{"CH1 中点微调: 0 % → -20 %"};
    QTest::newRow("en, one") << "en" << 1 << QStringList{"CH1 sub-trim: 0 % → -20 %"};
    QTest::newRow("zh, twelve") << "zh" << 12
                                << QStringList{"CH8 中点微调: 0 % → -20 %",
                                               "CH2 舵机延迟: 100 % → 80 %", "还有 2 项"};
    QTest::newRow("en, twelve") << "en" << 12
                                << QStringList{"CH8 sub-trim: 0 % → -20 %",
                                               "CH2 delay: 100 % → 80 %", "and 2 more"};
}

void TestEdits::writeTooltipInTheWindowLanguage()
{
    QFETCH(QString, language);
    QFETCH(int, changes);
    QFETCH(QStringList, lines);
    QCOMPARE(language::apply(language), QString());
    window = std::make_unique<MainWindow>();
    for (int i = 0; i < changes; ++i)
        (i < 8 ? TxParams.subTrim[i] : TxParams.delay[i - 8]) = i < 8 ? -20 : 80;
    QMetaObject::invokeMethod(window.get(), "ui_Display");
    const QStringList tip = child("toolButton_Send")->toolTip().split('\n');
    const int first = tip.indexOf(QRegularExpression("^CH1 .*"));
    QVERIFY2(first > 0, qPrintable(tip.join('\n')));
    QCOMPARE(tip.mid(first).filter("→").size(), qMin(changes, 10));
    for (const QString &line : lines)
        QVERIFY2(tip.contains(line), qPrintable(tip.join('\n')));
    // Every setting's label has its text in Chinese.
    for (const params::Field &f : params::recordFields())
        QVERIFY2(language != "zh" || f.shownLabel() != f.label, qPrintable(f.label));
    language::apply("zh");
}

void TestEdits::dragOnAPlotSetsItsEditors_data()
{
    QTest::addColumn<QString>("plot");
    QTest::addColumn<QString>("moves"); // "press x y", "move x y", "release", "focus", keys
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("afterUndo");
    // The form's plots: the throttle curve 595 x 430, point 3 at (205, 277),
    // 80 % at y 104; the dual-rate curve 585 x 430, right end at (565, 20).
    QTest::newRow("throttle point dragged") << "widget_4"
                                            << "press 205 277, move 205 150, move 205 104, release"
                                            << "spinBox_THCURE_Data03" << 80 << 33;
    QTest::newRow("throttle point by keys") << "widget_4"
                                            << "focus, right, right, up, up"
                                            << "spinBox_THCURE_Data03" << 35 << 34;
    QTest::newRow("dual-rate end dragged") << "widget_3"
                                           << "press 565 20, move 565 100, move 565 117, release"
                                           << "spinBox_DR_RATE" << 50 << 100;
    QTest::newRow("dual-rate bend dragged") << "widget_3"
                                            << "press 428 117, move 428 100, move 428 79, release"
                                            << "spinBox_DR_EXP" << 19 << 0;
}

void TestEdits::dragOnAPlotSetsItsEditors()
{
    QFETCH(QString, plot);
    QFETCH(QString, moves);
    QFETCH(QString, editor);
    QFETCH(int, value);
    QFETCH(int, afterUndo);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *w = child(plot);
    auto *tabs = child<QTabWidget>("tabWidget");
    QWidget *page = w;
    while (tabs->indexOf(page) < 0)
        page = page->parentWidget();
    tabs->setCurrentWidget(page);
    QTest::qWait(50); // the page's first showing orders its Tab stops
    for (const QString &move : moves.split(", ")) {
        const QStringList p = move.split(' ');
        const QPoint at(p.value(1).toInt(), p.value(2).toInt());
        const QEvent::Type type = p[0] == "press"  ? QEvent::MouseButtonPress
                                  : p[0] == "move" ? QEvent::MouseMove
                                                   : QEvent::MouseButtonRelease;
        if (p[0] == "press" || p[0] == "move" || p[0] == "release") {
            QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                              p[0] == "release" ? Qt::NoButton : Qt::LeftButton, {});
            QApplication::sendEvent(w, &event);
        } else if (p[0] == "focus") {
            w->setFocus();
        } else
            QTest::keyClick(w, p[0] == "up" ? Qt::Key_Up : Qt::Key_Right);
    }
    QCOMPARE(child<QSpinBox>(editor)->value(), value);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(child<QSpinBox>(editor)->value(), afterUndo);
}

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"
