#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The title file format: text lines, CR LF after every line. A title is
// written back in the encoding it was read in: UTF-8 (with or without a
// byte-order mark), UTF-16 with a byte-order mark, or, for a file that is no
// valid UTF-8, a legacy code page. What the editor shows is what is saved.
namespace TitleText {

enum class Encoding
{
    Utf8,
    Legacy,
    Utf8Bom,
    Utf16LE,
    Utf16BE
};

// An encoding and, for Legacy, the code page's name. Converts from a bare
// Encoding, whose legacy code page is the default one.
struct Format
{
    Format(Encoding e = Encoding::Utf8, QByteArray codePage = {})
        : encoding(e), codec(std::move(codePage))
    {
    }
    Encoding encoding;
    QByteArray codec; // Legacy only; empty means defaultLegacyCodec()

    bool operator==(const Format& o) const
    {
        return encoding == o.encoding && (encoding != Encoding::Legacy || codec == o.codec);
    }
    bool operator!=(const Format& o) const { return !(*this == o); }
};

// The code page that non-UTF-8 titles are read in: $MORVANE_LEGACY_ENCODING
// when set, else the usual Windows code page of the locale's language.
QByteArray defaultLegacyCodec();

struct Decoded
{
    QStringList lines;
    Format encoding;
};

// The text of a file with its format found: a UTF-16 or UTF-8 byte-order
// mark, else UTF-8, else the legacy code page. A code page that cannot give
// back the same bytes is replaced by Latin-1, which always can. The
// byte-order mark is not part of the text.
QString decodeText(const QByteArray& bytes, Format* format,
                   const QByteArray& legacyCodec = defaultLegacyCodec());

// Splits a file into lines at CR LF, LF or a lone CR; the break after the last
// line ends it and does not start another. An empty file has no lines.
Decoded decode(const QByteArray& bytes, const QByteArray& legacyCodec = defaultLegacyCodec());

// The format the lines can be written in: the given one, or UTF-8 when a
// legacy code page cannot hold every character (never a mix of the two).
Format formatFor(const QList<QStringView>& lines, const Format& format);
Format formatFor(const QStringList& lines, const Format& format);

// Every line followed by CR LF, in formatFor(lines, format).
QByteArray encode(const QList<QStringView>& lines, const Format& format = Format());
QByteArray encode(const QStringList& lines, const Format& format = Format());

// The editor shows lines joined by '\n'; an empty text has no lines.
QString toEditorText(const QStringList& lines);
QStringList fromEditorText(const QString& text);

// A text editor turns U+2029 and U+FDD0/U+FDD1 into breaks between its
// blocks. While a title is in the editor they are held as private-use
// characters that the title does not contain, and given back on saving.
class EditorStandIns
{
public:
    explicit EditorStandIns(const QStringList& lines = {});
    QString toEditor(const QString& text) const;
    QString fromEditor(const QString& text) const;
    // False when the text surely holds no stand-in, so fromEditor() would
    // give it back unchanged; a quick test for titles of millions of characters.
    static bool mayHold(const QString& text);

private:
    QString m_standIns[3];
};

} // namespace TitleText
