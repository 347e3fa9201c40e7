#pragma once

#include "cli/ReportCli.h"

// morvane-report with its charts and documents: what morvane-report-charts
// runs. The same arguments and exit status as runReportCli.
int runReportCliWithCharts(const QStringList& args, QIODevice& out, QTextStream& err,
                           const Clock& clock = Clock());
