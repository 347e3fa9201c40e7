#pragma once

#include "platform/Clock.h"
#include "stats/FileTally.h"
#include "stats/TallyResult.h"

#include <QHash>
#include <QIODevice>
#include <QStringList>
#include <QTextStream>
#include <vector>

// The pictures and documents of morvane-report, which need Qt Gui: the text
// report is made without them.
class ReportOutputs
{
public:
    virtual ~ReportOutputs() = default;

    // What the outputs are drawn from, once the report has been printed.
    struct Request
    {
        const QHash<QString, QString>& options;              // by name, as given
        const TallyResult& result;                           // the report's result
        const std::vector<FileTally::PeriodReport>& periods; // with --by
        QString nothing; // why an empty result has nothing to draw
    };

    // Writes what the options ask for (--chart, --docx); returns the exit
    // status, with a line on err for anything but 0.
    virtual int write(const Request& request, QTextStream& err) = 0;
};

// morvane-report: prints the text report of one title file, line for line as
// Total.tol would hold it (with LF line ends), or its CSV or JSON form; over
// a period or per period when asked. args are the arguments after the program
// name; clock stands in for the real clock unless --now is given. outputs,
// when given, draws charts and documents. Returns the exit status: 0 on
// success (also for a title without items), 2 for a usage error, an
// unreadable file or an output that could not be written, which is reported
// on one line of err; 1 when a chart or document has nothing to draw, and for
// a --pasted table with a faulty line.
int runReportCli(const QStringList& args, QIODevice& out, QTextStream& err,
                 const Clock& clock = Clock(), ReportOutputs* outputs = nullptr);

// The arguments that ask for a chart or a document (which morvane-report
// leaves to morvane-report-charts).
bool asksForOutputs(const QStringList& args);
