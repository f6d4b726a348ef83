// The field catalogue, what each link direction carries, and the history's
// naming, pruning and look-up.
#include "carriedfields.h"
#include "fieldcatalogue.h"
#include "history.h"
#include "txparams.h"

#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldOnceAtItsOwnPlace()
    {
        QSet<QString> names;
        QHash<std::ptrdiff_t, QString> offsets;
        for (const params::Field &f : params::recordFields()) {
            QVERIFY2(!names.contains(f.name), qPrintable(f.name + " named twice"));
            QVERIFY2(!offsets.contains(f.offset),
                     qPrintable(f.name + " at the place of " + offsets.value(f.offset)));
            names.insert(f.name);
            offsets.insert(f.offset, f.name);
        }
        TxParamsRecord p;
        QCOMPARE(&params::findField("mix4.lower")->ref(p), &p.prm[3].data[2]);
        QCOMPARE(&params::findField("alarm_voltage")->ref(p), &p.alarmVoltRaw);
    }

    // What `txctl set` takes: numbers in the shown unit, item texts in any
    // case, nothing outside the accepted range; the alarm voltage keeps its
    // two units together.
    void setByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("stored"); // NAN: refused, record unchanged
        QTest::newRow("number") << "ch3.subtrim"
                                << "-8" << -8.0;
        QTest::newRow("past the range") << "ch3.subtrim"
                                        << "101" << double(NAN);
        QTest::newRow("not whole") << "ch3.subtrim"
                                   << "2.5" << double(NAN);
        // Kept by the repair, yet one digit of the G frame cannot carry it.
        QTest::newRow("mix channel 10") << "mix2.slave"
                                        << "10" << double(NAN);
        QTest::newRow("item text") << "ch8.reverse"
                                   << "Reversed" << 1.0;
        QTest::newRow("tenths") << "alarm_voltage"
                                << "4.2" << 42.0;
        QTest::newRow("no such setting") << "ch9.subtrim"
                                         << "1" << double(NAN);
    }
    void setByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(double, stored);
        TxParamsRecord p;
        QString error;
        QCOMPARE(params::setField(p, name, text, &error), !std::isnan(stored));
        if (std::isnan(stored)) {
            QCOMPARE(p, TxParamsRecord());
            QVERIFY(error.contains(name));
            return;
        }
        QCOMPARE(params::findField(name)->number(p), stored);
        if (name == "alarm_voltage")
            QCOMPARE(p.alarmVolt, 4.2);
    }

    void directionsFollowTheFrames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("in");
        QTest::addColumn<bool>("out");
        QTest::newRow("aux frame") << "ch5.source" << true << true;
        QTest::newRow("word field") << "alarm_voltage" << true << true;
        QTest::newRow("signed byte") << "extra.signed" << true << true;
        QTest::newRow("elevon order") << "elevon.6" << true << true;
        QTest::newRow("only reported") << "firmware_version" << true << false;
        QTest::newRow("form selection") << "dualrate.channel" << false << true;
        QTest::newRow("shown rate") << "dualrate.down" << false << true;
    }
    void directionsFollowTheFrames()
    {
        QFETCH(QString, name);
        QFETCH(bool, in);
        QFETCH(bool, out);
        const params::Field *f = params::findField(name);
        QVERIFY(f);
        QCOMPARE(protocol::carriedFromTransmitter(*f), in);
        QCOMPARE(protocol::carriedToTransmitter(*f), out);
        QString oneWay;
        for (const params::Field &g : params::fieldCatalogue()) {
            if (!protocol::carriedBothWays(g))
                oneWay += g.name + ' ';
        }
        QCOMPARE(oneWay, QString("dualrate.channel dualrate.up dualrate.down firmware_version "));
    }

    void historyKeepsTheNewestAndFindsByPrefix()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        QString error;
        files::history::Entry first, last;
        QVERIFY(files::history::record("a", "backup", &first, &error));
        for (int i = 0; i < files::history::keptEntries + 4; ++i)
            QVERIFY(files::history::record("b", "verified", &last, &error));
        const QVector<files::history::Entry> all = files::history::entries();
        QCOMPARE(all.size(), files::history::keptEntries);
        QCOMPARE(all.first().id, last.id);
        QVERIFY(!QFileInfo::exists(first.path));

        files::history::Entry found;
        QVERIFY(files::history::find(last.id, &found, &error));
        QCOMPARE(found.path, last.path);
        QVERIFY(!files::history::find(last.id.left(8), &found, &error)); // many begin so
        QVERIFY(error.contains("give more of the id"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
