// The main window form: objects, placement, texts, items, editor ranges,
// theme and resources, checked on the real window and on the bare form.
#include "fieldcatalogue.h"
#include "mainwindow.h"
#include "txparams.h"
#include "ui_mainwindow.h"

#include <QtTest>

#include <functional>

namespace
{

QStringList numbered(const char *pattern, int first = 1, int last = 8)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QString::fromLatin1(pattern).arg(i);
    return names;
}

// One column of a group box: a container widget with a vertical box layout
// whose rows share its height. rowGap is the spacing the form sets, or -1
// where the style's default applies.
struct Column {
    const char *container;
    const char *group;
    QRect rect;
    int rowGap;
    QStringList rows;
};

QStringList prmEditors(int mix)
{
    QStringList rows;
    for (const char *stem :
         {"comboBox_PRM0%1_Mix", "comboBox_PRM0%1_Master", "comboBox_PRM0%1_Slave",
          "spinBox_PRM0%1_Data1", "spinBox_PRM0%1_Data2", "spinBox_PRM0%1_Data3"})
        rows << QString::fromLatin1(stem).arg(mix);
    return rows;
}

// Every column of the form, in creation order within each group box.
const QVector<Column> &columns()
{
    static const QVector<Column> table = {
        {"layoutWidget",
         "groupBox",
         {10, 30, 91, 431},
         5,
         QStringList{"lineEdit_28", "lineEdit_29"} + numbered("lineEdit_%1", 31, 36)},
        {"layoutWidget1", "groupBox_2", {15, 30, 101, 431}, 5, numbered("comboBox_rev%1")},
        {"layoutWidget2", "groupBox_3", {15, 30, 91, 431}, 5, numbered("spinBox_sub%1")},
        {"layoutWidget3", "groupBox_4", {15, 30, 91, 431}, 5, numbered("spinBox_Lepa%1")},
        {"layoutWidget4", "groupBox_4", {110, 30, 91, 431}, 5, numbered("spinBox_Repa%1")},
        {"layoutWidget5", "groupBox_5", {15, 30, 91, 431}, 5, numbered("spinBox_delay%1")},
        {"layoutWidget6", "groupBox_6", {15, 30, 91, 431}, 5, numbered("comboBox_AUX%1")},
        {"layoutWidget7", "groupBox_14", {15, 30, 91, 431}, 5, numbered("spinBox_FS%1")},
        {"layoutWidget8", "groupBox_8", {6, 26, 101, 251}, 0, numbered("lineEdit_%1", 53, 57)},
        {"layoutWidget9",
         "groupBox_8",
         {106, 26, 91, 251},
         0,
         {"comboBox_DR_MIX1", "comboBox_DR_CH1", "comboBox_DR_SW1", "spinBox_DR_UP1",
          "spinBox_DR_DOWN1"}},
        {"layoutWidget10", "groupBox_9", {6, 21, 111, 151}, 0, numbered("lineEdit_%1", 63, 65)},
        {"layoutWidget11",
         "groupBox_9",
         {116, 21, 88, 151},
         0,
         {"doubleSpinBox_Volt", "spinBox_Mode", "spinBox_Vertion"}},
        {"layoutWidget13", "groupBox_7", {10, 30, 91, 431}, -1, numbered("lineEdit_%1", 45, 51)},
        {"layoutWidget12",
         "groupBox_7",
         {100, 30, 81, 431},
         -1,
         QStringList{"comboBox_AttiM"} + numbered("spinBox_Atti%1", 1, 6)},
        {"layoutWidget14", "groupBox_10", {10, 26, 111, 251}, 0, numbered("lineEdit_%1", 73, 77)},
        {"layoutWidget15",
         "groupBox_10",
         {120, 25, 91, 251},
         0,
         QStringList{"comboBox_EleMix"} + numbered("spinBox_Elev0%1", 1, 4)},
        {"layoutWidget16", "groupBox_10", {220, 80, 91, 91}, 0, numbered("spinBox_Elev0%1", 5, 6)},
        {"layoutWidget17",
         "groupBox_11",
         {5, 20, 71, 161},
         0,
         {"lineEdit_80", "lineEdit_83", "lineEdit_79"}},
        {"layoutWidget19", "groupBox_11", {160, 20, 81, 161}, 0, numbered("lineEdit_%1", 84, 86)},
        {"layoutWidget18", "groupBox_11", {80, 20, 81, 161}, 0, prmEditors(1).mid(0, 3)},
        {"layoutWidget20", "groupBox_11", {240, 20, 81, 161}, 0, prmEditors(1).mid(3)},
        {"layoutWidget21",
         "groupBox_12",
         {10, 20, 71, 161},
         0,
         {"lineEdit_94", "lineEdit_90", "lineEdit_89"}},
        {"layoutWidget23", "groupBox_12", {160, 20, 63, 161}, 0, numbered("lineEdit_%1", 91, 93)},
        {"layoutWidget22", "groupBox_12", {80, 20, 81, 161}, 0, prmEditors(2).mid(0, 3)},
        {"layoutWidget24", "groupBox_12", {220, 20, 81, 161}, -1, prmEditors(2).mid(3)},
        {"layoutWidget25",
         "groupBox_13",
         {10, 25, 141, 251},
         0,
         QStringList{"lineEdit_78"} + numbered("lineEdit_%1", 95, 98)},
        {"layoutWidget26",
         "groupBox_13",
         {150, 25, 131, 251},
         0,
         QStringList{"comboBox_RuMix"} + numbered("spinBox_Ru%1", 1, 4)},
        {"layoutWidget27",
         "groupBox_15",
         {10, 30, 91, 441},
         -1,
         {"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104",
          "lineEdit_105"}},
        {"layoutWidget28", "groupBox_15", {100, 30, 91, 441}, -1, prmEditors(3)},
        {"layoutWidget29",
         "groupBox_19",
         {10, 30, 101, 441},
         -1,
         {"lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144",
          "lineEdit_145"}},
        {"layoutWidget30",
         "groupBox_19",
         {110, 30, 101, 441},
         -1,
         {"comboBox_DR_MIX2", "comboBox_DR_CH2", "comboBox_DR_SW2", "comboBox_DR_POSI",
          "spinBox_DR_RATE", "spinBox_DR_EXP"}},
        {"layoutWidget31",
         "groupBox_16",
         {10, 30, 81, 441},
         -1,
         {"lineEdit_112", "lineEdit_108", "lineEdit_107", "lineEdit_109", "lineEdit_110",
          "lineEdit_111"}},
        {"layoutWidget32", "groupBox_16", {90, 30, 91, 441}, -1, prmEditors(4)},
        {"layoutWidget33",
         "groupBox_18",
         {10, 29, 101, 441},
         -1,
         QStringList{"lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128",
                     "lineEdit_129", "lineEdit_131", "lineEdit_132"}},
        {"layoutWidget34",
         "groupBox_18",
         {110, 30, 91, 441},
         -1,
         QStringList{"comboBox_THCURE_MIX"} + numbered("spinBox_THCURE_Data0%1", 1, 7)},
    };
    return table;
}

