// What the package adds around the programs: manual pages that must name
// every option the programs' --help lists, and bash completion that must offer
// what txctl takes where it takes it.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
QString output(const QString &program, const QStringList &args, const QString &dir = {})
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "-o" and "--output" from each option line ("  -o, --output <OUT>  File ...").
QStringList helpOptions(const QString &help)
{
    QStringList names;
    const QRegularExpression line("^  (-.*?)(  |$)", QRegularExpression::MultilineOption);
    const QRegularExpression name("--?[a-z][a-z0-9-]*");
    for (auto lines = line.globalMatch(help); lines.hasNext();) {
        for (auto n = name.globalMatch(lines.next().captured(1)); n.hasNext();)
            names << n.next().captured(0);
    }
    return names;
}

// The page without font changes or escaped hyphens; for a txctl command only
// its own subsection.
QString pageText(const QString &program, const QString &command)
{
    QFile f(QStringLiteral(TXCONFIG_MAN_DIR "/%1.1").arg(program));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll()).remove(QRegularExpression(R"(\\f[BIRP])"));
    text.replace(QLatin1String("\\-"), QLatin1String("-"));
    if (command.isEmpty())
        return text;
    const int start = text.indexOf(QStringLiteral(".SS \"txctl %1").arg(command));
    const int end = text.indexOf(
        QRegularExpression("^\\.S[SH] ", QRegularExpression::MultilineOption), start + 1);
    return start < 0 ? QString() : text.mid(start, end - start);
}
} // namespace

class TestDebianFiles : public QObject
{
    Q_OBJECT

private slots:
    void manPageNamesEveryOption_data();
    void manPageNamesEveryOption();
    void completion_data();
    void completion();

private:
    QTemporaryDir dir; // holds model.txt and monitor.csv
};

void TestDebianFiles::manPageNamesEveryOption_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("command");
    QTest::newRow("txconfig") << TXCONFIG_EXE << QString();
    QTest::newRow("txsim") << TXSIM_EXE << QString();
    for (const char *command : {"ports", "read", "write", "reset", "info", "monitor", "show", "set",
                                "diff", "history", "restore"})
        QTest::newRow(command) << TXCTL_EXE << QString(command);
}

void TestDebianFiles::manPageNamesEveryOption()
{
#ifndef TXCONFIG_MANPAGES
    QSKIP("help2man is not installed, so the build wrote no manual pages");
#endif
    QFETCH(QString, program);
    QFETCH(QString, command);
    const QStringList args =
        command.isEmpty() ? QStringList{"--help"} : QStringList{command, "--help"};
    const QStringList options = helpOptions(output(program, args));
    QVERIFY(options.contains("--help"));
    const QString page = pageText(QFileInfo(program).fileName(), command);
    QVERIFY2(!page.isEmpty(), "no page, or no section for the command");
    for (const QString &option : options)
        QVERIFY2(page.contains(QRegularExpression(QRegularExpression::escape(option) + "\\b")),
                 qPrintable(option));
}

void TestDebianFiles::completion_data()
{
    QTest::addColumn<QStringList>("words"); // after "txctl"; the last is completed
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("commands") << QStringList{"re"} << QStringList{"read", "reset", "restore"};
    QTest::newRow("a command's options") << QStringList{"read", "--a"} << QStringList{"--attempts"};
    QTest::newRow("no file where none is taken") << QStringList{"info", "mo"} << QStringList{};
    QTest::newRow("show takes a file")
        << QStringList{"show", "mo"} << QStringList{"model.txt", "monitor.csv"};
    QTest::newRow("-o takes a file")
        << QStringList{"read", "--port", "/dev/ttyUSB0", "-o", "mod"} << QStringList{"model.txt"};
    QTest::newRow("set: a file first") << QStringList{"set", "mod"} << QStringList{"model.txt"};
    QTest::newRow("set: names after the file")
        << QStringList{"set", "model.txt", "ch8.rev"} << QStringList{"ch8.reverse="};
    QTest::newRow("set --port: names at once")
        << QStringList{"set", "--port", "/dev/ttyUSB0", "alarm_v"} << QStringList{"alarm_voltage="};
    QTest::newRow("--port takes a listed port")
        << QStringList{"info", "--port", "/dev/tty"} << QStringList{"/dev/ttyACM1", "/dev/ttyUSB0"};
    QTest::newRow("--port=") << QStringList{"info", "--port", "=", "/dev/ttyA"}
                             << QStringList{"/dev/ttyACM1"};
}

void TestDebianFiles::completion()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);
    // In an interactive shell with bash-completion loaded (when installed),
    // where `txctl ports` lists two made-up ports.
    const QString script =
        "source /usr/share/bash-completion/bash_completion 2>/dev/null; source \"$1\"; "
        "txctl() { [ \"$1\" = ports ] && printf '/dev/ttyUSB0\\n  serial: 7\\n/dev/ttyACM1\\n' "
        "|| " TXCTL_EXE " \"$@\"; }; shift; touch model.txt monitor.csv; "
        "COMP_WORDS=(txctl \"$@\"); COMP_CWORD=$#; _txctl; printf '%s\\n' \"${COMPREPLY[@]}\"";
    const QString completion = TXCONFIG_SOURCE_DIR "/packaging/completion/txctl";
    const QStringList args = QStringList{"--norc", "-i", "-c", script, "bash", completion} + words;
    QStringList got = output("bash", args, dir.path()).split('\n', Qt::SkipEmptyParts);
    got.sort();
    QCOMPARE(got, offered);
}

QTEST_GUILESS_MAIN(TestDebianFiles)
#include "tst_debianfiles.moc"
