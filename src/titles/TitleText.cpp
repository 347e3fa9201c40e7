#include "TitleText.h"

#include "TitleLineViews.h"

namespace TitleText {

Decoded decode(const QByteArray& bytes)
{
    const TitleLineViews views(bytes);
    Decoded out;
    out.encoding = views.encoding();
    out.lines.reserve(views.lines().size());
    for (QStringView line : views.lines())
        out.lines.append(line.toString());
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
                    const qsizetype len = (c.isHighSurrogate() && i + 1 < line.size()) ? 2 : 1;
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