struct Group {
    const char *name;
    const char *frame;
    const char *title;
    QRect rect;
    int pointSize;
};

// Group boxes in creation order on each page.
const Group groups[] = {
    {"groupBox", "frame_2", "通道", {10, 10, 110, 470}, 11},
    {"groupBox_2", "frame_2", "舵机相位", {130, 10, 120, 470}, 11},
    {"groupBox_3", "frame_2", "中点微调", {265, 10, 120, 470}, 12},
    {"groupBox_4", "frame_2", "舵机行程量--L---R---", {405, 10, 215, 470}, 11},
    {"groupBox_5", "frame_2", "舵机延迟", {780, 10, 120, 470}, 11},
    {"groupBox_6", "frame_2", "辅助通道", {915, 10, 120, 470}, 11},
    {"groupBox_14", "frame_2", "失控保护", {640, 10, 120, 470}, 11},
    {"groupBox_8", "frame_4", "大小舵设置", {5, 5, 201, 288}, 11},
    {"groupBox_9", "frame_4", "参数设置", {5, 301, 201, 181}, 11},
    {"groupBox_7", "frame_4", "姿态选择", {214, 5, 191, 477}, 11},
    {"groupBox_10", "frame_4", "升降副翼混控", {414, 5, 321, 281}, 11},
    {"groupBox_11", "frame_4", "可编程混控一", {410, 290, 323, 191}, 11},
    {"groupBox_12", "frame_4", "可编程混控二", {741, 290, 311, 191}, 11},
    {"groupBox_13", "frame_4", "V型尾翼混控", {740, 5, 311, 281}, 11},
    {"groupBox_15", "frame_5", "可编程混控三", {15, 5, 201, 477}, 11},
    {"groupBox_19", "frame_5", "大小舵曲线", {230, 5, 820, 477}, 11},
    {"groupBox_16", "frame_6", "可编程混控四", {15, 5, 190, 477}, 11},
    {"groupBox_18", "frame_6", "油门曲线", {230, 5, 820, 477}, 11},
};

// The editors and labels whose sheet asks for 22 px instead of 20 px.
const QStringList largeFontRows = {
    "lineEdit_36",           "comboBox_rev8",        "comboBox_AUX8",       "comboBox_EleMix",
    "comboBox_PRM02_Master", "comboBox_PRM02_Slave", "spinBox_sub8",        "spinBox_Lepa2",
    "spinBox_Lepa8",         "spinBox_Repa8",        "spinBox_delay8",      "spinBox_FS8",
    "doubleSpinBox_Volt",    "spinBox_Mode",         "spinBox_Vertion",     "spinBox_Elev01",
    "spinBox_Elev02",        "spinBox_PRM02_Data1",  "spinBox_PRM02_Data2", "spinBox_PRM02_Data3"};

const QStringList channelNames = numbered("CH%1");
const QStringList valueBoxes = QStringList{"lineEdit"} + numbered("lineEdit_%1", 2, 8);
const QStringList nameBoxes = QStringList{"lineEdit_9"} + numbered("lineEdit_%1", 19, 25);

// progressBar_<channel>0 is a channel's upper bar, progressBar_<channel>1 its lower bar.
QStringList barRow(int row)
{
    QStringList names;
    for (int channel = 1; channel <= 8; ++channel)
        names << QStringLiteral("progressBar_%1%2").arg(channel).arg(row);
    return names;
}
const QStringList upperBars = barRow(0);
const QStringList lowerBars = barRow(1);

QString classForRow(const QString &name)
{
    if (name.startsWith(QLatin1String("lineEdit")))
        return QStringLiteral("QLineEdit");
    if (name.startsWith(QLatin1String("comboBox")))
        return QStringLiteral("QComboBox");
    if (name.startsWith(QLatin1String("doubleSpinBox")))
        return QStringLiteral("QDoubleSpinBox");
    return QStringLiteral("QSpinBox");
}

