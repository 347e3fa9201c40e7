#pragma once

#include "stats/FileTally.h"
#include "stats/Tally.h"
#include "stats/TallyCounter.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// A tally's report as text, and for scripts and spreadsheets; the numbers
// are the text report's own. Everything is UTF-8; JSON is always valid (a
// character UTF-8 cannot hold is written "?", as in the text).
namespace ReportFormats {

// Takes the next bytes of a report; false when they could not be written.
// The forms that write to a sink hand it a report a piece at a time and
// return false when any piece failed.
using Sink = std::function<bool(QByteArrayView)>;

// The text report, line for line as Total.tol holds it, LF after each line.
QByteArray text(const TallyCounting::CountedReport& report, const QString& titleName,
                const QString& countTime);
bool text(const TallyCounting::CountedReport& report, const QString& titleName,
          const QString& countTime, const Sink& sink);

// "item,count,percent", then one row per item in report order, CR LF after
// each row; a field holding a comma, a quote or a line break is quoted, its
// quotes doubled.
QByteArray csv(const TallyCounting::CountedReport& report);
bool csv(const TallyCounting::CountedReport& report, const Sink& sink);

// One JSON object: title, from, to, days, count_time, total and the items
// (item, count, percent) in report order.
QByteArray json(const TallyCounting::CountedReport& report, const QString& titleName,
                const QString& countTime);
bool json(const TallyCounting::CountedReport& report, const QString& titleName,
          const QString& countTime, const Sink& sink);

// The same forms of a result that was not counted from a title (the report
// from a pasted table): its counts are read from the count texts as typed.
QByteArray csv(const TallyOutcome& outcome);
QByteArray json(const TallyOutcome& outcome, const QString& titleName);

// One report per period: text, a block per period; CSV with a period column;
// JSON with title, by, the periods (period, from, to, days, total, items) and
// undated, the item lines above the first date line.
QByteArray periodsText(const std::vector<FileTally::PeriodReport>& periods,
                       const QString& titleName, const QString& by, const QString& countTime);
QByteArray periodsCsv(const std::vector<FileTally::PeriodReport>& periods);
QByteArray periodsJson(const std::vector<FileTally::PeriodReport>& periods,
                       const QString& titleName, const QString& by, qint64 undatedItems);
bool periodsText(const std::vector<FileTally::PeriodReport>& periods, const QString& titleName,
                 const QString& by, const QString& countTime, const Sink& sink);
bool periodsCsv(const std::vector<FileTally::PeriodReport>& periods, const Sink& sink);
bool periodsJson(const std::vector<FileTally::PeriodReport>& periods, const QString& titleName,
                 const QString& by, qint64 undatedItems, const Sink& sink);
// The same of a count per period, its reports made as they are written
// where it was counted with periodsOnDemand.
bool periodsText(const FileTally::Result& counted, const QString& titleName, const QString& by,
                 const QString& countTime, const Sink& sink);
bool periodsCsv(const FileTally::Result& counted, const Sink& sink);
bool periodsJson(const FileTally::Result& counted, const QString& titleName, const QString& by,
                 const Sink& sink);

// The count of a count text: decimal, or as a pasted table may write it.
qint64 countOf(const QString& countText);

} // namespace ReportFormats
