#pragma once

#include "EditorLines.h"

#include <QString>
#include <QStringList>
#include <QStringView>

class Clock;
class DateFormat;

// Date lines: "//" directly followed by a date in the user's short date
// format. Opening a title makes sure today has one; the caret resting on one
// brings a warning and an empty line below it.
namespace DateLines {

// What the date-line step of opening a title appends to the editor.
struct TodayLine
{
    bool dateLineAdded = false;  // "//" + today was appended
    bool emptyLineAdded = false; // an empty line was appended after it or after the last item
    QStringList appendedLines;   // the new last lines, in order (none, one or two)
    // The same as text to insert at the very end of the editor's text, so
    // that joining the old lines with '\n' and adding it gives the new text.
    QString appendedText;

    bool changed() const { return !appendedLines.isEmpty(); }
};

// Today's date as a date line writes it after "//".
QString todayText(const DateFormat& format, const Clock& clock);

// True when a comment line's rest, trimmed, equals today's text exactly.
bool hasTodayLine(const QStringList& lines, QStringView today);

// What opening a title appends below the lines: "//" + today unless today
// already has a date line anywhere, then an empty line unless the last line
// is empty. The lines are the editor's (an empty text has no lines).
TodayLine todayLineFor(const QStringList& lines, const QString& today);

// Appends to the lines what todayLineFor describes and returns that.
TodayLine appendTodayLine(QStringList& lines, const QString& today);

// True when the line is a protected date line: trimmed longer than 8
// characters, beginning with "//", and its trimmed rest is entirely a date.
bool isProtectedDateLine(QStringView line, const DateFormat& format);

// When the caret's line (its text given) is a protected date line: one empty
// line below it, the caret left where it is; the window shows the warning.
// A null edit for any other line.
EditorLines::LineEdit protectDateLine(QStringView caretLineText, int caretLine,
                                      const DateFormat& format);

// The same, applied to the lines; true when the line was protected.
bool protectDateLine(QStringList& lines, int caretLine, const DateFormat& format);

// The warning shown when the caret rests on a date line.
inline QString protectionMessage()
{
    return QStringLiteral("Please Do not edit Date line ! ");
}

} // namespace DateLines
