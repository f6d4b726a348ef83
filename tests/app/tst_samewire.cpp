// The window and txctl put the same bytes on the wire for the same write:
// the greeting, the S, G and H frames, the closing "WWW" and the notice that
// the link ends, on a line where the transmitter stays silent.
#include "mainwindow.h"
#include "parameterfile.h"
#include "portlist.h"
#include "ptypeer.h"
#include "txparams.h"
#include "validation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>

class TestSameWire : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()); // txctl's history
    }

    void sameBytes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("changed"); // settings unlike the start values
        QTest::newRow("write of the start values") << "toolButton_Send" << false;
        QTest::newRow("write of changed values") << "toolButton_Send" << true;
        QTest::newRow("factory reset") << "toolButton_Reset" << false;
    }
    void sameBytes()
    {
        QFETCH(QString, button);
        QFETCH(bool, changed);
        TxParams = TxParamsRecord();
        if (changed) {
            TxParams.subTrim[0] = -100;
            TxParams.rev[7] = 1;
            TxParams.aux[2] = 4;
            TxParams.elev[5] = -77;
            TxParams.prm[3] = {1, 7, 2, {1, 10, 55}};
            TxParams.thCurve[3] = 61;
            TxParams.alarmVoltRaw = 42;
            TxParams.alarmVolt = 4.2;
        }
        const QString file = dir.filePath("settings.txt");
        QString error;
        QVERIFY2(files::writeParameterFile(file, files::parameterFileContent(TxParams), &error),
                 qPrintable(error));

        // The window: open, the command, close.
        PtyPeer windowLine;
        QVERIFY(windowLine.isValid());
        portlist::setPreferredPorts({windowLine.slavePath()});
        {
            MainWindow window;
            const auto click = [&window](const QString &name) {
                window.findChild<QAbstractButton *>(name)->click();
            };
            click("openButton");
            QTRY_COMPARE(windowLine.received(), QByteArray("OK"));
            click(button);
            QTRY_VERIFY_WITH_TIMEOUT(windowLine.received().endsWith("WWWRR"), 10000);
            // The window reads back what it wrote; the transmitter took it all.
            QVERIFY(windowLine.answerRead(TxParams));
            QTRY_VERIFY(window.findChild<QAbstractButton *>("toolButton_Read")->isEnabled());
            click("openButton");
            QTRY_VERIFY(windowLine.received().endsWith("DIS"));
        }

        // txctl, on a line of its own.
        PtyPeer txctlLine;
        QVERIFY(txctlLine.isValid());
        const QStringList common{"--port",      txctlLine.slavePath(), "--no-backup",
                                 "--no-verify", "--pace-ms",           "20"};
        QProcess txctl;
        // Started without descriptors 0 to 2: still nothing but the frames reaches the line.
        txctl.start("bash", QStringList{"-c", "exec <&- >&- 2>&-; exec \"$0\" \"$@\"", TXCTL_PATH} +
                                (button == "toolButton_Reset" ? QStringList{"reset", "--yes"}
                                                              : QStringList{"write", file}) +
                                common);
        QTRY_VERIFY_WITH_TIMEOUT(txctl.state() == QProcess::NotRunning, 30000);
        QCOMPARE(txctl.exitCode(), 0);
        QTRY_VERIFY(txctlLine.received().endsWith("DIS"));

        // The same write; the window's read-back ("RR", a "WWW" for each of the
        // 19 reply frames) comes before its "DIS".
        const QByteArray txctlBytes = txctlLine.received();
        QCOMPARE(txctlBytes.size(), 2 + 3 * 81 + 3 + 3);
        QCOMPARE(windowLine.received(),
                 txctlBytes.chopped(3) + "RR" + QByteArray("WWW").repeated(19) + "DIS");
    }

    // A read: txctl answers each frame of the reply with "WWW", as the window
    // does for each delivery (its read-back above); the transmitter may wait
    // for that answer before it sends the next frame.
    void txctlAcknowledgesEachReplyFrame()
    {
        PtyPeer line;
        QVERIFY(line.isValid());
        QProcess txctl;
        txctl.start(TXCTL_PATH,
                    {"read", "--port", line.slavePath(), "-o", dir.filePath("read.txt")});
        QTRY_VERIFY_WITH_TIMEOUT(line.received().endsWith("RR"), 10000);
        QVERIFY(line.answerRead(TxParamsRecord()));
        QTRY_VERIFY_WITH_TIMEOUT(txctl.state() == QProcess::NotRunning, 10000);
        QCOMPARE(txctl.exitCode(), 0);
        QCOMPARE(line.received(), "OKRR" + QByteArray("WWW").repeated(19) + "DIS");
    }

    void oneLockForBoth_data()
    {
        QTest::addColumn<bool>("windowFirst");
        QTest::addColumn<bool>("windowThroughLink"); // txctl takes the other name
        QTest::newRow("window holds a link") << true << true;
        QTest::newRow("window holds the device") << true << false;
        QTest::newRow("txctl holds the device") << false << true;
        QTest::newRow("txctl holds a link") << false << false;
    }
    // Whichever comes second is refused, names the holder and sends nothing; root too.
    void oneLockForBoth()
    {
        QFETCH(bool, windowFirst);
        QFETCH(bool, windowThroughLink);
        PtyPeer line;
        const QString link = dir.filePath(QTest::currentDataTag());
        QVERIFY(QFile::link(line.slavePath(), link));
        portlist::setPreferredPorts({windowThroughLink ? link : line.slavePath()});
        MainWindow window;
        QString refusal;
        QTimer poll; // the box is modal: read it and close it
        QObject::connect(&poll, &QTimer::timeout, &poll, [&refusal] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                refusal = box->text(), box->done(0);
        });
        poll.start(10);
        auto *open = window.findChild<QAbstractButton *>("openButton");
        if (windowFirst)
            open->click();
        QProcess txctl;
        txctl.start(TXCTL_PATH, {"read", "--port", windowThroughLink ? line.slavePath() : link,
                                 "--timeout", "60000"});
        const qint64 pid = windowFirst ? QCoreApplication::applicationPid() : txctl.processId();
        if (!windowFirst) {
            QTRY_COMPARE(line.received(), QByteArray("OKRR"));
            open->click();
            txctl.terminate();
        }
        QVERIFY(txctl.waitForFinished());
        if (windowFirst)
            refusal = txctl.readAllStandardError();
        QVERIFY2(refusal.contains(QString(windowFirst ? "PID %1)" : "（txctl, PID %1）").arg(pid)),
                 qPrintable(refusal));
        QCOMPARE(txctl.exitCode(), windowFirst ? 2 : 128 + SIGTERM);
        QTRY_COMPARE(line.received(), QByteArray(windowFirst ? "OK" : "OKRRDIS"));
    }
};

QTEST_MAIN(TestSameWire)
#include "tst_samewire.moc"
