#pragma once

#include <QString>
#include <QStringList>

// Facts about a serial device beyond what Qt reports: which device a name
// means, whether this user may open it and what helps if not, who holds it,
// and the lock file Qt keeps for it.
namespace portlist
{

// The device a name given by the user means: the path as given when it
// exists (relative to the current folder too), otherwise /dev/NAME for a bare
// name; symbolic links resolved, so that every spelling of one device takes
// the same lock. A name that names nothing comes back unchanged.
QString resolveDevice(const QString &name);

// Empty when this user may read and write the device, otherwise what helps.
QString accessAdvice(const QString &device, const QString &usbId = {});
// The same from the device's facts: only a group that may read and write the
// device helps by joining it; otherwise a udev rule that gives the device to
// dialout (for the adapter's USB id when known).
QString accessAdvice(bool accessible, unsigned mode, const QString &group, const QString &usbId);

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
