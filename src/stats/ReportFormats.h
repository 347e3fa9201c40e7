#pragma once

#include "stats/Tally.h"

#include <QByteArray>
#include <QString>

// A tally's report for scripts and spreadsheets; the numbers are the text
// report's own.
namespace ReportFormats {

// "item,count,percent", then one row per item in report order, CR LF after
// each row; a field holding a comma, a quote or a line break is quoted, its
// quotes doubled.
QString csv(const TallyOutcome& outcome);

// One JSON object: title, from, to, days, count_time, total and the items
// (item, count, percent) in report order.
QByteArray json(const TallyOutcome& outcome, const QString& titleName);

} // namespace ReportFormats
