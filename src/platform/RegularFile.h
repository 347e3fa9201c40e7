#pragma once

#include <QString>

class QFile;

// Opening files the user named without trusting what they are: a link to a
// FIFO would block the open for good and a link to /dev/zero never ends.
namespace RegularFile {

// Titles and reports larger than this are refused.
constexpr qint64 kSizeLimit = qint64(1) << 30;

// Opens path for reading when, after following links, it is a regular file of
// at most maxBytes; the open itself never blocks. Otherwise false with a
// message naming the file in *error.
bool openForReading(QFile& file, const QString& path, QString* error, qint64 maxBytes = kSizeLimit);

// True when path exists (links followed) and is not a regular file.
bool existsAsNonRegular(const QString& path);

// True when both paths name one file: one existing file (same device and
// inode), or, while either is missing, one path once links are followed.
bool sameFile(const QString& a, const QString& b);

} // namespace RegularFile