// Inner parts of composite widgets (a spin box's line edit, the tab bar's
// scroll buttons) are not the form's own objects.
bool isFormObject(const QObject *o)
{
    return !o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")) &&
           !qobject_cast<const QTabBar *>(o->parent());
}

QStringList childNames(const QObject *parent)
{
    QStringList names;
    for (const QObject *child : parent->children()) {
        if (child->isWidgetType())
            names << child->objectName();
    }
    return names;
}

// Warnings and critical messages seen while a check runs.
QStringList capturedMessages;
QtMessageHandler previousHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        capturedMessages << text;
    previousHandler(type, context, text);
}

struct MessageCapture {
    MessageCapture()
    {
        capturedMessages.clear();
        previousHandler = qInstallMessageHandler(captureMessage);
    }
    ~MessageCapture() { qInstallMessageHandler(previousHandler); }
};

// Rule bodies of a style sheet by selector, declarations normalised to
// "property:value" without blanks so formatting does not matter.
QMap<QString, QStringList> parseRules(QString sheet)
{
    sheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                    QRegularExpression::DotMatchesEverythingOption));
    QMap<QString, QStringList> rules;
    const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    for (auto it = rule.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QStringList declarations;
        for (QString d : m.captured(2).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            d.remove(QRegularExpression(QStringLiteral("\\s")));
            if (!d.isEmpty())
                declarations << d;
        }
        rules.insert(m.captured(1).trimmed(), declarations);
    }
    return rules;
}

} // namespace

using SpinStart = std::function<int(const TxParamsRecord &)>;
Q_DECLARE_METATYPE(SpinStart)

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void constructionIsQuiet();
    void widgetCounts_data();
    void widgetCounts();
    void objects_data();
    void objects();
    void creationOrder_data();
    void creationOrder();
    void columnLayout_data();
    void columnLayout();
    void rectangles_data();
    void rectangles();
    void texts_data();
    void texts();
    void lineEditStates();
    void editorsFollowCatalogue();
    void comboItems_data();
    void comboItems();
    void spinBoxes_data();
    void spinBoxes();
    void progressBars_data();
    void progressBars();
    void fonts_data();
    void fonts();
    void groupBoxTheme_data();
    void groupBoxTheme();
    void icons_data();
    void icons();
    void windowAndTabs();
    void bareFormStartState();
    void retranslateRestoresTextsButNotFirstTab();
    void resourceSheets_data();
    void resourceSheets();

private:
    MainWindow *window = nullptr;
    // The form on a plain window: what setupUi alone leaves behind, before
    // the window's constructor and display timer touch anything.
    QMainWindow bareHost;
    Ui_MainWindow bare;

    template <typename T = QWidget> T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    template <typename T> T *findBare(const QString &name) const
    {
        return bareHost.findChild<T *>(name);
    }
};

void TestForm::initTestCase()
{
    bare.setupUi(&bareHost);
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Show every page once so that sheets are applied and columns laid out.
    auto *tabs = find<QTabWidget>(QStringLiteral("tabWidget"));
    QVERIFY(tabs);
    for (int i = tabs->count() - 1; i >= 0; --i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
    }
}

void TestForm::cleanupTestCase() { delete window; }

// Unknown slots, unparsable sheets and missing icons all show up as Qt
// warnings; none may appear while the window is built, shown and painted.
void TestForm::constructionIsQuiet()
{
    MessageCapture capture;
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QVERIFY(!w.grab().isNull());
        }
    }
    QVERIFY2(capturedMessages.isEmpty(), qPrintable(capturedMessages.join(QLatin1Char('\n'))));
}

void TestForm::widgetCounts_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("expected");
    // The editors follow the catalogue (editorsFollowCatalogue), and a row
    // label comes with each new one: neither is counted here.
    const QPair<const char *, int> totals[] = {{"QProgressBar", 16}, {"QTabWidget", 1},
                                               {"QPushButton", 1},   {"QToolButton", 6},
                                               {"mWidget", 1},       {"cureWidget", 1}};
    for (const auto &t : totals)
        QTest::newRow(t.first) << QString::fromLatin1(t.first) << t.second;
}

void TestForm::widgetCounts()
{
    QFETCH(QString, className);
    QFETCH(int, expected);
    int count = 0;
    for (const QObject *o : window->findChildren<QObject *>()) {
        if (isFormObject(o) && className == QLatin1String(o->metaObject()->className()))
            ++count;
    }
    QCOMPARE(count, expected);
}

