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
// The first copies had no line for the title's hash; they are still read.
const QByteArray kMagicWithoutBase = QByteArrayLiteral("Morvane recovery copy");
const QByteArray kMagic = QByteArrayLiteral("Morvane recovery copy 2");
const QString kSuffix = QStringLiteral(".recovery");
} // namespace

QString filePath(const QString& stateFolder, const QString& dataFolder, const QString& titlePath)
{
    // One file per title of one data folder; the name needs no escaping.
    const QByteArray key = (dataFolder + QChar(0) + titlePath).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QDir(stateFolder).filePath(QString::fromLatin1(hash.left(20)) + kSuffix);
}

QByteArray encode(const QString& dataFolder, const QString& titlePath, const QByteArray& baseHash,
                  const QList<QStringView>& lines)
{
    QByteArray out = kMagic + '\n' + dataFolder.toUtf8() + '\n' + titlePath.toUtf8() + '\n' +
                     baseHash.toHex() + '\n';
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
        const bool withBase = !parts.isEmpty() && parts[0] == kMagic;
        const qsizetype header = withBase ? 4 : 3;
        if (parts.size() < header || (!withBase && parts[0] != kMagicWithoutBase) ||
            QString::fromUtf8(parts[1]) != dataFolder)
            continue;
        Copy copy;
        copy.file = info.absoluteFilePath();
        copy.titlePath = QString::fromUtf8(parts[2]);
        const QByteArray base = withBase ? QByteArray::fromHex(parts[3]) : QByteArray();
        parts.erase(parts.begin(), parts.begin() + header);
        if (!parts.isEmpty() && parts.last().isEmpty())
            parts.removeLast(); // the break after the last line
        for (const QByteArray& line : parts)
            copy.lines << QString::fromUtf8(line);
        const QString title = nativePath(dataFolder, copy.titlePath);
        const QFileInfo there(title);
        if (!there.exists() && !there.isSymLink()) {
            copy.title = Copy::Title::Gone;
        } else {
            const TitleFiles::Loaded saved = TitleFiles::load(title);
            if (saved.ok && saved.text.lines == copy.lines) {
                QFile::remove(copy.file); // nothing in it that the title lacks
                continue;
            }
            if (!saved.ok || base.isEmpty() || saved.stamp.hash != base)
                copy.title = Copy::Title::Changed;
        }
        offers.push_back(copy);
    }
    return offers;
}

QString keepAside(const QString& file, const QDateTime& now)
{
    QString base = file;
    base.chop(kSuffix.size());
    base += now.toString(QStringLiteral("'.'yyyyMMdd-HHmmss"));
    QString target = base + QStringLiteral(".kept");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QStringLiteral("-%1.kept").arg(n);
    return QFile::rename(file, target) ? target : QString();
}

} // namespace RecoveryCopy
