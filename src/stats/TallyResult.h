#pragma once

#include <QStringList>

// The result of a tally (or of a report from pasted input): what the charts,
// the reports and the report commands read.
struct TallyResult
{
    QStringList names;        // ListBoxprj: the items, in report order
    QStringList countTexts;   // ListBoxn: each item's count as decimal text
    QStringList reportLines;  // MemoTemp: the text report, line for line
    qint64 distinctCount = 0; // DistinctCount
    qint64 totalCount = 0;    // TotalCount; 0 means there is nothing to draw
    qint64 maxCount = 0;      // MaxCount
};