void TestForm::objects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    auto row = [](const QString &name, const char *cls, const char *parent) {
        QTest::newRow(qPrintable(name))
            << name << QString::fromLatin1(cls) << QString::fromLatin1(parent);
    };
    row("centralwidget", "QWidget", "MainWindow");
    row("frame", "QFrame", "centralwidget");
    row("tabWidget", "QTabWidget", "centralwidget");
    row("openButton", "QPushButton", "frame");
    row("portNameBox", "QComboBox", "frame");
    for (const char *name : {"lineEdit_26", "lineEdit_27", "lineEdit_30", "lineEdit_RSSI",
                             "lineEdit_TX", "lineEdit_EXT"})
        row(name, "QLineEdit", "frame");
    for (const char *name : {"toolButton_led", "toolButton_Reset", "toolButton_Read",
                             "toolButton_Load", "toolButton_Save", "toolButton_Send"})
        row(name, "QToolButton", "frame");
    const char *frames[][2] = {{"frame_3", "tab"},
                               {"frame_2", "tab_2"},
                               {"frame_4", "tab_3"},
                               {"frame_5", "tab_4"},
                               {"frame_6", "tab_5"}};
    for (const auto &f : frames)
        row(f[0], "QFrame", f[1]);
    for (const QString &name : valueBoxes + nameBoxes)
        row(name, "QLineEdit", "frame_3");
    for (const QString &name : upperBars + lowerBars)
        row(name, "QProgressBar", "frame_3");
    for (const Group &g : groups)
        row(g.name, "QGroupBox", g.frame);
    row("widget_3", "mWidget", "groupBox_19");
    row("widget_4", "cureWidget", "groupBox_18");
    for (const Column &c : columns()) {
        row(c.container, "QWidget", c.group);
        for (const QString &name : c.rows)
            row(name, qPrintable(classForRow(name)), c.container);
    }
}

void TestForm::objects()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    const QWidget *widget = find(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QVERIFY(widget->parent());
    QCOMPARE(widget->parent()->objectName(), parentName);
}

// Children are listed in creation order, which is also the focus order.
void TestForm::creationOrder_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("top bar") << "frame" << QStringList{"openButton",      "portNameBox",
                                                       "lineEdit_26",     "lineEdit_27",
                                                       "lineEdit_30",     "lineEdit_RSSI",
                                                       "lineEdit_TX",     "lineEdit_EXT",
                                                       "toolButton_led",  "toolButton_Reset",
                                                       "toolButton_Read", "toolButton_Load",
                                                       "toolButton_Save", "toolButton_Send"};
    QTest::newRow("central") << "centralwidget" << QStringList{"frame", "tabWidget"};
    QStringList servo = valueBoxes;
    servo << "progressBar_11" << upperBars << lowerBars.mid(1) << nameBoxes;
    QTest::newRow("servo page") << "frame_3" << servo;
    QTest::newRow("basic page") << "frame_2"
                                << QStringList{"groupBox",   "groupBox_2", "groupBox_3",
                                               "groupBox_4", "groupBox_5", "groupBox_6",
                                               "groupBox_14"};
    QTest::newRow("advanced 1") << "frame_4"
                                << QStringList{"groupBox_8",  "groupBox_9",  "groupBox_7",
                                               "groupBox_10", "groupBox_11", "groupBox_12",
                                               "groupBox_13"};
    QTest::newRow("advanced 2") << "frame_5" << QStringList{"groupBox_15", "groupBox_19"};
    // Raising moves a widget to the end of its parent's list: the throttle
    // curve group first, then programmable mix 4.
    QTest::newRow("advanced 3 raised") << "frame_6" << QStringList{"groupBox_18", "groupBox_16"};
    for (const Group &g : groups) {
        QStringList expected;
        if (qstrcmp(g.name, "groupBox_19") == 0)
            expected << "widget_3";
        if (qstrcmp(g.name, "groupBox_18") == 0)
            expected << "widget_4";
        for (const Column &c : columns()) {
            if (qstrcmp(c.group, g.name) == 0)
                expected << c.container;
        }
        QTest::newRow(g.name) << g.name << expected;
    }
}

void TestForm::creationOrder()
{
    QFETCH(QString, parentName);
    QFETCH(QStringList, expected);
    const QWidget *parent = find(parentName);
    QVERIFY(parent);
    QCOMPARE(childNames(parent), expected);
}

void TestForm::columnLayout_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("rowGap");
    QTest::addColumn<QStringList>("rows");
    for (const Column &c : columns())
        QTest::newRow(c.container) << c.container << c.rect << c.rowGap << c.rows;
}

// Rows sit in the layout in table order, without margins, and share the
// column height equally; only spinBox_Ru4 keeps its natural height.
void TestForm::columnLayout()
{
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    QFETCH(int, rowGap);
    QFETCH(QStringList, rows);
    QWidget *column = find(container);
    QVERIFY(column);
    QCOMPARE(column->geometry(), rect);
    auto *layout = qobject_cast<QVBoxLayout *>(column->layout());
    QVERIFY(layout);
    QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
    layout->activate();

    QStringList inLayout;
    QVector<QRect> geometries;
    for (int i = 0; i < layout->count(); ++i) {
        QWidget *row = layout->itemAt(i)->widget();
        QVERIFY(row);
        inLayout << row->objectName();
        geometries << row->geometry();
    }
    QCOMPARE(inLayout, rows);

    const int shared = geometries.first().height();
    QCOMPARE(geometries.first().top(), 0);
    QVERIFY(qAbs(geometries.last().bottom() + 1 - rect.height()) <= 1);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i] == QLatin1String("spinBox_Ru4")) {
            // Bold 20 px Arial in its frame, with Qt 5's text height on Qt 6 too.
            QCOMPARE(find(rows[i])->height(), 34);
            QVERIFY(34 < shared);
        } else {
            QVERIFY2(qAbs(geometries[i].height() - shared) <= 1, qPrintable(rows[i]));
        }
        if (i > 0 && rowGap >= 0)
            QCOMPARE(geometries[i].top() - geometries[i - 1].bottom() - 1, rowGap);
    }
}

