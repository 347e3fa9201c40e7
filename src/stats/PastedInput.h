#pragma once

#include "stats/TallyResult.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class Clock;
class DateFormat;

// The report from a pasted table: one item and its count per line, such as
// two columns copied from a word processor or a spreadsheet. Nothing is
// counted; the counts are taken as they are.
namespace PastedInput {

inline QString noInputMessage()
{
    return QStringLiteral("Please input the content according to the example at first.");
}

inline QString formatMessage()
{
    return QStringLiteral("The form is wrong, please consult the example. ");
}

// The lines of the input text, split at CR LF, LF or a lone CR; a break at
// the very end ends the last line and does not start another.
QStringList inputLines(const QString& text);

// True when the text is a whole number within 32 bits (signed): an optional
// sign, then decimal digits, or hexadecimal digits after "$" or "0x".
bool parseCount(QStringView text, qint32* value = nullptr);

struct Row
{
    QString name;      // the text before the separator, trimmed; empty without one
    QString countText; // the count as typed, trimmed
    qint32 count = 0;
};

struct Parsed
{
    QList<Row> rows;
    qsizetype errorLine = -1; // the first line (from 0) that is no row, or -1

    bool ok() const { return errorLine < 0; }
};

// Splits each line, trimmed of characters of code 32 or less, at its first
// tab, or else at its first comma; the rest is the count text. Stops at the
// first line whose count text is no whole number (an empty line included),
// leaving no rows.
Parsed parse(const QStringList& lines);

// The tally result of the rows, in their order: names and count texts as
// given, totalCount their sum (in 64 bits), maxCount the largest count but at
// least 1, and the report lines "statistics:", three blanks, the count time,
// an empty line, then one report line per row.
TallyResult report(const QList<Row>& rows, const DateFormat& dateFormat, const Clock& clock);

} // namespace PastedInput
