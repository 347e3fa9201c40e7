#include "EditorLines.h"

#include "ClickList.h"
#include "LineKinds.h"

#include <algorithm>

namespace EditorLines {

namespace {

// Adds the line's item, if it is one the list lacks.
void collectLine(ClickList& list, QStringView line, Collected& out)
{
    const QStringView t = LineKinds::trimmed(line);
    if (!LineKinds::isItem(t))
        return;
    const qsizetype row = list.add(t);
    if (row >= 0)
        out.inserted.append({row, list.at(row)});
}

} // namespace

Collected collectPasted(ClickList& list, int lineCount, const LineAt& lineAt, int pasteStartLine,
                        int caretLine)
{
    Collected out;
    if (caretLine < pasteStartLine)
        return out;
    // The remembered start may lie below a text that has shrunk since.
    const int first = std::max(pasteStartLine, 0);
    const int last = std::min(caretLine, lineCount - 1);
    for (int i = first; i <= last; ++i)
        collectLine(list, lineAt(i), out);
    return out;
}

Collected collectPasted(ClickList& list, const QStringList& lines, int pasteStartLine,
                        int caretLine)
{
    return collectPasted(
        list, int(lines.size()), [&lines](int i) { return lines.at(i); }, pasteStartLine,
        caretLine);
}

Collected collectEntered(ClickList& list, QStringView completedLine)
{
    Collected out;
    collectLine(list, completedLine, out);
    out.reassignHotkeys = out.changed();
    return out;
}

Collected collectEntered(ClickList& list, const QStringList& lines, int caretLine)
{
    if (caretLine < 1 || caretLine > lines.size())
        return {};
    return collectEntered(list, lines.at(caretLine - 1));
}

int apply(QStringList& lines, const LineEdit& edit, int caretLine)
{
    if (edit.replacedLine >= lines.size())
        lines.append(edit.text);
    else if (edit.replacedLine >= 0)
        lines[edit.replacedLine] = edit.text;
    if (edit.emptyLineAfter >= 0) {
        lines.insert(edit.emptyLineAfter + 1, QString());
        if (caretLine > edit.emptyLineAfter)
            ++caretLine;
    }
    return edit.caretLine >= 0 ? edit.caretLine : caretLine;
}

LineEdit putItemAtCursor(int caretLine, int lineCount, const QString& item)
{
    const int k = std::clamp(caretLine, 0, lineCount);
    LineEdit edit;
    edit.replacedLine = k;
    edit.text = item;
    edit.emptyLineAfter = k;
    edit.caretLine = k + 1;
    return edit;
}

int putItemAtCursor(QStringList& lines, int caretLine, const QString& item)
{
    return apply(lines, putItemAtCursor(caretLine, int(lines.size()), item), caretLine);
}

qsizetype longestLine(const QStringList& lines)
{
    qsizetype longest = 0;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    return longest;
}

qsizetype longestLine(qsizetype before, QStringView text, qsizetype after)
{
    qsizetype longest = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text.at(i) : QChar(QLatin1Char('\n'));
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            const qsizetype length =
                (start == 0 ? before : 0) + i - start + (i == text.size() ? after : 0);
            longest = std::max(longest, length);
            start = i + 1;
        }
    }
    return longest;
}

qsizetype longestLine(QStringView text)
{
    return longestLine(0, text, 0);
}

QString lineTooLongMessage(const QString& holder, qsizetype length, const QString& notDone)
{
    return QStringLiteral("%1 a line of %2 characters; lines of more than %3 characters "
                          "cannot be edited here, so %4.")
        .arg(holder)
        .arg(length)
        .arg(kLongestLine)
        .arg(notDone);
}

} // namespace EditorLines
