#pragma once

#include "platform/DateFormat.h"
#include "stats/TallyCounter.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The tally of a title file as morvane-report makes it: the file is read in
// pieces (a large one on two threads), never mapped, so a file cut short
// while it is read is an error and not a crash. Over the whole title, over
// the days of a period, or per period.
namespace FileTally {

// How the days are grouped into periods.
enum class Period
{
    None,
    Day,   // 2026-03-01
    Week,  // ISO 8601 week, 2026-W09
    Month, // 2026-03
    Year   // 2026
};

struct Options
{
    DateFormat dateFormat{QStringLiteral("yyyy-M-d")};
    // Only the days (blocks opened by a date line) from..to count when
    // either is set; lines above the first date line then never count.
    std::optional<QDate> from;
    std::optional<QDate> to;
    Period by = Period::None;
    int threads = 2;
    // Files this small are read by one thread (0 shares any file out).
    qint64 splitAbove = 2 << 20;
    // With a period: each period's report is made when it is asked for
    // (Result::periodReport) rather than all of them in Result::periods, so
    // that a report larger than the title is written without being held.
    bool periodsOnDemand = false;
};

struct PeriodReport
{
    QString name; // as above, e.g. "2026-03"
    TallyCounting::CountedReport report;
};

struct Result
{
    QString error; // not empty: the file could not be read whole
    // The report of the counted lines (all of them, or the days within from..to).
    TallyCounting::CountedReport whole;
    // With a period: one report per period that holds an item, in date order.
    std::vector<PeriodReport> periods;
    // With periodsOnDemand: each period's number of items (about), and its
    // report, which may be made once for each period, on any thread.
    std::vector<size_t> periodSizes;
    std::function<PeriodReport(size_t)> periodReport;
    // Item lines above the first date line.
    qint64 undatedItems = 0;
    std::shared_ptr<void> storage; // what the reports' names point into
};

// The period's name of a date.
QString periodName(const QDate& date, Period by);

// Counts the file open for reading at fd, of size bytes. path names it in
// an error. A UTF-8 file is counted as bytes; any other is decoded first.
Result count(int fd, qint64 size, const QString& path, const Options& options);

} // namespace FileTally
