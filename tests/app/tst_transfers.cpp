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
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->done(0);
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
    QTest::addColumn<QString>("box");    // a line the box must hold; "none": no box at all
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
         "H 未发送", "edited", "held", "被中断"},
        {"OPEN/CLOSE during the write", {}, "write, close at 1300",
         "无法读回核对", "edited", "edited", "已发送，未能核对"},
        {"Ctrl+L during the write", {}, "write, ctrl+l at 1300",
         "无法读回核对", "edited", "edited", "已发送，未能核对"},
        {"Enter twice on Read", {}, "enter twice on read",
         "none", "read", "held", "读取完整"},
        // The read-back's reply is as late as the read's.
        {"reply after the read gave up, then a write", {"--reply-delay", "6300"}, "read, then write",
         "遥控器没有应答。", "edited", "edited", "已发送，未能核对"},
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
    auto *send = child<QToolButton>("toolButton_Send");
    if (steps.startsWith("write"))
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
        else
            QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    }
    if (stop == "then write") {
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.isEmpty(), 8000);
        TxParams = edited();
        send->click(); // the late reply lands inside this write
    }
    QTRY_VERIFY_WITH_TIMEOUT(read->isEnabled() && send->isEnabled(), 12000);
    QTest::qWait(100);
    if (box == "none")
        QCOMPARE(boxes, QStringList());
    else
        QVERIFY2(!boxes.filter(box).isEmpty(), qPrintable(boxes.join("\n---\n")));
    QCOMPARE(linkOpen(), !steps.contains(" at "));
    const QString tip = (steps.contains("write") ? send : read)->toolTip();
    QVERIFY2(tip.section('\n', 1, 1)
                 .contains(QRegularExpression("^上次（\\d\\d:\\d\\d:\\d\\d）：" + last + "$")),
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
