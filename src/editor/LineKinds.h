#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// How every rule of the program reads a title's line: trimmed of characters of
// code 32 or less at both ends, then empty, a comment ("//..."), or an item.
namespace LineKinds {

// The line without leading and trailing characters of code 32 or less.
inline QStringView trimmed(QStringView line)
{
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && line.at(b).unicode() <= 32)
        ++b;
    while (e > b && line.at(e - 1).unicode() <= 32)
        --e;
    return line.mid(b, e - b);
}

// True for a trimmed line that begins with two slashes.
inline bool isComment(QStringView trimmedLine)
{
    return trimmedLine.size() >= 2 && trimmedLine.at(0) == QLatin1Char('/') &&
           trimmedLine.at(1) == QLatin1Char('/');
}

// True for a trimmed line that is an item: not empty and not a comment.
inline bool isItem(QStringView trimmedLine)
{
    return !trimmedLine.isEmpty() && !isComment(trimmedLine);
}

// The date text of a comment line: the rest after "//", trimmed again.
inline QStringView commentRest(QStringView trimmedLine)
{
    return trimmed(trimmedLine.mid(2));
}

} // namespace LineKinds
