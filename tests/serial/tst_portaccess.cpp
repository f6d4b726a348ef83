// What a user is told to do about a serial device they may not open.
#include "portaccess.h"

#include <QTemporaryDir>
#include <QtTest>
#include <array>

namespace
{
const char *const joinDialout =
    "add yourself to group dialout (sudo usermod -aG dialout $USER), then log in again";
const QString udevRule =
    "the device is only for %1; the udev rule /usr/lib/udev/rules.d/70-txconfig.rules from the "
    "txconfig package lets the user at the seat open the adapters it names (plug in again); for "
    "another adapter copy it to /etc/udev/rules.d/ and add %2";
const char *const adapterMatch =
    "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", GOTO=\"txconfig_adapter\"";
const char *const anyUsbSerial = "SUBSYSTEM==\"tty\", KERNEL==\"ttyUSB*\", TAG+=\"uaccess\"";
} // namespace

class TestPortAccess : public QObject
{
    Q_OBJECT

private slots:
    void accessAdvice_data()
    {
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("usbId");
        QTest::addColumn<QString>("advice"); // the whole text
        QTest::newRow("may open") << true << 0660u << "dialout"
                                  << "1a86:7523" << QString();
        QTest::newRow("group dialout may use it") << false << 0660u << "dialout"
                                                  << "1a86:7523" << QString(joinDialout);
        QTest::newRow("group uucp may use it")
            << false << 0660u << "uucp"
            << "1a86:7523"
            << "add yourself to group uucp (sudo usermod -aG uucp $USER), then log in again";
        // Group root may read and write it, yet joining root's group is no advice.
        QTest::newRow("group root may use it")
            << false << 0660u << "root"
            << "1a86:7523" << udevRule.arg("root and group root", adapterMatch);
        // A 0600 device is its owner's, whatever group it has.
        QTest::newRow("owner only, group dialout")
            << false << 0600u << "dialout"
            << "1a86:7523" << udevRule.arg("its owner", adapterMatch);
        QTest::newRow("group may only read") << false << 0640u << "dialout"
                                             << "" << udevRule.arg("its owner", anyUsbSerial);
        QTest::newRow("group may only write")
            << false << 0620u << "dialout"
            << "1a86:7523" << udevRule.arg("its owner", adapterMatch);
        QTest::newRow("group unknown") << false << 0660u << ""
                                       << "" << udevRule.arg("its owner", anyUsbSerial);
        // No USB id: the rule names the device, which "ttyUSB*" would miss.
        QTest::newRow("serial port of the computer")
            << false << 0600u << "root"
            << ""
            << udevRule.arg("its owner", "SUBSYSTEM==\"tty\", KERNEL==\"ttyS0\", TAG+=\"uaccess\"");
    }
    void accessAdvice()
    {
        QFETCH(bool, accessible);
        QFETCH(uint, mode);
        QFETCH(QString, group);
        QFETCH(QString, usbId);
        QFETCH(QString, advice);
        const QString kernel =
            QTest::currentDataTag() == QByteArray("serial port of the computer") ? "ttyS0" : "";
        QCOMPARE(portlist::accessAdvice(accessible, mode, group, usbId, kernel), advice);
    }

    // The device a --port name means: every spelling of one device the same.
    void resolveDevice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("device");
        for (const auto &[row, name, device] :
             {std::array{"bare name under /dev", "null", "/dev/null"},
              {"path", "/dev/../dev/null", "/dev/null"},
              {"symbolic link", "link", "/dev/null"},
              {"bare name of nothing", "no-such-port", "no-such-port"},
              {"path of nothing", "/dev/no-such-port", "/dev/no-such-port"}})
            QTest::newRow(row) << QString(name) << QString(device);
    }
    void resolveDevice()
    {
        QFETCH(QString, name);
        QFETCH(QString, device);
        QTemporaryDir dir;
        QVERIFY(QFile::link("/dev/null", dir.filePath("link")));
        QDir::setCurrent(dir.path()); // "link" is a path relative to the current folder
        QCOMPARE(portlist::resolveDevice(name), device);
    }
};

QTEST_GUILESS_MAIN(TestPortAccess)
#include "tst_portaccess.moc"
