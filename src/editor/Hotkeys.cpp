#include "Hotkeys.h"

#include <array>

namespace {

constexpr int keyCount = 36; // "A"-"Z" and "0"-"9"

// For each ASCII character, its eligible upper-case form, or 0. Characters
// beyond ASCII never qualify: in the single- or double-byte text the
// program was made for, they are not one of the 36 bytes.
using UpperTable = std::array<char, 128>;

UpperTable eligibleUpper(const QLocale& locale)
{
    UpperTable table{};
    for (char c = '0'; c <= '9'; ++c)
        table[c] = c;
    for (char c = 'A'; c <= 'Z'; ++c)
        table[c] = c;
    // The locale decides: a Turkish i becomes a dotted capital, no hotkey.
    const QString lower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    const QString upper = locale.toUpper(lower);
    for (int i = 0; i < 26; ++i) {
        const QString one =
            upper.size() == 26 ? QString(upper.at(i)) : locale.toUpper(QString(lower.at(i)));
        if (one.size() == 1 && one.at(0) >= QLatin1Char('A') && one.at(0) <= QLatin1Char('Z'))
            table['a' + i] = char(one.at(0).unicode());
    }
    return table;
}

} // namespace

QString HotkeyColumn::text(qsizetype row) const
{
    const char c = m_keys.at(row);
    return c ? QString(QLatin1Char(c)) : noHotkeyText();
}

QStringList HotkeyColumn::texts() const
{
    // Shared strings: a column of many thousand rows costs no allocations.
    std::array<QString, 128> byKey;
    const QString none = noHotkeyText();
    QStringList out;
    out.reserve(m_keys.size());
    for (const char c : m_keys) {
        if (!c) {
            out.append(none);
            continue;
        }
        QString& s = byKey[uchar(c)];
        if (s.isNull())
            s = QString(QLatin1Char(c));
        out.append(s);
    }
    return out;
}

QList<HotkeyColumn::Assigned> HotkeyColumn::assigned() const
{
    QList<Assigned> out;
    for (qsizetype row = 0; row < m_keys.size(); ++row) {
        if (m_keys.at(row))
            out.append({row, QChar(QLatin1Char(m_keys.at(row)))});
    }
    return out;
}

HotkeyColumn AssignHotkeys(const QStringList& entries, const QLocale& locale)
{
    const UpperTable upper = eligibleUpper(locale);
    const qsizetype n = entries.size();
    HotkeyColumn column;
    column.m_keys = QByteArray(n, '\0');
    char* keys = column.m_keys.data();
    std::array<bool, 128> used{};
    int left = keyCount;

    // The eligible upper-case character at a position of an entry, or 0.
    auto candidate = [&](const QString& entry, qsizetype pos) -> char {
        if (entry.size() <= pos)
            return 0;
        const char16_t u = entry.at(pos).unicode();
        return u < 128 ? upper[u] : 0;
    };
    auto give = [&](qsizetype row, char c) {
        keys[row] = c;
        used[uchar(c)] = true;
        --left;
    };

    // First characters. A row left without one shows "NO-", which begins
    // with N: from then on this pass gives N to no one.
    bool noShown = false;
    for (qsizetype i = 0; i < n && left > 0; ++i) {
        const char c = candidate(entries.at(i), 0);
        if (c && !used[uchar(c)] && !(c == 'N' && noShown))
            give(i, c);
        else
            noShown = true;
    }

    // Second, then third characters of the rows still without one.
    for (qsizetype pos = 1; pos <= 2; ++pos) {
        for (qsizetype i = 0; i < n && left > 0; ++i) {
            if (keys[i])
                continue;
            const char c = candidate(entries.at(i), pos);
            if (c && !used[uchar(c)])
                give(i, c);
        }
    }

    // Then the first free letter, then the first free digit.
    for (const auto& [first, last] : {std::pair{'A', 'Z'}, std::pair{'0', '9'}}) {
        char next = first;
        for (qsizetype i = 0; i < n && left > 0; ++i) {
            if (keys[i])
                continue;
            while (next <= last && used[uchar(next)])
                ++next;
            if (next > last)
                break;
            give(i, next);
        }
    }
    return column;
}