void TestForm::rectangles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    const QPair<const char *, QRect> fixed[] = {
        {"frame", {0, 0, 1200, 110}},           {"tabWidget", {10, 110, 1080, 560}},
        {"openButton", {630, 5, 100, 90}},      {"portNameBox", {740, 35, 120, 40}},
        {"lineEdit_26", {920, 3, 85, 35}},      {"lineEdit_27", {920, 38, 85, 35}},
        {"lineEdit_30", {920, 73, 85, 35}},     {"lineEdit_RSSI", {1005, 73, 85, 35}},
        {"lineEdit_TX", {1005, 3, 85, 35}},     {"lineEdit_EXT", {1005, 38, 85, 35}},
        {"toolButton_led", {870, 35, 40, 40}},  {"toolButton_Reset", {500, 5, 110, 90}},
        {"toolButton_Read", {20, 5, 110, 90}},  {"toolButton_Load", {140, 5, 110, 90}},
        {"toolButton_Save", {380, 5, 110, 91}}, {"toolButton_Send", {260, 5, 110, 90}},
        {"widget_3", {220, 30, 585, 430}},      {"widget_4", {210, 30, 595, 430}},
    };
    for (const auto &f : fixed)
        QTest::newRow(f.first) << QString::fromLatin1(f.first) << f.second;
    for (const char *frame : {"frame_2", "frame_3", "frame_4", "frame_5", "frame_6"})
        QTest::newRow(frame) << QString::fromLatin1(frame) << QRect(10, 10, 1060, 490);
    for (const Group &g : groups)
        QTest::newRow(g.name) << QString::fromLatin1(g.name) << g.rect;
    // Servo page: one column per channel, 135 px apart.
    for (int i = 0; i < 8; ++i) {
        const int x = 135 * i;
        QTest::newRow(qPrintable(valueBoxes[i])) << valueBoxes[i] << QRect(20 + x, 10, 80, 50);
        QTest::newRow(qPrintable(nameBoxes[i])) << nameBoxes[i] << QRect(30 + x, 60, 60, 31);
        QTest::newRow(qPrintable(upperBars[i])) << upperBars[i] << QRect(35 + x, 105, 50, 180);
        QTest::newRow(qPrintable(lowerBars[i])) << lowerBars[i] << QRect(35 + x, 285, 50, 180);
    }
}

void TestForm::rectangles()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    const QWidget *widget = find(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), rect);
}

void TestForm::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const QPair<const char *, const char *> table[] = {
        {"openButton", "打开串口"},
        {"toolButton_Read", " 读取数据"},
        {"toolButton_Load", "加载数据"},
        {"toolButton_Send", "写入数据"},
        {"toolButton_Save", "保存数据"},
        {"toolButton_Reset", "出厂设置"},
        {"toolButton_led", ""},
        {"lineEdit_26", "遥控:"},
        {"lineEdit_27", "动力:"},
        {"lineEdit_30", "信号:"},
        {"lineEdit_RSSI", "null"},
        {"lineEdit_TX", " 0.0V"},
        {"lineEdit_EXT", " 0.0V"},
        {"lineEdit", "0"},
        {"lineEdit_8", "0"},
        {"lineEdit_9", "CH1"},
        {"lineEdit_25", "CH8"},
        {"lineEdit_28", "CH1:"},
        {"lineEdit_36", "CH8:"},
        {"lineEdit_53", "混控:"},
        {"lineEdit_57", "下档:"},
        {"lineEdit_63", "报警电压:"},
        {"lineEdit_65", "固件版本:"},
        {"lineEdit_45", "通道:"},
        {"lineEdit_51", "姿态6:"},
        {"lineEdit_74", "副翼1:"},
        {"lineEdit_77", "升降1:"},
        {"lineEdit_83", "主控:"},
        {"lineEdit_79", "被控:"},
        {"lineEdit_84", "偏置:"},
        {"lineEdit_93", "下边:"},
        {"lineEdit_97", "尾舵2:"},
        {"lineEdit_98", "尾舵1:"},
        {"lineEdit_105", "下边:"},
        {"lineEdit_142", " 通道:"},
        {"lineEdit_141", "开关:"},
        {"lineEdit_143", " 位置:"},
        {"lineEdit_145", "指数:"},
        {"lineEdit_112", "混控:"},
        {"lineEdit_126", "曲线点1:"},
        {"lineEdit_132", "曲线点7:"},
    };
    for (const auto &t : table)
        QTest::newRow(t.first) << QString::fromLatin1(t.first) << QString::fromUtf8(t.second);
    for (const Group &g : groups)
        QTest::newRow(g.name) << QString::fromLatin1(g.name) << QString::fromUtf8(g.title);
}

void TestForm::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    // The bare form: the live display rewrites the window's value boxes.
    const QObject *widget = findBare<QWidget>(name);
    QVERIFY(widget);
    const char *property = qobject_cast<const QGroupBox *>(widget) ? "title" : "text";
    QCOMPARE(widget->property(property).toString(), text);
}

