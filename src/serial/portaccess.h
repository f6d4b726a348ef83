#pragma once

#include <QString>
#include <QStringList>

// Facts about a serial device beyond what Qt reports: which device a name
// means, whether this user may open it and what helps if not, who holds it,
// and the lock file Qt keeps for it.
namespace portlist
{

// The device a name given by the user means: /dev/NAME when that exists for a
// relative name ("ttyUSB0", "serial/by-id/usb-..."), so that a file of that
// name in the current folder never wins; otherwise the path as given
// ("./tx" always means the current folder). Symbolic links are resolved, so
// every spelling of one device takes the same lock. A name that names nothing
// comes back unchanged.
QString resolveDevice(const QString &name);

// Empty when this user may read and write the device, otherwise what helps.
QString accessAdvice(const QString &device, const QString &usbId = {});
// The same from the device's facts: only a group that may read and write the
// device helps by joining it; otherwise the package's udev rule, or a copy of
// it that names the adapter's USB id when known, else the kernel's name of
// the device ("ttyS0").
QString accessAdvice(bool accessible, unsigned mode, const QString &group, const QString &usbId,
                     const QString &kernelName = {});

// "minicom, PID 4242": a running process other than this one whose PID the
// device's lock file holds, however old the lock; empty when there is none.
// Qt's own rule would take over a live lock older than 30 s of a program that
// writes only its PID.
QString lockHolder(const QString &device);

// "txctl, PID 4242": another process that has the device open, or empty when
// the system does not tell (another user's processes are hidden from non-root).
QString deviceHolder(const QString &device);

// The lock file Qt's serial port takes for the device, e.g. /var/lock/LCK..ttyUSB0.
QString lockFilePath(const QString &device);
// Every place a lock of the device is looked for: first the folder
// $TXCONFIG_LOCK_DIR names, when set, then Qt's. Tests make up their locks
// there, out of the machine's folder that every program reads.
QStringList lockFilePaths(const QString &device);
// Removes the device's lock files whose process is gone, whoever left them.
// False with *error when such a stale lock cannot be removed.
bool clearStaleLock(const QString &device, QString *error);

} // namespace portlist
