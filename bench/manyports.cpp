// Many transmitters at once: N virtual transmitters, one `txctl write` to all
// of them (backup read, S/G/H with the designed 800 ms pauses, verifying read
// on each), timed as a whole process; N = 1, 4 and 16 by default. Prints one
// markdown table row per N, with the ratio to the time for one.
//
//   bench_manyports --txsim PATH --txctl PATH [--runs R] [--counts 1,4,16]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{

struct Sims {
    std::vector<std::unique_ptr<QProcess>> processes;
    QStringList portArgs;

    Sims(const QString &txsim, const QTemporaryDir &dir, int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString link = dir.filePath(QStringLiteral("tx%1").arg(i));
            processes.emplace_back(new QProcess);
            processes.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            processes.back()->start(txsim, {"--link", link, "--state",
                                            dir.filePath(QStringLiteral("state%1.txt").arg(i))});
            portArgs << QStringLiteral("--port") << link;
        }
        for (int i = 0; i < count; ++i) {
            const QString link = portArgs[2 * i + 1];
            for (int wait = 0; wait < 100 && !QFileInfo::exists(link); ++wait)
                QThread::msleep(50);
        }
    }
    ~Sims()
    {
        for (auto &p : processes) {
            p->terminate();
            p->waitForFinished(3000);
        }
    }
};

// Wall seconds of one verified write to every port; negative when it failed.
double timedWrite(const QString &txctl, const QString &file, const QStringList &ports)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    p.start(txctl, QStringList{"write", file} + ports);
    p.waitForFinished(300000);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "txctl failed:\n%s\n", p.readAll().constData());
        return -1;
    }
    return seconds;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption txsimOption("txsim", "txsim program.", "PATH");
    const QCommandLineOption txctlOption("txctl", "txctl program.", "PATH");
    const QCommandLineOption runsOption("runs", "Writes per count.", "R", "3");
    const QCommandLineOption countsOption("counts", "Transmitter counts.", "LIST", "1,4,16");
    parser.addOptions({txsimOption, txctlOption, runsOption, countsOption});
    parser.process(app);
    const int runs = qMax(1, parser.value(runsOption).toInt());

    QTemporaryDir work;
    // Backups go to the work folder, not to the user's history.
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    const QString model = work.filePath(QStringLiteral("model.txt"));

    double single = 0;
    std::printf("| Transmitters | Min (s) | Median (s) | Max (s) | Median / one |\n"
                "|---|---|---|---|---|\n");
    for (const QString &countText : parser.value(countsOption).split(',')) {
        const int count = countText.toInt();
        QTemporaryDir dir;
        Sims sims(parser.value(txsimOption), dir, count);
        if (!QFile::exists(model) && !QFile::copy(dir.filePath("state0.txt"), model))
            return 1;
        std::vector<double> times;
        for (int r = 0; r < runs; ++r) {
            const double t = timedWrite(parser.value(txctlOption), model, sims.portArgs);
            if (t < 0)
                return 1;
            times.push_back(t);
        }
        const double m = median(times);
        if (single == 0)
            single = m;
        std::printf("| %d | %.2f | %.2f | %.2f | %.2fx |\n", count,
                    *std::min_element(times.begin(), times.end()), m,
                    *std::max_element(times.begin(), times.end()), m / single);
        std::fflush(stdout);
    }
    return 0;
}
