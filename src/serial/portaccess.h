#pragma once

#include <QString>

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
// device helps by joining it; otherwise the package's udev rule, or a copy of
// it that names the adapter's USB id.
QString accessAdvice(bool accessible, unsigned mode, const QString &group, const QString &usbId);

// "txctl, PID 4242": another process that has the device open, or empty when
// the system does not tell (another user's processes are hidden from non-root).
QString deviceHolder(const QString &device);

// The lock file Qt's serial port takes for the device, e.g. /var/lock/LCK..ttyUSB0.
QString lockFilePath(const QString &device);
// Removes the device's lock file when the process it names is gone, whoever
// left it. False with *error when such a stale lock cannot be removed.
bool clearStaleLock(const QString &device, QString *error);

} // namespace portlist
