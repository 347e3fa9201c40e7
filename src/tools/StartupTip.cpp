#include "StartupTip.h"

#include "platform/SafeFile.h"

#include <QFileInfo>

namespace StartupTip {

QString fileName(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("tip.cnt");
}

bool enabled(const QString& dataFolder)
{
    return !QFileInfo::exists(fileName(dataFolder));
}

bool switchOff(const QString& dataFolder, QString* error)
{
    if (!enabled(dataFolder))
        return true;
    return SafeFile::write(SafeFile::Purpose::StartupTip, fileName(dataFolder),
                           QByteArrayLiteral("No\r\n"), error);
}

} // namespace StartupTip
