// The launcher entry, the AppStream description, the icons and the program
// must agree on names and versions: a desktop matches them by these strings
// alone and shows nothing (or the wrong thing) when one is off.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{
const QString sourceDir = QStringLiteral(TXCONFIG_SOURCE_DIR);

// The one launcher entry in the packaging folder; its name is the app id.
QFileInfo desktopFile()
{
    const QFileInfoList found =
        QDir(sourceDir + "/packaging/linux").entryInfoList({"*.desktop"}, QDir::Files);
    return found.size() == 1 ? found.first() : QFileInfo();
}

QString appId() { return desktopFile().completeBaseName(); }

// Keys of the [Desktop Entry] group, without the localised variants.
QHash<QString, QString> desktopEntry()
{
    QHash<QString, QString> keys;
    QFile f(desktopFile().filePath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        const int eq = line.indexOf('=');
        if (inEntry && eq > 0 && !line.left(eq).contains('['))
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

// Texts of the AppStream elements of interest by element name; for a
// release its version.
QMultiHash<QString, QString> metainfo()
{
    QMultiHash<QString, QString> items;
    QFile f(sourceDir + "/packaging/linux/" + appId() + ".metainfo.xml.in");
    if (!f.open(QIODevice::ReadOnly))
        return items;
    QXmlStreamReader xml(&f);
    const QStringList texts = {"id", "launchable", "binary", "image"};
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "release")
            items.insert(name, xml.attributes().value("version").toString());
        else if (texts.contains(name))
            items.insert(name, xml.readElementText());
    }
    return items;
}

// "1.0.0" from the newest "## 1.0.0 (2026-12-08)" of CHANGELOG.md.
QString newestChangelogVersion()
{
    QFile f(sourceDir + "/CHANGELOG.md");
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    return QRegularExpression("^## (\\S+)", QRegularExpression::MultilineOption)
        .match(text)
        .captured(1);
}

QStringList valuesInOrder(const QMultiHash<QString, QString> &h, const QString &key)
{
    QStringList v = h.values(key);
    std::reverse(v.begin(), v.end()); // QMultiHash yields the latest insertion first
    return v;
}

// What the program prints for `args` where no window system is reachable
// (a terminal over ssh, a build machine); empty unless it exits with 0.
QString outputWithoutDisplay(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(TXCONFIG_EXE, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "txconfig 1.0.0": the name the program gives itself, which Qt also uses
// as the window's WM_CLASS.
QStringList versionLine() { return outputWithoutDisplay({"--version"}).simplified().split(' '); }
} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT

private slots:
    void namesAgree_data();
    void namesAgree();
    void helpListsTheOptions();
    void screenshotsExist();
    void iconsHaveTheirSize_data();
    void iconsHaveTheirSize();
};

void TestPackaging::namesAgree_data()
{
    QVERIFY2(desktopFile().exists(), "expected exactly one .desktop file");
    const QHash<QString, QString> entry = desktopEntry();
    const QMultiHash<QString, QString> meta = metainfo();
    const QStringList version = versionLine();
    QCOMPARE(version.size(), 2);
    const QString exeName = QFileInfo(TXCONFIG_EXE).fileName();

    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("metainfo id is the desktop id") << meta.value("id") << appId();
    QTest::newRow("launchable names the desktop file")
        << meta.value("launchable") << desktopFile().fileName();
    QTest::newRow("icon is named after the app id") << entry.value("Icon") << appId();
    QTest::newRow("Exec runs the installed program") << entry.value("Exec") << exeName;
    QTest::newRow("StartupWMClass is the program's name")
        << entry.value("StartupWMClass") << version.value(0);
    QTest::newRow("program reports the project version") << version.value(1) << TXCONFIG_VERSION;
    QTest::newRow("newest release is the project version")
        << valuesInOrder(meta, "release").value(0) << TXCONFIG_VERSION;
    QTest::newRow("newest changelog entry is the project version")
        << newestChangelogVersion() << TXCONFIG_VERSION;
    QTest::newRow("provided binaries include the program")
        << (meta.values("binary").contains(exeName) ? exeName : QString()) << exeName;
}

void TestPackaging::namesAgree()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestPackaging::helpListsTheOptions()
{
    const QString help = outputWithoutDisplay({"--help"});
    for (const char *option : {"--port <path>", "--lang <code>", "--version"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
}

// Software centres fetch the screenshots from the repository's
// docs/screenshots folder; each one named must be committed there.
void TestPackaging::screenshotsExist()
{
    const QStringList images = valuesInOrder(metainfo(), "image");
    QVERIFY(!images.isEmpty());
    const QRegularExpression tail("^@TXCONFIG_SCREENSHOT_URL@/([^/]+\\.png)$");
    for (const QString &url : images) {
        const QRegularExpressionMatch m = tail.match(url);
        QVERIFY2(m.hasMatch(), qPrintable(url));
        const QString path = sourceDir + "/docs/screenshots/" + m.captured(1);
        QVERIFY2(!QImage(path, "PNG").isNull(), qPrintable(path));
    }
}

void TestPackaging::iconsHaveTheirSize_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("48") << 48;
    QTest::newRow("256") << 256;
}

void TestPackaging::iconsHaveTheirSize()
{
    QFETCH(int, size);
    const QString path =
        QString("%1/packaging/icons/%2x%2/%3.png").arg(sourceDir).arg(size).arg(appId());
    const QImage icon(path, "PNG");
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY2(icon.hasAlphaChannel(), "the icon's corners must be transparent");
    QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);
}

QTEST_MAIN(TestPackaging)
#include "tst_packaging.moc"
