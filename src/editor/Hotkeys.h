#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The hotkey column beside the click list: for each entry, at the same row,
// one character "A"-"Z" or "0"-"9" that Ctrl+ that character puts into the
// editor, or "NO-" when the entry has none. No two rows share a character.
class HotkeyColumn
{
public:
    // One row of the "Hotkey" menu: the click-list row and its character.
    struct Assigned
    {
        qsizetype row;
        QChar key;
    };

    // The text of a row that holds no hotkey.
    static QString noHotkeyText() { return QStringLiteral("NO-"); }

    qsizetype size() const { return m_keys.size(); }

    // The row's character, or a null QChar when it has none.
    QChar key(qsizetype row) const { return QChar(QLatin1Char(m_keys.at(row))); }

    // The row as the column shows it: the character, or "NO-".
    QString text(qsizetype row) const;

    // Every row as the column shows it, top to bottom.
    QStringList texts() const;

    // The rows that hold a character, top to bottom (at most 36).
    QList<Assigned> assigned() const;

private:
    friend HotkeyColumn AssignHotkeys(const QStringList&, const QLocale&);
    QByteArray m_keys; // '\0' for "NO-"
};

// The hotkey column for the click-list entries, in their order: the first
// character of each entry, then its second and third, then the first free
// letter from A, then the first free digit from 0. Characters are upper-cased
// with the locale; only ASCII letters and digits are eligible.
HotkeyColumn AssignHotkeys(const QStringList& entries, const QLocale& locale = QLocale());
