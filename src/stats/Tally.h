#pragma once

#include "stats/TallyCounter.h"
#include "stats/TallyResult.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <limits>

class Clock;
class DateFormat;

// The only report line left when the text holds no item line.
inline constexpr char kNoItemMessage[] = "You have not typed in any demand yet";

// What one run of the tally leaves behind.
struct TallyOutcome
{
    TallyResult result;
    // False when the lines hold no item line: result is the previous one with
    // only kNoItemMessage as its report, and Total.tol must be left as it is.
    bool counted = false;
    // Item lines that found no place because the table was full. Always 0 when
    // the capacity is the size of a click list rebuilt from the same lines.
    qint64 uncountedLines = 0;
    // The header's values as the report writes them (dates empty when not
    // counted), for reports in other forms.
    QString fromDate;
    QString toDate;
    qint64 days = 0;
    QString countTime;
};

// Counts the items of a title's lines, finds its start and end dates and its
// days, and builds the text report. capacity is the size of the click list:
// the table never holds more entries. An item first met when the table is
// full is left out altogether (no entry, not in totalCount), so the counts,
// totalCount and the percentages stay consistent with each other.
TallyOutcome runTally(const QStringList& lines, qsizetype capacity, const QString& titleName,
                      const DateFormat& dateFormat, const Clock& clock,
                      const TallyResult& previous);

// The same over views of the lines (of one decoded file, say); they must stay
// valid during the call.
TallyOutcome runTally(const QList<QStringView>& lines, qsizetype capacity, const QString& titleName,
                      const DateFormat& dateFormat, const Clock& clock,
                      const TallyResult& previous);

// The same over a title file's bytes as they lie on disk. A UTF-8 file is
// classified, trimmed and counted as bytes, decoding only the distinct items
// and the date lines; a file in a legacy code page is decoded first. Either
// way the outcome is that of runTally over the file's decoded lines. passed,
// when given, is told of each piece of a few megabytes of a UTF-8 file once
// it is counted; the tally reads at most two of its lines again.
TallyOutcome runTallyOnFile(QByteArrayView file, qsizetype capacity, const QString& titleName,
                            const DateFormat& dateFormat, const Clock& clock,
                            const TallyResult& previous,
                            const std::function<void(QByteArrayView)>& passed = {});

// The outcome of a counted report, as runTally leaves it.
TallyOutcome tallyOutcome(const TallyCounting::CountedReport& report, const QString& titleName,
                          const QString& countTime, const TallyResult& previous);

// A capacity that leaves no item out: every entry of a click list rebuilt from
// the same lines finds its place.
inline constexpr qsizetype kEveryItem = std::numeric_limits<qsizetype>::max();

// The number of distinct items (trimmed item lines, compared exactly): the
// size of a click list built from these lines.
qsizetype countDistinctItems(const QStringList& lines);
qsizetype countDistinctItems(const QList<QStringView>& lines);
