// The screenshot scene and the per-tab capture behind the README images.
#include "demoscene.h"
#include "mainwindow.h"
#include "tabcapture.h"
#include "validation.h"
#include "waitms.h"

#include <QImage>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void sceneIsShownAsSet_data();
    void sceneIsShownAsSet();
    void capturesEveryTabAsItsOwnPicture();
    void captureFailsWithoutAPlaceToWrite_data();
    void captureFailsWithoutAPlaceToWrite();
    void denseScreenScalesTheWholeWindow();
};

// A demo value the tool would repair, or that an editor cannot show, would be
// silently replaced before the picture is taken; the images would then show
// something other than the scene.
void TestScreenshots::sceneIsShownAsSet_data()
{
    QTest::addColumn<bool>("throughWindow");
    QTest::newRow("repair pass keeps every setting") << false;
    QTest::newRow("editors store back what they were given") << true;
}

void TestScreenshots::sceneIsShownAsSet()
{
    QFETCH(bool, throughWindow);
    const TxParamsRecord scene = screenshots::demoSettings();
    TxParams = scene;
    if (throughWindow) {
        MainWindow w;
        w.show();
        QMetaObject::invokeMethod(&w, "ui_Display");
        waitMs(250);
    } else {
        params::validate(TxParams);
    }
    QVERIFY(TxParams == scene);
}

void TestScreenshots::capturesEveryTabAsItsOwnPicture()
{
    TxParams = screenshots::demoSettings();
    Telemetry = screenshots::demoTelemetry();
    MainWindow w;
    w.show();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString outDir = dir.filePath("nested/shots");

    const QStringList files = screenshots::captureTabs(w, outDir, 120);

    const int tabCount = w.findChild<QTabWidget *>("tabWidget")->count();
    QCOMPARE(files.size(), tabCount);
    QVector<QImage> images;
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(QFileInfo(files[i]).fileName(), QString("tab-%1.png").arg(i + 1));
        QImage image(files[i], "PNG");
        QCOMPARE(image.size(), w.size());
        for (const QImage &earlier : images)
            QVERIFY2(image != earlier, qPrintable(files[i] + " repeats an earlier tab"));
        images << image;
    }
}

void TestScreenshots::captureFailsWithoutAPlaceToWrite_data()
{
    QTest::addColumn<bool>("withTabs");
    QTest::addColumn<QString>("subPath");
    QTest::newRow("output path is a file") << true << "file/shots";
    QTest::newRow("window without tab pages") << false << "shots";
}

void TestScreenshots::captureFailsWithoutAPlaceToWrite()
{
    QFETCH(bool, withTabs);
    QFETCH(QString, subPath);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    MainWindow window;
    QWidget plain;
    QWidget &target = withTabs ? static_cast<QWidget &>(window) : plain;
    target.resize(200, 100);

    QVERIFY(screenshots::captureTabs(target, dir.filePath(subPath), 0).isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("shots/tab-1.png")));
}

// On a screen of twice the density the fixed layout grows with it, in either
// language, instead of shrinking to half its size.
void TestScreenshots::denseScreenScalesTheWholeWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_SCALE_FACTOR", "2");
    tool.setProcessEnvironment(env);
    tool.start(TXSCREENSHOTS_EXE, {"--lang", "en", dir.path()});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    QCOMPARE(QImage(dir.filePath("tab-2.png"), "PNG").size(), QSize(2200, 1360));
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
