#pragma once

#include <QByteArray>
#include <QString>

// The one way this program writes a file: the new content goes to a temporary
// file beside the target and replaces it only once it is complete, so a full
// disk or a crash leaves the old file as it was.
class SafeFile
{
public:
    // Writes data as the whole content of path. On failure returns false,
    // leaves any existing file untouched and puts the system's message in *error.
    static bool write(const QString& path, const QByteArray& data, QString* error = nullptr);

    // Testing aid: writes fail, as on a full disk, once this many bytes have
    // been written in one call. A negative value (the default) turns it off.
    static void setFailAfterBytesForTesting(qint64 bytes);
};
