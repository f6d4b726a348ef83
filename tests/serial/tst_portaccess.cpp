// What a user is told to do about a serial device they may not open.
#include "portaccess.h"

#include <QtTest>

class TestPortAccess : public QObject
{
    Q_OBJECT

private slots:
    void accessAdvice_data()
    {
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("advice"); // a part of it; empty: nothing to do
        QTest::newRow("may open") << true << 0660u << "dialout"
                                  << "";
        QTest::newRow("group dialout may use it") << false << 0660u << "dialout"
                                                  << "add yourself to group dialout";
        QTest::newRow("group uucp may use it") << false << 0660u << "uucp"
                                               << "group uucp";
        // Joining root's group would not help, nor would any group of a 0600 device.
        QTest::newRow("owner only, group root")
            << false << 0600u << "root"
            << "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\"";
        QTest::newRow("owner only, group dialout") << false << 0600u << "dialout"
                                                   << "/usr/lib/udev/rules.d/70-txconfig.rules";
        QTest::newRow("group may only read") << false << 0640u << "dialout"
                                             << "udev rule";
        QTest::newRow("owner only, owned by a group") << false << 0600u << "dialout"
                                                      << "the device is only for its owner;";
        // No USB id: the rule names the device, which "ttyUSB*" would miss.
        QTest::newRow("serial port of the computer")
            << false << 0600u << "root"
            << "SUBSYSTEM==\"tty\", KERNEL==\"ttyS0\", TAG+=";
    }
    void accessAdvice()
    {
        QFETCH(bool, accessible);
        QFETCH(uint, mode);
        QFETCH(QString, group);
        QFETCH(QString, advice);
        const bool usb = !QByteArray(QTest::currentDataTag()).startsWith("serial port");
        const QString text = portlist::accessAdvice(accessible, mode, group, usb ? "1a86:7523" : "",
                                                    usb ? "" : "ttyS0");
        QVERIFY2(advice.isEmpty() ? text.isEmpty() : text.contains(advice), qPrintable(text));
        if (mode == 0600u)
            QVERIFY(!text.contains("add yourself to group"));
    }
};

QTEST_GUILESS_MAIN(TestPortAccess)
#include "tst_portaccess.moc"