// Every line edit only shows (a row label, a live value): read-only, no Tab
// stop, its text centred both ways.
void TestForm::lineEditStates()
{
    for (const QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        if (!isFormObject(edit))
            continue;
        QCOMPARE(edit->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY2(edit->isReadOnly() && edit->focusPolicy() == Qt::NoFocus,
                 qPrintable(edit->objectName()));
    }
}

// Each editor takes what its field accepts (a combo box offers its items),
// and every spin or combo box of the form is an editor of the catalogue, but
// for the port box and the four reserved aux boxes.
void TestForm::editorsFollowCatalogue()
{
    QStringList listed;
    for (const params::Field &f : params::recordFields()) {
        for (const params::Editor &e : f.editors) {
            listed << e.name;
            QWidget *editor = find(e.name);
            QVERIFY2(editor, qPrintable(e.name));
            const QString what = e.name + " of " + f.name;
            if (auto *combo = qobject_cast<QComboBox *>(editor)) {
                QVERIFY2(combo->count() == f.choices.size(), qPrintable(what));
                continue;
            }
            auto *spin = qobject_cast<QDoubleSpinBox *>(editor);
            auto *intSpin = qobject_cast<QSpinBox *>(editor);
            const double lo = spin ? spin->minimum() : intSpin->minimum();
            const double hi = spin ? spin->maximum() : intSpin->maximum();
            QVERIFY2(qFuzzyCompare(lo + 1, f.min / f.divisor + 1) &&
                         qFuzzyCompare(hi + 1, f.max / f.divisor + 1),
                     qPrintable(QString("%1 takes %2..%3").arg(what).arg(lo).arg(hi)));
        }
    }
    QStringList boxes;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (isFormObject(w) &&
            (qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)))
            boxes << w->objectName();
    listed << "portNameBox" << numbered("comboBox_AUX%1", 1, 4);
    listed.sort();
    boxes.sort();
    QCOMPARE(boxes, listed);
}

void TestForm::comboItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("start");
    const TxParamsRecord p;
    const QStringList onOff = {"关闭", "打开"};
    const QStringList channels4 = channelNames.mid(0, 4);
    auto row = [](const QString &name, const QStringList &items, int start) {
        QTest::newRow(qPrintable(name)) << name << items << start;
    };
    for (int i = 0; i < 8; ++i)
        row(QStringLiteral("comboBox_rev%1").arg(i + 1), {"正相", "反相"}, p.rev[i]);
    for (int i = 1; i <= 4; ++i)
        row(QStringLiteral("comboBox_AUX%1").arg(i), {"预留"}, 0);
    for (int i = 0; i < 4; ++i)
        row(QStringLiteral("comboBox_AUX%1").arg(i + 5), {"SwA", "SwB", "VrA", "VrB", "NULL"},
            p.aux[i]);
    row("comboBox_DR_MIX1", onOff, p.drMix);
    row("comboBox_DR_MIX2", onOff, p.drMix);
    row("comboBox_DR_CH1", channels4, p.drChannel);
    row("comboBox_DR_CH2", channels4, p.drChannel);
    row("comboBox_DR_SW1", {"SWA"}, p.drSwitch);
    row("comboBox_DR_SW2", {"SWA"}, p.drSwitch);
    row("comboBox_DR_POSI", {"UP", "DOWN"}, p.drPosition);
    row("comboBox_AttiM", {"CH5", "CH6", "CH7", "CH8", "关闭"}, p.attiMode);
    row("comboBox_EleMix", onOff, p.elevMix);
    row("comboBox_RuMix", onOff, p.vtailMix);
    row("comboBox_THCURE_MIX", onOff, p.thCurveMix);
    for (int k = 0; k < 4; ++k) {
        const QStringList names = prmEditors(k + 1);
        row(names[0], {"禁止", "关闭", "打开"}, p.prm[k].mix);
        row(names[1], channelNames, p.prm[k].master);
        row(names[2], channelNames, p.prm[k].slave);
    }
}

// The form starts each combo box on the store's start value.
void TestForm::comboItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(int, start);
    const auto *box = findBare<QComboBox>(name);
    QVERIFY(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    QCOMPARE(shown, items);
    QCOMPARE(box->currentIndex(), start);
}

void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<SpinStart>("start");
    auto row = [](const QString &name, int lo, int hi, SpinStart start) {
        QTest::newRow(qPrintable(name)) << name << lo << hi << start;
    };
    for (int i = 0; i < 8; ++i) {
        const int n = i + 1;
        row(QStringLiteral("spinBox_sub%1").arg(n), -100, 100,
            [i](auto &p) { return p.subTrim[i]; });
        row(QStringLiteral("spinBox_Lepa%1").arg(n), 0, 120, [i](auto &p) { return p.epaLeft[i]; });
        row(QStringLiteral("spinBox_Repa%1").arg(n), 0, 120,
            [i](auto &p) { return p.epaRight[i]; });
        row(QStringLiteral("spinBox_FS%1").arg(n), 0, 100, [i](auto &p) { return p.failSafe[i]; });
        row(QStringLiteral("spinBox_delay%1").arg(n), 0, 100, [i](auto &p) { return p.delay[i]; });
    }
    for (int i = 0; i < 6; ++i) {
        row(QStringLiteral("spinBox_Atti%1").arg(i + 1), 0, 100,
            [i](auto &p) { return p.atti[i]; });
        row(QStringLiteral("spinBox_Elev0%1").arg(i + 1), -100, 100,
            [i](auto &p) { return p.elev[i]; });
    }
    for (int i = 0; i < 4; ++i)
        row(QStringLiteral("spinBox_Ru%1").arg(i + 1), -100, 100,
            [i](auto &p) { return p.vtail[i]; });
    for (int i = 0; i < 7; ++i)
        row(QStringLiteral("spinBox_THCURE_Data0%1").arg(i + 1), 0, 100,
            [i](auto &p) { return p.thCurve[i]; });
    row("spinBox_DR_UP1", 0, 100, [](auto &p) { return p.drUp; });
    row("spinBox_DR_DOWN1", 0, 100, [](auto &p) { return p.drDown; });
    row("spinBox_DR_RATE", 0, 100, [](auto &p) { return p.drRate; });
    row("spinBox_Vertion", 0, 1000, [](auto &p) { return p.firmwareVersion; });
    // These start away from the store; the first refresh brings them over.
    row("spinBox_Mode", 0, 4, [](auto &) { return 2; });
    row("spinBox_DR_EXP", -100, 100, [](auto &) { return 100; });
    for (int k = 1; k <= 4; ++k) {
        // Every mix rate takes -100..100, as the transmitter does: the form's
        // 0..100 for mixes 3 and 4 cut a negative rate to 0.
        const QStringList names = prmEditors(k).mid(3);
        for (const QString &name : names)
            row(name, -100, 100, [](auto &) { return 100; });
    }
}

