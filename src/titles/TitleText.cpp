#include "TitleText.h"

#include "TitleLineViews.h"

#include <QLocale>
#include <algorithm>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TitleText {

namespace {

const char kLatin1[] = "ISO-8859-1";
// A byte-order mark is text to the decoders; decodeText() takes off the first.
const QStringDecoder::Flags kKeepBom =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

QByteArray codePageOfLocale(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Serbian:
    case QLocale::Macedonian:
        return "windows-1251";
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Croatian:
    case QLocale::Slovenian:
    case QLocale::Romanian:
        return "windows-1250";
    case QLocale::Greek:
        return "windows-1253";
    case QLocale::Turkish:
        return "windows-1254";
    case QLocale::Hebrew:
        return "windows-1255";
    case QLocale::Arabic:
    case QLocale::Persian:
        return "windows-1256";
    case QLocale::Lithuanian:
    case QLocale::Latvian:
    case QLocale::Estonian:
        return "windows-1257";
    case QLocale::Vietnamese:
        return "windows-1258";
    case QLocale::Thai:
        return "windows-874";
    case QLocale::Japanese:
        return "Shift_JIS";
    case QLocale::Korean:
        return "windows-949";
    case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript ? "Big5" : "GBK";
    default:
        return "windows-1252";
    }
}

QByteArray codecName(const Format& format)
{
    return format.codec.isEmpty() ? defaultLegacyCodec() : format.codec;
}

