#include "TitleLineViews.h"

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
    if (m_text.isEmpty())
        return;
    const QStringView all(m_text);
    m_lines.reserve(m_text.size() / 32 + 1); // most lines are a few words long
    qsizetype start = 0;
    for (qsizetype end; (end = all.indexOf(separator, start)) >= 0; start = end + 1)
        m_lines.append(all.mid(start, end - start));
    m_lines.append(all.mid(start));
}
