#include "DateLines.h"

#include "LineKinds.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"

namespace DateLines {

QString todayText(const DateFormat& format, const Clock& clock)
{
    return format.formatDate(clock.today());
}

bool hasTodayLine(const QStringList& lines, QStringView today)
{
    // Today's line is normally near the end, so search upwards. Any comment
    // line is compared, not only those of 8 characters or more: with a short
    // date format ("d/M") today's line would otherwise never be found and
    // every opening would add another.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QStringView t = LineKinds::trimmed(lines.at(i));
        if (LineKinds::isComment(t) && LineKinds::commentRest(t) == today)
            return true;
    }
    return false;
}

TodayLine todayLineFor(const QStringList& lines, const QString& today)
{
    TodayLine change;
    const bool hadLines = !lines.isEmpty();
    QStringView last = hadLines ? QStringView(lines.last()) : QStringView();
    const QString dateLine = QStringLiteral("//") + today;
    if (!hasTodayLine(lines, today)) {
        change.dateLineAdded = true;
        change.appendedLines.append(dateLine);
        last = dateLine;
    }
    // An empty text has no last line, and so needs no line after it.
    if (!LineKinds::trimmed(last).isEmpty()) {
        change.emptyLineAdded = true;
        change.appendedLines.append(QString());
    }
    for (qsizetype i = 0; i < change.appendedLines.size(); ++i) {
        if (hadLines || i > 0)
            change.appendedText += QLatin1Char('\n');
        change.appendedText += change.appendedLines.at(i);
    }
    return change;
}

TodayLine appendTodayLine(QStringList& lines, const QString& today)
{
    TodayLine change = todayLineFor(lines, today);
    lines += change.appendedLines;
    return change;
}

bool isProtectedDateLine(QStringView line, const DateFormat& format)
{
    const QStringView t = LineKinds::trimmed(line);
    return t.size() > 8 && LineKinds::isComment(t) && format.parse(LineKinds::commentRest(t));
}

EditorLines::LineEdit protectDateLine(QStringView caretLineText, int caretLine,
                                      const DateFormat& format)
{
    EditorLines::LineEdit edit;
    if (caretLine >= 0 && isProtectedDateLine(caretLineText, format))
        edit.emptyLineAfter = caretLine;
    return edit;
}

bool protectDateLine(QStringList& lines, int caretLine, const DateFormat& format)
{
    if (caretLine < 0 || caretLine >= lines.size())
        return false;
    const EditorLines::LineEdit edit = protectDateLine(lines.at(caretLine), caretLine, format);
    EditorLines::apply(lines, edit, caretLine);
    return !edit.isNull();
}

} // namespace DateLines