// The text in the code page, or a null array when it cannot hold every character.
QByteArray encodeLegacy(const QString& text, const QByteArray& codec)
{
    QStringEncoder encoder(codec.constData(), QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return {};
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return {};
    QStringDecoder decoder(codec.constData(), QStringDecoder::Flag::Stateless);
    if (QString(decoder.decode(bytes)) != text)
        return {};
    if (bytes.isNull())
        bytes = QByteArray("");
    return bytes;
}

QString joined(const QList<QStringView>& lines)
{
    qsizetype size = 0;
    for (QStringView line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (QStringView line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

// The line in UTF-8 at out, a lone surrogate written as '?' as
// QString::toUtf8() writes it, so that titles keep the bytes they always had.
// At most three bytes for each UTF-16 unit.
char* appendUtf8(char* out, QStringView line)
{
    const char16_t* p = line.utf16();
    const char16_t* const end = p + line.size();
    auto* o = reinterpret_cast<unsigned char*>(out);
    while (p < end) {
        const char32_t c = *p++;
        if (c < 0x80) {
            *o++ = uchar(c);
        } else if (c < 0x800) {
            *o++ = uchar(0xC0 | (c >> 6));
            *o++ = uchar(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
            const char32_t u = QChar::surrogateToUcs4(char16_t(c), *p++);
            *o++ = uchar(0xF0 | (u >> 18));
            *o++ = uchar(0x80 | ((u >> 12) & 0x3F));
            *o++ = uchar(0x80 | ((u >> 6) & 0x3F));
            *o++ = uchar(0x80 | (u & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            *o++ = '?';
        } else {
            *o++ = uchar(0xE0 | (c >> 12));
            *o++ = uchar(0x80 | ((c >> 6) & 0x3F));
            *o++ = uchar(0x80 | (c & 0x3F));
        }
    }
    return reinterpret_cast<char*>(o);
}

QList<QStringView> viewsOf(const QStringList& lines)
{
    return QList<QStringView>(lines.cbegin(), lines.cend());
}

} // namespace

QByteArray defaultLegacyCodec()
{
    static const QByteArray codec = [] {
        const QByteArray set = qgetenv("MORVANE_LEGACY_ENCODING");
        if (!set.isEmpty() && QStringDecoder(set.constData()).isValid())
            return set;
        return codePageOfLocale(QLocale::system());
    }();
    return codec;
}

QString decodeText(const QByteArray& bytes, Format* format, const QByteArray& legacyCodec)
{
    const auto starts = [&](const char* bom, int n) {
        return bytes.startsWith(QByteArray(bom, n));
    };
    if (starts("\xff\xfe", 2) || starts("\xfe\xff", 2)) {
        const bool le = bytes.at(0) == '\xff';
        *format = le ? Encoding::Utf16LE : Encoding::Utf16BE;
        QStringDecoder d(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE, kKeepBom);
        return d.decode(QByteArrayView(bytes.constData() + 2, bytes.size() - 2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, kKeepBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        *format = Encoding::Utf8;
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
            *format = Encoding::Utf8Bom;
        }
        return text;
    }
    // Opening and saving a legacy title must give back its bytes exactly.
    QStringDecoder legacy(legacyCodec.constData(), QStringDecoder::Flag::Stateless);
    if (legacy.isValid()) {
        text = legacy.decode(bytes);
        if (!legacy.hasError() && encodeLegacy(text, legacyCodec) == bytes) {
            *format = Format(Encoding::Legacy, legacyCodec);
            return text;
        }
    }
    *format = Format(Encoding::Legacy, kLatin1);
    return QString::fromLatin1(bytes);
}

Decoded decode(const QByteArray& bytes, const QByteArray& legacyCodec)
{
    const TitleLineViews views(bytes, legacyCodec);
    Decoded out;
    out.encoding = views.encoding();
    out.lines.reserve(views.lines().size());
    for (QStringView line : views.lines())
        out.lines.append(line.toString());
    return out;
}

Format formatFor(const QStringList& lines, const Format& format)
{
    return formatFor(viewsOf(lines), format);
}

Format formatFor(const QList<QStringView>& lines, const Format& format)
{
    if (format.encoding != Encoding::Legacy)
        return format;
    const QByteArray codec = codecName(format);
    if (encodeLegacy(joined(lines), codec).isNull())
        return Encoding::Utf8;
    return Format(Encoding::Legacy, codec);
}

QByteArray encode(const QStringList& lines, const Format& format)
{
    return encode(viewsOf(lines), format);
}

QByteArray encode(const QList<QStringView>& lines, const Format& format)
{
    const Format target = formatFor(lines, format);
    switch (target.encoding) {
    case Encoding::Legacy:
        return encodeLegacy(joined(lines), target.codec);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool le = target.encoding == Encoding::Utf16LE;
        QStringEncoder e(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                         QStringEncoder::Flag::Stateless);
        return QByteArray(le ? "\xff\xfe" : "\xfe\xff", 2) + QByteArray(e.encode(joined(lines)));
    }
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        break;
    }
    // Straight into one buffer of the largest size the text can take: a
    // title of a million lines is written without a string per line.
    qsizetype units = 0;
    for (QStringView line : lines)
        units += line.size();
    // Sized for ASCII, grown when a line could overflow it: three times the
    // size up front would touch far more memory than most titles need.
    QByteArray out(3 + units + 2 * lines.size(), Qt::Uninitialized);
    char* end = out.data();
    if (target.encoding == Encoding::Utf8Bom)
        end = std::copy_n("\xef\xbb\xbf", 3, end);
    for (QStringView line : lines) {
        const qsizetype used = end - out.constData();
        if (out.size() - used < 3 * line.size() + 2) {
            out.resize(std::max(2 * out.size(), used + 3 * line.size() + 2));
            end = out.data() + used;
        }
        end = appendUtf8(end, line);
        *end++ = '\r';
        *end++ = '\n';
    }
    out.truncate(end - out.constData());
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

namespace {
const char16_t kSwallowed[3] = {0x2029, 0xFDD0, 0xFDD1};
}

EditorStandIns::EditorStandIns(const QStringList& lines)
{
    // Plane 16's private-use characters, skipping any the title itself holds;
    // one quick look finds that most titles hold none of that part of it.
    const bool anyThere = std::any_of(lines.cbegin(), lines.cend(), &mayHold);
    char32_t next = 0x10FD00;
    for (QString& standIn : m_standIns) {
        for (;; ++next) {
            const char32_t c[1] = {next};
            standIn = QString::fromUcs4(c, 1);
            bool used = false;
            for (qsizetype i = 0; anyThere && !used && i < lines.size(); ++i)
                used = lines.at(i).contains(standIn);
            if (!used)
                break;
        }
        ++next;
    }
}

QString EditorStandIns::toEditor(const QString& text) const
{
    QString out = text;
    for (int i = 0; i < 3; ++i)
        out.replace(QChar(kSwallowed[i]), m_standIns[i]);
    return out;
}

bool EditorStandIns::mayHold(const QString& text)
{
    // Every stand-in lies in U+10FC00..U+10FFFF, whose UTF-16 begins with 0xDBFF.
    return text.contains(QChar(0xDBFF));
}

QString EditorStandIns::fromEditor(const QString& text) const
{
    QString out = text;
    for (int i = 0; i < 3; ++i)
        out.replace(m_standIns[i], QString(QChar(kSwallowed[i])));
    return out;
}

} // namespace TitleText
