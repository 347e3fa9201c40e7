#pragma once

#include "TitleText.h"

#include <QString>

// Reading and writing whole title files.
namespace TitleFiles {

struct Loaded
{
    bool ok = false;
    QString error; // the system's message when !ok
    TitleText::Decoded text;
};

// Reads a title file.
Loaded load(const QString& path);

// Replaces a title file with the lines, CR LF after each. The file's old
// read-only attribute is cleared first; on failure the old file is intact.
bool save(const QString& path, const QStringList& lines, TitleText::Encoding encoding,
          QString* error);

// Creates a title with the header the program's own titles start with, but
// only if no file of that name exists. False with a message on failure.
bool createWithHeader(const QString& path, const QString& explanation, QString* error);

// The header lines of a title the program creates itself.
QStringList headerLines(const QString& explanation);

} // namespace TitleFiles
