#include "portaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace portlist
{

QString resolveDevice(const QString &name)
{
    QFileInfo info(name);
    const bool explicitPath = name.startsWith(QLatin1Char('/')) ||
                              name.startsWith(QLatin1String("./")) ||
                              name.startsWith(QLatin1String("../"));
    const QFileInfo underDev(QStringLiteral("/dev/") + name);
    if (!explicitPath && underDev.exists())
        info = underDev;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? name : canonical;
}

QString accessAdvice(bool accessible, unsigned mode, const QString &group, const QString &usbId,
                     const QString &kernelName)
{
    if (accessible)
        return QString();
    const bool groupMayUse = (mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (groupMayUse && !group.isEmpty() && group != QLatin1String("root"))
        return QStringLiteral("add yourself to group %1 (sudo usermod -aG %1 $USER), then log "
                              "in again")
            .arg(group);
    // The package's rule names the usual adapters; a copy under /etc with the
    // same name replaces it, which is how another adapter is added. Without a
    // USB id the line names the device itself (ttyS0 is no ttyUSB*).
    const QString line =
        usbId.isEmpty()
            ? QStringLiteral("SUBSYSTEM==\"tty\", KERNEL==\"%1\", TAG+=\"uaccess\"")
                  .arg(kernelName.isEmpty() ? QStringLiteral("ttyUSB*") : kernelName)
            : QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                             "GOTO=\"txconfig_adapter\"")
                  .arg(usbId.section(QLatin1Char(':'), 0, 0), usbId.section(QLatin1Char(':'), 1));
    return QStringLiteral("the device is only for %1; the udev rule "
                          "/usr/lib/udev/rules.d/70-txconfig.rules from the txconfig package "
                          "lets the user at the seat open the adapters it names (plug in again); "
                          "for another adapter copy it to /etc/udev/rules.d/ and add %2")
        .arg(groupMayUse && group == QLatin1String("root") ? QStringLiteral("root and group root")
                                                           : QStringLiteral("its owner"),
             line);
}

QString accessAdvice(const QString &device, const QString &usbId)
{
    const QByteArray path = QFile::encodeName(device);
    struct stat st {
    };
    if (::stat(path.constData(), &st) != 0)
        return QStringLiteral("no such device");
    const bool accessible = ::access(path.constData(), R_OK | W_OK) == 0;
    const QFileInfo info(device);
    return accessAdvice(accessible, st.st_mode, info.group(), usbId,
                        QFileInfo(info.canonicalFilePath()).fileName());
}

namespace
{
QString lockFileName(const QString &device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    return QStringLiteral("/LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
}
} // namespace

QString lockFilePath(const QString &device)
{
    // The folders and the name Qt's serial port uses on Unix, in its order:
    // the first readable folder that holds the file or may be written to.
    static const char *const folders[] = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                          "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                          "/var/lock/lockdev", "/run/lock"};
    const QString name = lockFileName(device);
    for (const char *folder : folders) {
        const QFileInfo dir{QString::fromLatin1(folder)};
        const QString path = QLatin1String(folder) + name;
        if (dir.isReadable() && (QFile::exists(path) || dir.isWritable()))
            return path;
    }
    return QString();
}

QStringList lockFilePaths(const QString &device)
{
    QStringList paths;
    const QString own = qEnvironmentVariable("TXCONFIG_LOCK_DIR");
    if (!own.isEmpty())
        paths << own + lockFileName(device);
    const QString qt = lockFilePath(device);
    if (!qt.isEmpty())
        paths << qt;
    return paths;
}

namespace
{
// The PID in the device's lock file: Qt writes it on the first line, other
// programs alone, padded. 0 when there is none.
qint64 lockHolderPid(const QString &lockPath)
{
    QFile lock(lockPath);
    return lockPath.isEmpty() || !lock.open(QIODevice::ReadOnly)
               ? 0
               : lock.readLine().trimmed().toLongLong();
}

QString describeProcess(const QString &pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                             : QString();
    return name.isEmpty() ? QStringLiteral("PID %1").arg(pid)
                          : QStringLiteral("%1, PID %2").arg(name, pid);
}
} // namespace

namespace
{
// Alive, even when it belongs to another user (EPERM).
bool processRuns(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH); }
} // namespace

QString lockHolder(const QString &device)
{
    for (const QString &lock : lockFilePaths(device)) {
        const qint64 locker = lockHolderPid(lock);
        if (locker != ::getpid() && processRuns(locker))
            return describeProcess(QString::number(locker));
    }
    return QString();
}

QString deviceHolder(const QString &device)
{
    const QString locker = lockHolder(device);
    if (!locker.isEmpty())
        return locker;
    // No lock: whoever has the device open (an exclusive open leaves no file).
    const QString self = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid == self || pid.toInt() <= 0)
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files)) {
            if (fd.symLinkTarget() == device)
                return describeProcess(pid);
        }
    }
    return QString();
}

bool clearStaleLock(const QString &device, QString *error)
{
    for (const QString &path : lockFilePaths(device)) {
        const qint64 pid = lockHolderPid(path);
        if (pid <= 0 || processRuns(pid))
            continue; // alive, or not ours to judge
        if (!QFile::remove(path)) {
            *error = QStringLiteral("%1 is locked by %2 of process %3, which has ended, and the "
                                    "lock cannot be removed (sudo rm %2)")
                         .arg(device, path)
                         .arg(pid);
            return false;
        }
    }
    return true;
}

} // namespace portlist
