#pragma once

#include "platform/Clock.h"

#include <QStringList>
#include <QTextStream>

// morvane-report: prints the text report of one title file, line for line as
// Total.tol would hold it. args are the arguments after the program name;
// clock stands in for the real clock unless --now is given. Returns the exit
// status: 0 on success (also for a title without items), 2 for a usage error
// or an unreadable file, which is reported on one line of err; 1 for a
// --pasted table with a faulty line.
int runReportCli(const QStringList& args, QTextStream& out, QTextStream& err,
                 const Clock& clock = Clock());
