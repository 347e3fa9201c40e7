#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decoding of the JPEG pictures the windows carry, over libjpeg.
namespace Jpeg {

// Decodes a whole baseline or progressive, colour or greyscale JPEG file.
// Any warning of the library (a truncated or corrupt stream) rejects the
// file rather than showing part of it: the result is then null and *error
// says why.
QImage decode(const QByteArray& data, QString* error = nullptr);

// Reads and decodes a file (resource paths included).
QImage load(const QString& path, QString* error = nullptr);

} // namespace Jpeg
