#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

class ClickList;

// What the entry editor does to its lines and to the click list when keys
// are released or an item is picked, without the widgets. Line numbers are
// zero-based, as the caret's line number.
namespace EditorLines {

// The longest line the editor takes. Every key typed in a line lays the
// whole line out again: at this length that takes a few hundredths of a
// second, at a million characters seconds. Longer lines are not opened,
// appended or pasted.
constexpr qsizetype kLongestLine = 30000;

// The length of the longest of the lines; of a text, of its longest line
// between line breaks (CR, LF, line and paragraph separators).
qsizetype longestLine(const QStringList& lines);
qsizetype longestLine(QStringView text);
// The longest line that text makes when it goes between the first `before`
// and the last `after` characters of a line.
qsizetype longestLine(qsizetype before, QStringView text, qsizetype after);

// What a refused long line is told: what has it ("The file \"a.txt\" holds"),
// its length, and what was not done ("nothing was appended").
QString lineTooLongMessage(const QString& holder, qsizetype length, const QString& notDone);

// The text of a line by its number, for callers that keep the text in a
// QTextDocument rather than a list of lines.
using LineAt = std::function<QString(int line)>;

// One entry added to the click list, at the row it took when it came.
struct Insertion
{
    qsizetype row;
    QString item;
};

// Items a key release added to the click list.
struct Collected
{
    // In the order of insertion: inserting the same rows into a list view,
    // in this order, keeps it equal to the click list.
    QList<Insertion> inserted;
    // True when the hotkey column and the "Hotkey" menu must be assigned anew.
    bool reassignHotkeys = false;

    bool changed() const { return !inserted.isEmpty(); }
};

// Ctrl+V released with the caret on caretLine: adds every item of the lines
// pasteStartLine to caretLine inclusive that the list lacks; nothing when
// caretLine is above pasteStartLine. The hotkeys stay as they are.
Collected collectPasted(ClickList& list, const QStringList& lines, int pasteStartLine,
                        int caretLine);

// The same for lines read one by one; lineCount bounds the range.
Collected collectPasted(ClickList& list, int lineCount, const LineAt& lineAt, int pasteStartLine,
                        int caretLine);

// Enter released: adds the completed line's item (the line above the
// caret's, as the caret's line holds what followed the caret) when the list
// lacks it, and then asks for the hotkeys to be assigned again.
Collected collectEntered(ClickList& list, QStringView completedLine);

// The same, taking the line above caretLine; nothing when the caret is on
// the first line.
Collected collectEntered(ClickList& list, const QStringList& lines, int caretLine);

// A change of the editor's lines that a rule decides; the window applies it
// to its document, apply() to a list of lines. Line numbers are those before
// the change.
struct LineEdit
{
    int replacedLine = -1; // this line's text becomes text (lineCount: a new last line)
    QString text;
    int emptyLineAfter = -1; // an empty line is inserted below this line
    int caretLine = -1;      // the caret goes to the start of this line, numbered
                             // after the change; -1 leaves caret and selection alone

    bool isNull() const { return replacedLine < 0 && emptyLineAfter < 0; }
};

// Applies the edit to the lines; returns where the caret is afterwards, given
// where it was.
int apply(QStringList& lines, const LineEdit& edit, int caretLine);

// An item picked from the click list or by hotkey: it replaces whatever the
// caret's line held, an empty line opens below it and the caret goes there.
// With the caret below the last line (an empty text has no lines) the item
// becomes a new last line.
LineEdit putItemAtCursor(int caretLine, int lineCount, const QString& item);

// The same, applied to the lines; returns the caret's new line.
int putItemAtCursor(QStringList& lines, int caretLine, const QString& item);

} // namespace EditorLines
