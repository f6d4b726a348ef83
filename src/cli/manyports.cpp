#include "manyports.h"

#include "interruption.h"
#include "portaccess.h"

#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <memory>
#include <vector>

namespace cli
{

QString perPortPath(const QString &pattern, const QString &portName)
{
    QString path = pattern;
    return path.replace(QLatin1String("{port}"), QFileInfo(portName).fileName());
}

bool checkPerPortPattern(const QString &option, const QString &pattern, const LinkOptions &options,
                         QString *error)
{
    QSet<QString> paths;
    for (const QString &port : options.portNames)
        paths.insert(perPortPath(pattern, port));
    if (paths.size() == options.portNames.size())
        return true;
    *error = QStringLiteral("with several ports %1 needs {port} in its file name, e.g. "
                            "%1 model-{port}.txt")
                 .arg(option);
    return false;
}

int forEachPort(const LinkOptions &options, const std::function<int(const LinkOptions &)> &command)
{
    if (options.portNames.size() <= 1)
        return command(options);
    QSet<QString> devices;
    for (const QString &port : options.portNames) {
        const QString device = portlist::resolveDevice(port);
        if (devices.contains(device))
            return fail(UsageOrFile, QStringLiteral("%1 is given twice (as %2)").arg(device, port));
        devices.insert(device);
    }

    // The signals are counted for all threads alike, from before the first starts.
    const InterruptionWatch watch;
    const int n = options.portNames.size();
    std::vector<int> statuses(static_cast<size_t>(n), int(Success));
    std::vector<QString> failures(static_cast<size_t>(n));
    // QThreads, not bare threads: the serial port's notifiers need one.
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < n; ++i) {
        threads.emplace_back(QThread::create([&, i] {
            LinkOptions one = options;
            one.portName = options.portNames[i];
            one.portNames = QStringList{one.portName};
            setMessagePrefix(one.portName + QStringLiteral(": "));
            statuses[size_t(i)] = command(one);
            failures[size_t(i)] = lastFailureMessage();
        }));
        threads.back()->start();
    }
    for (const std::unique_ptr<QThread> &t : threads)
        t->wait();
    int worst = Success;
    QString summary;
    for (int i = 0; i < n; ++i) {
        const int status = statuses[size_t(i)];
        worst = qMax(worst, status);
        summary += status == Success ? QStringLiteral("%1: ok\n").arg(options.portNames[i])
                                     : QStringLiteral("%1: failed (exit %2): %3\n")
                                           .arg(options.portNames[i])
                                           .arg(status)
                                           .arg(failures[size_t(i)]);
    }
    print(summary);
    return worst;
}

} // namespace cli
