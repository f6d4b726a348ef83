#pragma once

#include <QStringList>

// One function per txctl command; each gets the arguments after the command's
// name and returns the exit status.
namespace cli
{

int runPorts(const QStringList &args);
int runRead(const QStringList &args);
int runWrite(const QStringList &args);
int runReset(const QStringList &args);
int runRestore(const QStringList &args);
int runMonitor(const QStringList &args);
int runInfo(const QStringList &args);
int runShow(const QStringList &args);
int runSet(const QStringList &args);
int runDiff(const QStringList &args);
int runHistory(const QStringList &args);

} // namespace cli
