#include "TitleFiles.h"

#include "platform/SafeFile.h"
#include "platform/Shell.h"

#include <QFile>
#include <QFileInfo>

namespace TitleFiles {

Loaded load(const QString& path)
{
    Loaded out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return out;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        out.error = QStringLiteral("Cannot read file \"%1\". %2")
                        .arg(QFileInfo(path).absoluteFilePath(), file.errorString());
        return out;
    }
    out.text = TitleText::decode(bytes);
    out.ok = true;
    return out;
}

bool save(const QString& path, const QStringList& lines, TitleText::Encoding encoding,
          QString* error)
{
    if (QFileInfo::exists(path))
        Shell::setAttributes(path, Shell::Normal);
    return SafeFile::write(path, TitleText::encode(lines, encoding), error);
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
    return SafeFile::write(path, TitleText::encode(headerLines(explanation)), error);
}

} // namespace TitleFiles
