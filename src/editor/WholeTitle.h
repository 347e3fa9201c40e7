#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class DateFormat;

// The operations on an open title as a whole: appending a text file, replacing
// an item on every line, exporting with chosen lines left out.
namespace WholeTitle {

// True when the file name's extension is ".txt" in any case: only text files
// are appended or exported to.
bool hasTextExtension(const QString& fileName);

// The file name with ".TXT" added when it has none, as the export dialog does.
QString withDefaultExtension(const QString& fileName);

// The numbers of the lines that, trimmed, equal oldText exactly (case
// included). oldText itself is not trimmed: an empty one matches empty lines.
QList<int> matchingLines(const QStringList& lines, const QString& oldText);

// The text up to its first line break (CR, LF, a line or paragraph
// separator, as a paste into the editor takes them): "New row" replaces a
// line by one line, whatever was pasted into it.
QString firstLine(const QString& text);

// The message after a replace: "3 row be replaced".
QString replacedMessage(qsizetype count);

// The export page's "Note option" choices, by their position.
enum class NoteOption
{
    ExportAll = 0,
    NoDateLines = 1,
    NoCommentLines = 2
};

// The lines an export writes: all but the empty ones when dropEmpty is set,
// the comment lines under NoCommentLines, and the date lines ("//" and a date
// in the format, at least 8 characters trimmed) under NoDateLines.
QStringList exportLines(const QStringList& lines, NoteOption option, bool dropEmpty,
                        const DateFormat& dateFormat);

// The text to put at the very end of the editor so that the lines follow its
// last line unchanged (editorEmpty: the editor holds no line at all).
QString appendedText(bool editorEmpty, const QStringList& lines);

inline QString notTextFileMessage()
{
    return QStringLiteral("Please Specify a text file(.txt)");
}

inline QString exportNotTextMessage()
{
    return QStringLiteral("Tip:This option only export to text file(.txt).");
}

// Exporting over the title's own file would leave it without the lines the
// export drops, for good.
inline QString exportOverTitleMessage()
{
    return QStringLiteral("This is the open title's own file; exporting onto it would lose "
                          "lines. Please choose another file name.");
}

} // namespace WholeTitle
