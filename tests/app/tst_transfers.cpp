// The window's transfers against the virtual transmitter's faults: every
// read is complete or said to be incomplete, every write is checked, and
// nothing the transmitter sends late lands in the form or in a write.
#include "carriedfields.h"
#include "fieldcatalogue.h"
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "statefile.h"
#include "telemetry.h"
#include "txparams.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace
{

// Settings away from the start values in every group a frame carries.
TxParamsRecord heldByTransmitter()
{
    TxParamsRecord p;
    p.subTrim[0] = 30;
    p.failSafe[1] = 40;
    p.stickMode = 2;
    p.alarmVoltRaw = 42;
    p.alarmVolt = 4.2;
    p.delay[2] = 60;
    p.aux[1] = 3;
    p.prm[2].data[1] = -50; // mix 3's Up rate: below 0, where its box once stopped
    return p;
}

// What the user has in the form before writing.
TxParamsRecord edited()
{
    TxParamsRecord p = heldByTransmitter();
    p.subTrim[0] = -25;
    p.delay[2] = 10;
    p.stickMode = 3;
    return p;
}

// The labels of the settings, carried both ways, where two records differ.
QString differences(const TxParamsRecord &a, const TxParamsRecord &b)
{
    QStringList labels;
    for (const params::FieldChange &c : params::changedFields(a, b, protocol::carriedBothWays))
        labels << c.field->label;
    return labels.join(", ");
}

} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void faultsAreSaidOrMended_data();
    void faultsAreSaidOrMended();

private:
    QTemporaryDir dir;
    QProcess sim;
    std::unique_ptr<MainWindow> window;
    QStringList boxes;
    QTimer boxPoll;

    QString state() const { return dir.filePath("state.txt"); }
    TxParamsRecord transmitterHolds() const
    {
        TxParamsRecord p;
        QString error;
        statefile::load(state(), p, &error);
        return p;
    }
    template <typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    bool linkOpen() const { return child<QPushButton>("openButton")->text() != "打开串口"; }
};

void TestTransfers::init()
{
    QString error;
    QVERIFY(statefile::save(state(), heldByTransmitter(), &error));
    TxParams = TxParamsRecord();
    Telemetry = TelemetryRecord();
    boxes.clear();
    connect(&boxPoll, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            // A box must stand over the window it speaks for.
            boxes << (window && window->isVisible() ? "" : "on an empty screen: ") + box->text();
            box->done(0);
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            QFile::remove(dir.filePath("saved.txt")); // no question about replacing it
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(dir.filePath("saved.txt"));
            static_cast<QDialog *>(dialog)->accept(); // public there
        }
    });
    boxPoll.start(10);
}

void TestTransfers::cleanup()
{
    window.reset();
    boxPoll.disconnect();
    boxPoll.stop();
    sim.kill();
    sim.waitForFinished();
}

void TestTransfers::faultsAreSaidOrMended_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("box");    // lines ("|") the one box holds; "none": no box
    QTest::addColumn<QString>("form");   // what the form holds after: "read", "start" or "edited"
    QTest::addColumn<QString>("stored"); // what the transmitter holds after: "held" or "edited"
    QTest::addColumn<QString>("last");   // how the command's tooltip says it went

    // clang-format off
    const struct {
        const char *name;
        QStringList faults;
        const char *steps, *box, *form, *stored, *last;
    } rows[] = {
        {"frame lost once", {"--drop-frame-once", "6"}, "read",
         "none", "read", "held", "读取完整"},
        {"frame never sent", {"--drop-frame", "6"}, "read",
         "stick mode", "all but frame 6", "held", "读取不完整"},
        {"silent transmitter", {"--silent"}, "read",
         "遥控器没有应答。", "start", "held", "遥控器没有应答"},
        {"writes ignored", {"--ignore-writes"}, "write",
         "CH1 sub-trim (-25 % → 30 %)", "edited", "held", "有设置没有生效"},
        {"unplugged during the write", {}, "write, unplug at 1300",
         "串口已断开！|H 未发送", "edited", "held", "被中断"},
        {"OPEN/CLOSE during the write", {}, "write, close at 1300",
         "无法读回核对", "edited", "edited", "已发送，未能核对"},
        {"Ctrl+L during the write", {}, "write, ctrl+l at 1300",
         "无法读回核对", "edited", "edited", "已发送，未能核对"},
        {"window closed during the write", {}, "write, window at 1300",
         "无法读回核对", "edited", "edited", "已发送，未能核对"},
        {"Ctrl+L during the save", {}, "save, ctrl+l at 1300",
         "none", "edited", "edited", "已发送"},
        {"window closed during the save", {}, "save, window at 1300",
         "none", "edited", "edited", "已发送"},
        {"Enter twice on Read", {}, "enter twice on read",
         "none", "read", "held", "读取完整"},
        // The replies to the read come inside the write's check, before its own.
        {"reply after the read gave up, then a write", {"--reply-delay", "10000"},
         "read, then write", "none", "edited", "edited", "已写入并核对"},
    };
    // clang-format on
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.faults << QString(r.steps) << QString(r.box) << QString(r.form)
                              << QString(r.stored) << QString(r.last);
}

