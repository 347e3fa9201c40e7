#include "RecoveryCopy.h"

#include "NodeState.h"
#include "TitleFiles.h"
#include "platform/RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace RecoveryCopy {

namespace {
const QByteArray kMagic = QByteArrayLiteral("Morvane recovery copy");
const QString kSuffix = QStringLiteral(".recovery");
} // namespace

QString filePath(const QString& stateFolder, const QString& dataFolder, const QString& titlePath)
{
    // One file per title of one data folder; the name needs no escaping.
    const QByteArray key = (dataFolder + QChar(0) + titlePath).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QDir(stateFolder).filePath(QString::fromLatin1(hash.left(20)) + kSuffix);
}

QByteArray encode(const QString& dataFolder, const QString& titlePath,
                  const QList<QStringView>& lines)
{
    QByteArray out = kMagic + '\n' + dataFolder.toUtf8() + '\n' + titlePath.toUtf8() + '\n';
    for (QStringView line : lines) {
        out += line.toUtf8();
        out += '\n';
    }
    return out;
}

std::vector<Copy> toOffer(const QString& stateFolder, const QString& dataFolder)
{
    std::vector<Copy> offers;
    const QFileInfoList files = QDir(stateFolder)
                                    .entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files,
                                                   QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : files) {
        QFile file;
        if (!RegularFile::openForReading(file, info.absoluteFilePath(), nullptr))
            continue;
        QList<QByteArray> parts = file.readAll().split('\n');
        if (parts.size() < 3 || parts[0] != kMagic || QString::fromUtf8(parts[1]) != dataFolder)
            continue;
        Copy copy;
        copy.file = info.absoluteFilePath();
        copy.titlePath = QString::fromUtf8(parts[2]);
        const QFileInfo title(nativePath(dataFolder, copy.titlePath));
        if (!title.isFile())
            continue;
        parts.erase(parts.begin(), parts.begin() + 3);
        if (!parts.isEmpty() && parts.last().isEmpty())
            parts.removeLast(); // the break after the last line
        for (const QByteArray& line : parts)
            copy.lines << QString::fromUtf8(line);
        const TitleFiles::Loaded saved = TitleFiles::load(title.absoluteFilePath());
        if (saved.ok && saved.text.lines == copy.lines) {
            QFile::remove(copy.file); // nothing in it that the title lacks
            continue;
        }
        if (title.lastModified() > info.lastModified())
            continue;
        offers.push_back(copy);
    }
    return offers;
}

bool keepAside(const QString& file, const QDateTime& now)
{
    QString base = file;
    base.chop(kSuffix.size());
    base += now.toString(QStringLiteral("'.'yyyyMMdd-HHmmss"));
    QString target = base + QStringLiteral(".kept");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QStringLiteral("-%1.kept").arg(n);
    return QFile::rename(file, target);
}

} // namespace RecoveryCopy
