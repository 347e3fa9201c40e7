#include "TitleText.h"

#include <QStringDecoder>

namespace TitleText {

namespace {
QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}
} // namespace

Decoded decode(const QByteArray& bytes)
{
    Decoded out;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
        out.encoding = Encoding::Legacy;
    } else if (text.startsWith(QChar(0xFEFF))) {
        // A byte-order mark from another editor is not part of the first line.
        text.remove(0, 1);
    }
    out.lines = splitLines(text);
    return out;
}

QByteArray encode(const QStringList& lines, Encoding encoding)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        if (encoding == Encoding::Utf8) {
            out += line.toUtf8();
        } else {
            for (qsizetype i = 0; i < line.size(); ++i) {
                const QChar c = line.at(i);
                if (c.unicode() <= 0xFF) {
                    out += char(c.unicode());
                } else {
                    const qsizetype len =
                        (c.isHighSurrogate() && i + 1 < line.size()) ? 2 : 1;
                    out += line.mid(i, len).toUtf8();
                    i += len - 1;
                }
            }
        }
        out += "\r\n";
    }
    return out;
}

QString toEditorText(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

QStringList fromEditorText(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

} // namespace TitleText