void TestTransfers::faultsAreSaidOrMended()
{
    QFETCH(QStringList, faults);
    QFETCH(QString, steps);
    QFETCH(QString, box);
    QFETCH(QString, form);
    QFETCH(QString, stored);
    QFETCH(QString, last);
    const QString link = dir.filePath("tx");
    sim.start(TXSIM_PATH, QStringList{"--link", link, "--state", state()} + faults);
    QVERIFY(sim.waitForReadyRead(5000));
    portlist::setPreferredPorts({link});
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    child<QPushButton>("openButton")->click();
    QVERIFY(linkOpen());

    auto *read = child<QToolButton>("toolButton_Read");
    auto *send =
        child<QToolButton>(steps.startsWith("save") ? "toolButton_Save" : "toolButton_Send");
    if (!steps.startsWith("read"))
        TxParams = edited();
    if (steps == "enter twice on read") {
        read->setFocus();
        QTimer::singleShot(50, this, [this] { // inside the lock-out
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : window.get(), Qt::Key_Return);
        });
        QTest::keyClick(read, Qt::Key_Return);
    } else {
        (steps.startsWith("read") ? read : send)->click();
    }
    const QString stop = steps.section(", ", 1).section(" at ", 0, 0);
    if (!stop.isEmpty() && stop != "then write") {
        QTest::qWait(steps.section(" at ", 1).toInt() - 200);
        if (stop == "unplug")
            sim.kill();
        else if (stop == "close")
            child<QPushButton>("openButton")->click();
        else if (stop == "window")
            window->close();
        else if (window->activateWindow(), QTest::qWaitForWindowActive(window.get()))
            QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    }
    if (stop == "then write") {
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.isEmpty(), 8000);
        boxes.clear(); // the read's own
        TxParams = edited();
        send->click(); // the late reply lands inside this write
    }
    if (stop == "window") // kept on screen, its commands disabled, until the frames are out
        QVERIFY(window->isVisible() && !send->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(
        stop == "window" ? !window->isVisible() : read->isEnabled() && send->isEnabled(), 12000);
    QTest::qWait(100);
    if (box == "none") {
        QCOMPARE(boxes, QStringList());
    } else {
        QCOMPARE(boxes.size(), 1);
        for (const QString &line : box.split('|'))
            QVERIFY2(boxes[0].contains(line), qPrintable(boxes[0]));
    }
    QCOMPARE(linkOpen(), !steps.contains(" at ") || stop == "window");
    const QString tip =
        (steps.contains("write") || steps.startsWith("save") ? send : read)->toolTip();
    QVERIFY2(tip.section('\n', 1, 1).contains(
                 QRegularExpression("^上次（\\d\\d:\\d\\d:\\d\\d）：" + last + "$")),
             qPrintable(tip));

    TxParamsRecord expected = form == "edited" ? edited() : TxParamsRecord();
    if (form == "read") {
        expected = heldByTransmitter();
    } else if (form == "all but frame 6") {
        expected = heldByTransmitter();
        expected.stickMode = TxParamsRecord().stickMode;
        expected.alarmVoltRaw = TxParamsRecord().alarmVoltRaw;
        expected.alarmVolt = TxParamsRecord().alarmVolt;
    }
    QCOMPARE(differences(TxParams, expected), QString());
    if (stop != "unplug")
        QCOMPARE(
            differences(transmitterHolds(), stored == "edited" ? edited() : heldByTransmitter()),
            QString());
}

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
