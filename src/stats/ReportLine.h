#pragma once

#include <QString>

class Clock;
class DateFormat;

// The one way a report states an item's share, shared by the tally and the
// report from pasted input so that both round alike.

// count × 100 ÷ total with no decimals, halves rounded away from zero (12.5
// gives "13", -12.5 gives "-13"). A total of 0 gives "0".
QString formatPercent(qint64 count, qint64 total);

// A report line: countText + "--" + percentage + "%--" + name.
QString reportLine(const QString& countText, qint64 count, qint64 total, const QString& name);

// The clock's date and time in the user's formats.
QString countTime(const DateFormat& dateFormat, const Clock& clock);

// "Count time:" + countTime().
QString countTimeLine(const DateFormat& dateFormat, const Clock& clock);