// The range on the window, which sets it; the start on the bare form, as the
// window's timer may already have refreshed the editors from the store.
void TestForm::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(SpinStart, start);
    const auto *spin = find<QSpinBox>(name);
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->singleStep(), 1);
    QCOMPARE(findBare<QSpinBox>(name)->value(), start(TxParamsRecord()));
}

void TestForm::progressBars_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    for (int i = 0; i < 8; ++i) {
        QTest::newRow(qPrintable(upperBars[i])) << upperBars[i] << 1010 << 10;
        QTest::newRow(qPrintable(lowerBars[i])) << lowerBars[i] << 1000 << 1000;
    }
}

void TestForm::progressBars()
{
    QFETCH(QString, name);
    QFETCH(int, maximum);
    QFETCH(int, value);
    const auto *bar = findBare<QProgressBar>(name);
    QVERIFY(bar);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(bar->value(), value);
    QCOMPARE(bar->orientation(), Qt::Vertical);
    QVERIFY(!bar->isTextVisible());
    QVERIFY(!bar->invertedAppearance());
    QCOMPARE(bar->textDirection(), QProgressBar::BottomToTop);
}

void TestForm::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    for (const Column &c : columns()) {
        for (const QString &name : c.rows)
            QTest::newRow(qPrintable(name)) << name << (largeFontRows.contains(name) ? 22 : 20);
    }
    QTest::newRow("top-bar label") << "lineEdit_30" << 18;
    QTest::newRow("top-bar value") << "lineEdit_TX" << 18;
    QTest::newRow("servo value") << "lineEdit_5" << 26;
    QTest::newRow("servo name") << "lineEdit_22" << 26;
    QTest::newRow("open button") << "openButton" << 16;
    QTest::newRow("command button") << "toolButton_Send" << 14;
    QTest::newRow("reset button") << "toolButton_Reset" << 14;
}

// What the sheets make of the fonts once applied: proves each sheet parses
// and carries the intended size.
void TestForm::fonts()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QWidget *widget = find(name);
    QVERIFY(widget);
    widget->ensurePolished();
    QCOMPARE(widget->font().pixelSize(), pixelSize);
    QVERIFY(widget->font().bold());
}

void TestForm::groupBoxTheme_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pointSize");
    for (const Group &g : groups)
        QTest::newRow(g.name) << QString::fromLatin1(g.name) << g.pointSize;
}

void TestForm::groupBoxTheme()
{
    QFETCH(QString, name);
    QFETCH(int, pointSize);
    QWidget *box = find(name);
    QVERIFY(box);
    box->ensurePolished();
    QCOMPARE(box->font().pointSize(), pointSize);
    QCOMPARE(box->font().family(), QStringLiteral("Arial"));
    // The sheets' weight 75 is below normal on Qt 5 (75 / 8) and Qt 6 (75) alike.
    QVERIFY(!box->font().bold());
    QCOMPARE(box->palette().color(QPalette::WindowText), QColor(255, 170, 0));
}

void TestForm::icons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("iconSize");
    QTest::addColumn<QSize>("imageSize");
    const QPair<const char *, const char *> commands[] = {{"toolButton_Read", "Receive.png"},
                                                          {"toolButton_Load", "open.png"},
                                                          {"toolButton_Send", "Send.png"},
                                                          {"toolButton_Save", "save.png"},
                                                          {"toolButton_Reset", "Reset.png"}};
    const QString folder = QStringLiteral(":/myImage/images/");
    for (const auto &c : commands)
        QTest::newRow(c.first) << c.first << folder + c.second << QSize(60, 60) << QSize(256, 256);
    QTest::newRow("toolButton_led")
        << "toolButton_led" << folder + "red.png" << QSize(40, 40) << QSize(200, 200);
    QTest::newRow("green lamp") << QString() << folder + "green.png" << QSize() << QSize(200, 200);
}

