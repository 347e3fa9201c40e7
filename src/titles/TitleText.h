#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The title file format: text lines, CR LF after every line, in the locale's
// encoding (UTF-8). A file that is not valid UTF-8 was written elsewhere in a
// legacy single-byte code page; it is read byte for byte (Latin-1) and written
// back the same way, so opening and saving never changes what was there.
namespace TitleText {

enum class Encoding
{
    Utf8,
    Legacy
};

struct Decoded
{
    QStringList lines;
    Encoding encoding = Encoding::Utf8;
};

// Splits a file into lines at CR LF, LF or a lone CR; the break after the last
// line ends it and does not start another. An empty file has no lines.
Decoded decode(const QByteArray& bytes);

// Every line followed by CR LF. In the legacy encoding, characters beyond
// Latin-1 (typed after opening) are written as UTF-8; all others byte for byte.
QByteArray encode(const QStringList& lines, Encoding encoding = Encoding::Utf8);

// The editor shows lines joined by '\n'; an empty text has no lines.
QString toEditorText(const QStringList& lines);
QStringList fromEditorText(const QString& text);

} // namespace TitleText
