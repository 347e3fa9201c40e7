#include "SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
qint64 g_failAfterBytes = -1; // testing aid only; never set by the program
}

void SafeFile::setFailAfterBytesForTesting(qint64 bytes)
{
    g_failAfterBytes = bytes;
}

bool SafeFile::write(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses data.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Cannot create file \"%1\". %2")
                         .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return false;
    }
    qint64 limit = data.size();
    const bool injectFailure = g_failAfterBytes >= 0 && g_failAfterBytes < data.size();
    if (injectFailure)
        limit = g_failAfterBytes;
    bool ok = file.write(data.constData(), limit) == limit && file.flush();
    QString reason = file.errorString();
    if (ok && injectFailure) {
        ok = false;
        reason = QStringLiteral("No space left on device");
    }
    if (!ok) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\". %2")
                         .arg(QFileInfo(path).absoluteFilePath(), reason);
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\". %2")
                         .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return false;
    }
    return true;
}
