#include "manyports.h"

#include "interruption.h"

#include <QDir>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

namespace cli
{

namespace
{
// The parts of a port's name that may tell it apart: below /dev all of them.
QStringList nameParts(const QString &portName)
{
    QString name = QDir::cleanPath(portName);
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    return name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString joinedTail(const QStringList &parts, int count)
{
    return parts.mid(qMax(0, parts.size() - count)).join(QLatin1Char('_'));
}
} // namespace

QString portLabel(const QString &portName, const QStringList &allPorts)
{
    const QStringList parts = nameParts(portName);
    if (QDir::cleanPath(portName).startsWith(QLatin1String("/dev/")) ||
        !QDir::isAbsolutePath(portName))
        return parts.join(QLatin1Char('_'));
    // Elsewhere the shortest tail of the path that no other port shares.
    for (int count = 1; count < parts.size(); ++count) {
        const QString label = joinedTail(parts, count);
        if (std::none_of(allPorts.begin(), allPorts.end(), [&](const QString &other) {
                return other != portName && joinedTail(nameParts(other), count) == label;
            }))
            return label;
    }
    return parts.join(QLatin1Char('_'));
}

QString perPortPath(const QString &pattern, const QString &portName, const QStringList &allPorts)
{
    QString path = pattern;
    return path.replace(QLatin1String("{port}"), portLabel(portName, allPorts));
}

bool checkPerPortPattern(const QString &option, const QString &pattern, const LinkOptions &options,
                         QString *error)
{
    QSet<QString> paths;
    for (const QString &port : options.portNames)
        paths.insert(perPortPath(pattern, port, options.portNames));
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
