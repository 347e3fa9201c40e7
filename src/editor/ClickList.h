#pragma once

#include <QCollator>
#include <QLocale>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

// The click list: every distinct item of the open title once, in ascending
// alphabetical order without regard to case. Items are distinct when they
// differ in any character, case included, so Apple and apple are two entries;
// entries that compare equal ignoring case keep the order in which they came.
//
// Membership is a hash lookup and insertion a binary search, so a title of
// hundreds of thousands of lines rebuilds in milliseconds.
class ClickList
{
public:
    // An empty list ordered by the collation of the given locale.
    explicit ClickList(const QLocale& locale = QLocale());

    // Replaces the contents with the items of the lines, first to last (an
    // item is a trimmed line that is neither empty nor a comment).
    void rebuild(const QList<QStringView>& lines);
    void rebuild(const QStringList& lines)
    {
        rebuild(QList<QStringView>(lines.cbegin(), lines.cend()));
    }

    // The list built from the lines, ordered by the given locale.
    static ClickList fromLines(const QList<QStringView>& lines, const QLocale& locale = QLocale());
    static ClickList fromLines(const QStringList& lines, const QLocale& locale = QLocale())
    {
        return fromLines(QList<QStringView>(lines.cbegin(), lines.cend()), locale);
    }

    // Adds the item at its sorted place and returns that row, or returns -1
    // and changes nothing when an entry equals it or the text is not an item
    // as a trimmed line would give it (empty, a comment, outer blanks).
    qsizetype add(QStringView item);

    // True when an entry equals the text exactly, case included.
    bool contains(QStringView item) const;

    const QStringList& entries() const { return m_entries; }
    const QString& at(qsizetype row) const { return m_entries.at(row); }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // Removes every entry.
    void clear();

    const QLocale& locale() const { return m_locale; }

private:
    QLocale m_locale;
    QCollator m_collator;
    QStringList m_entries;
    QSet<QString> m_members;
};
