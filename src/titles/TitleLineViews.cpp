#include "TitleLineViews.h"

#include <QStringDecoder>

TitleLineViews::TitleLineViews(const QByteArray& bytes)
{
    // Same reading as a title file: UTF-8, else byte for byte (a legacy code
    // page); a byte-order mark before UTF-8 text is not part of the first line.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    m_text = utf8.decode(bytes);
    if (utf8.hasError()) {
        m_text = QString::fromLatin1(bytes);
        m_encoding = TitleText::Encoding::Legacy;
    } else if (m_text.startsWith(QChar(0xFEFF)))
        m_text.remove(0, 1);

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
