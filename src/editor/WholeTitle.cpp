#include "WholeTitle.h"

#include "editor/LineKinds.h"
#include "platform/DateFormat.h"

#include <QFileInfo>

namespace WholeTitle {

bool hasTextExtension(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

QString withDefaultExtension(const QString& fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QStringLiteral(".TXT");
}

QList<int> matchingLines(const QStringList& lines, const QString& oldText)
{
    QList<int> found;
    for (int i = 0; i < lines.size(); ++i) {
        if (LineKinds::trimmed(lines.at(i)) == oldText)
            found << i;
    }
    return found;
}

QString firstLine(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return text.left(i);
    }
    return text;
}

QString replacedMessage(qsizetype count)
{
    return QString::number(count) + QStringLiteral(" row be replaced");
}

QStringList exportLines(const QStringList& lines, NoteOption option, bool dropEmpty,
                        const DateFormat& dateFormat)
{
    QStringList kept;
    kept.reserve(lines.size());
    for (const QString& line : lines) {
        const QStringView t = LineKinds::trimmed(line);
        if (dropEmpty && t.isEmpty())
            continue;
        const bool comment = LineKinds::isComment(t);
        if (option == NoteOption::NoCommentLines && comment)
            continue;
        if (option == NoteOption::NoDateLines && comment && t.size() >= 8 &&
            dateFormat.parse(LineKinds::commentRest(t)))
            continue;
        kept << line;
    }
    return kept;
}

QString appendedText(bool editorEmpty, const QStringList& lines)
{
    if (lines.isEmpty())
        return {};
    const QString joined = lines.join(QLatin1Char('\n'));
    return editorEmpty ? joined : QLatin1Char('\n') + joined;
}

} // namespace WholeTitle
