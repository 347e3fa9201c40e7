#include "TitleLineViews.h"

#include <algorithm>

TitleLineViews::TitleLineViews(const QByteArray& bytes, const QByteArray& legacyCodec)
{
    m_text = TitleText::decodeText(bytes, &m_encoding, legacyCodec);

    // Lines end at CR LF, LF or a lone CR; the break after the last line does
    // not start another.
    const QStringView text(m_text);
    const char16_t* data = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c != u'\n' && c != u'\r')
            continue;
        m_lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        m_lines.append(text.mid(start));
}

TitleLineViews::TitleLineViews(QString text, QChar separator) : m_text(std::move(text))
{
    m_lines.reserve(m_text.size() / 32 + 1); // most lines are a few words long
    split(0, separator);
}

void TitleLineViews::split(qsizetype from, QChar separator)
{
    if (m_text.isEmpty())
        return;
    const QStringView all(m_text);
    qsizetype start = from;
    for (qsizetype end; (end = all.indexOf(separator, start)) >= 0; start = end + 1)
        m_lines.append(all.mid(start, end - start));
    m_lines.append(all.mid(start));
}

qsizetype TitleLineViews::lineStartOf(qsizetype offset) const
{
    if (offset > m_text.size())
        return -1;
    // The last line that starts at or before offset.
    const QChar* base = m_text.constData();
    const auto after = std::upper_bound(
        m_lines.cbegin(), m_lines.cend(), offset,
        [base](qsizetype o, QStringView line) { return o < line.data() - base; });
    return after == m_lines.cbegin() ? 0 : (after - 1)->data() - base;
}

void TitleLineViews::replaceFrom(qsizetype lineStart, QStringView tail, QChar separator)
{
    const QChar* base = m_text.constData();
    const auto kept = std::lower_bound(
        m_lines.cbegin(), m_lines.cend(), lineStart,
        [base](QStringView line, qsizetype o) { return line.data() - base < o; });
    m_lines.resize(kept - m_lines.cbegin());
    m_text.truncate(lineStart);
    m_text.append(tail);
    // A text that had to move takes the views of its first lines along.
    if (m_text.constData() != base) {
        const QChar* moved = m_text.constData();
        for (QStringView& line : m_lines)
            line = QStringView(moved + (line.data() - base), line.size());
    }
    if (m_text.isEmpty())
        m_lines.clear();
    else
        split(lineStart, separator);
}
