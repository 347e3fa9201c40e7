#include "TitleFiles.h"

#include "platform/RegularFile.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <xxhash.h>

namespace TitleFiles {

namespace {
// Tells apart contents of one size and time; no defence against a forger is
// needed, and a fast hash keeps saving a title of millions of lines quick.
QByteArray hashOf(const QByteArray& bytes)
{
    const XXH128_hash_t h = XXH3_128bits(bytes.constData(), size_t(bytes.size()));
    QByteArray out(16, Qt::Uninitialized);
    qToBigEndian(h.high64, out.data());
    qToBigEndian(h.low64, out.data() + 8);
    return out;
}
} // namespace

Stamp stampOf(const QString& path)
{
    Stamp stamp;
    QFile file;
    if (!RegularFile::openForReading(file, path, nullptr)) {
        stamp.unreadable = QFileInfo::exists(path);
        return stamp;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        stamp.unreadable = true;
        return stamp;
    }
    stamp.size = bytes.size();
    stamp.modified = QFileInfo(path).lastModified();
    stamp.hash = hashOf(bytes);
    return stamp;
}

Loaded load(const QString& path)
{
    Loaded out;
    QFile file;
    if (!RegularFile::openForReading(file, path, &out.error))
        return out;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        out.error = QStringLiteral("Cannot read file \"%1\". %2")
                        .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return out;
    }
    out.text = TitleText::decode(bytes);
    out.stamp.size = bytes.size();
    out.stamp.modified = QFileInfo(path).lastModified();
    out.stamp.hash = hashOf(bytes);
    out.ok = true;
    return out;
}

bool save(const QString& path, const QList<QStringView>& lines, const TitleText::Format& encoding,
          QString* error, Stamp* written)
{
    if (QFileInfo::exists(path))
        Shell::setAttributes(path, Shell::Normal);
    const QByteArray bytes = TitleText::encode(lines, encoding);
    const SafeFile::Purpose purpose =
        SafeFile::hasOtherNames(path) ? SafeFile::Purpose::LinkedTitle : SafeFile::Purpose::Title;
    if (!SafeFile::write(purpose, path, bytes, error))
        return false;
    if (written) {
        written->size = bytes.size();
        written->modified = QFileInfo(path).lastModified();
        written->hash = hashOf(bytes);
    }
    return true;
}

bool save(const QString& path, const QStringList& lines, const TitleText::Format& encoding,
          QString* error)
{
    return save(path, QList<QStringView>(lines.cbegin(), lines.cend()), encoding, error);
}

QStringList headerLines(const QString& explanation)
{
    QStringList lines;
    if (!explanation.isEmpty())
        lines << QStringLiteral("//") + explanation << QString();
    lines << QStringLiteral("//Rule:Must press the Enter key, after typing a item each time.")
          << QStringLiteral("//If beginning of a row is \"//\",this row can not be counted.")
          << QString();
    return lines;
}

bool createWithHeader(const QString& path, const QString& explanation, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    return SafeFile::write(SafeFile::Purpose::Title, path,
                           TitleText::encode(headerLines(explanation)), error);
}

} // namespace TitleFiles