// Each button shows its own picture, drawn on a transparent background.
void TestForm::icons()
{
    QFETCH(QString, name);
    QFETCH(QString, resource);
    QFETCH(QSize, iconSize);
    QFETCH(QSize, imageSize);
    const QImage image(resource);
    QCOMPARE(image.size(), imageSize);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    if (name.isEmpty())
        return;
    const auto *button = find<QToolButton>(name);
    QVERIFY(button);
    QCOMPARE(button->iconSize(), iconSize);
    const QImage shown = button->icon().pixmap(imageSize).toImage();
    const auto format = QImage::Format_ARGB32_Premultiplied;
    QCOMPARE(shown.convertToFormat(format), image.convertToFormat(format));
    if (name != QLatin1String("toolButton_led"))
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

void TestForm::windowAndTabs()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("ZR5N&N6KW-V4.2"));
    QCOMPARE(window->minimumSize(), QSize(0, 0));
    QCOMPARE(window->maximumSize(), QSize(11100, 8000));
    QCOMPARE(window->centralWidget()->objectName(), QStringLiteral("centralwidget"));

    auto *tabs = find<QTabWidget>(QStringLiteral("tabWidget"));
    const QStringList pages = {"tab", "tab_2", "tab_3", "tab_4", "tab_5"};
    const QStringList titles = {"舵量显示", "基础菜单", "高级菜单1", "高级菜单2", "高级菜单3"};
    QCOMPARE(tabs->count(), pages.size());
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), pages[i]);
        QCOMPARE(tabs->tabText(i), titles[i]);
    }
    QCOMPARE(tabs->tabPosition(), QTabWidget::North);
    QCOMPARE(tabs->tabShape(), QTabWidget::Rounded);
    QCOMPARE(tabs->iconSize(), QSize(100, 100));
    QCOMPARE(tabs->elideMode(), Qt::ElideMiddle);
    QVERIFY(tabs->documentMode());
    QVERIFY(tabs->isMovable());
    QVERIFY(!tabs->tabsClosable());
    QVERIFY(!tabs->tabBarAutoHide());
    QCOMPARE(tabs->focusPolicy(), Qt::NoFocus);
    QCOMPARE(tabs->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(tabs->font().family(), QStringLiteral("Arial"));
    QCOMPARE(tabs->font().pointSize(), 11);
    QVERIFY(tabs->font().bold());

    // A fresh window opens on the servo page whatever the form selects.
    MainWindow fresh;
    QCOMPARE(fresh.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->currentIndex(), 0);
}

// The form itself leaves the basic page selected and the port box empty.
void TestForm::bareFormStartState()
{
    QCOMPARE(bare.tabWidget->currentIndex(), 1);
    QCOMPARE(bare.portNameBox->count(), 0);
    QCOMPARE(bare.portNameBox->currentIndex(), -1);
    QCOMPARE(bareHost.size(), QSize(1100, 680));

    // The alarm voltage is edited in volts, a tenth a step, up to what the S
    // frame carries (239 tenths).
    const QDoubleSpinBox *volt = find<QDoubleSpinBox>("doubleSpinBox_Volt");
    QCOMPARE(volt->minimum(), 0.0);
    QCOMPARE(volt->maximum(), 23.9);
    QCOMPARE(volt->decimals(), 1);
    QCOMPARE(volt->singleStep(), 0.1);
    QCOMPARE(bare.doubleSpinBox_Volt->value(), TxParamsRecord().alarmVolt);
}

void TestForm::retranslateRestoresTextsButNotFirstTab()
{
    QMainWindow host;
    Ui_MainWindow form;
    form.setupUi(&host);
    form.tabWidget->setTabText(0, QStringLiteral("first"));
    form.tabWidget->setTabText(1, QStringLiteral("second"));
    form.lineEdit_142->setText(QStringLiteral("x"));
    form.comboBox_AttiM->setItemText(4, QStringLiteral("y"));
    form.groupBox_18->setTitle(QStringLiteral("z"));
    host.setWindowTitle(QString());
    form.retranslateUi(&host);
    QCOMPARE(form.tabWidget->tabText(0), QStringLiteral("first"));
    QCOMPARE(form.tabWidget->tabText(1), QStringLiteral("基础菜单"));
    QCOMPARE(form.lineEdit_142->text(), QStringLiteral(" 通道:"));
    QCOMPARE(form.comboBox_AttiM->itemText(4), QStringLiteral("关闭"));
    QCOMPARE(form.groupBox_18->title(), QStringLiteral("油门曲线"));
    QCOMPARE(host.windowTitle(), QStringLiteral("ZR5N&N6KW-V4.2"));
}

void TestForm::resourceSheets_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("hoverHighlights");
    QTest::newRow("normal") << ":/comboBox.qss" << true;
    QTest::newRow("no highlight") << ":/comboBox_REV.qss" << false;
}

// Both sheets give the 22 px editor look; only the normal one changes on
// hover. Applied to a combo box, they must parse without complaint.
void TestForm::resourceSheets()
{
    QFETCH(QString, path);
    QFETCH(bool, hoverHighlights);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString sheet = QString::fromUtf8(file.readAll());
    const QMap<QString, QStringList> rules = parseRules(sheet);
    QCOMPARE(rules.keys(), (QStringList{"QComboBox", "QComboBox:hover"}));
    const QStringList normal = rules.value(QStringLiteral("QComboBox"));
    QVERIFY(normal.contains(QStringLiteral("font:bold22px")));
    QVERIFY(normal.contains(QStringLiteral("background-color:rgb(85,170,255)")));
    QCOMPARE(rules.value(QStringLiteral("QComboBox:hover")) != normal, hoverHighlights);

    MessageCapture capture;
    QComboBox box;
    box.setStyleSheet(sheet);
    box.ensurePolished();
    QCOMPARE(box.font().pixelSize(), 22);
    QVERIFY(box.font().bold());
    QVERIFY2(capturedMessages.isEmpty(), qPrintable(capturedMessages.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
