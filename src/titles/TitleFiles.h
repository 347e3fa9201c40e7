#pragma once

#include "TitleText.h"

#include <QDateTime>
#include <QString>

// Reading and writing whole title files.
namespace TitleFiles {

// What a title file was on disk, to notice a change made outside the program.
struct Stamp
{
    qint64 size = -1; // -1: no such file, or one that could not be read
    QDateTime modified;
    QByteArray hash;
    bool unreadable = false; // there, but not readable as a title (no access, no file)
    bool operator==(const Stamp& o) const
    {
        return size == o.size && modified == o.modified && hash == o.hash &&
               unreadable == o.unreadable;
    }
    bool operator!=(const Stamp& o) const { return !(*this == o); }
};

// The stamp of the file as it is now.
Stamp stampOf(const QString& path);

struct Loaded
{
    bool ok = false;
    QString error; // the system's message when !ok
    TitleText::Decoded text;
    Stamp stamp; // of the bytes read
};

// Reads a title file: only a regular file (links followed) within the size
// limit; a FIFO or a device is refused without blocking.
Loaded load(const QString& path);

// Replaces a title file with the lines, CR LF after each. The file's old
// read-only attribute is cleared first; on failure the old file is intact.
// A legacy code page that cannot hold a character is replaced by UTF-8.
// written, when given, receives the stamp of the new file.
bool save(const QString& path, const QList<QStringView>& lines, const TitleText::Format& encoding,
          QString* error, Stamp* written = nullptr);
bool save(const QString& path, const QStringList& lines, const TitleText::Format& encoding,
          QString* error);

// Creates a title with the header the program's own titles start with, but
// only if no file of that name exists. False with a message on failure.
bool createWithHeader(const QString& path, const QString& explanation, QString* error);

// The header lines of a title the program creates itself.
QStringList headerLines(const QString& explanation);

} // namespace TitleFiles
