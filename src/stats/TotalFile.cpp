#include "TotalFile.h"

#include "platform/SafeFile.h"
#include "titles/TitleText.h"

QString totalFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("Total.tol");
}

bool writeTotalFile(const QString& dataFolder, const QStringList& reportLines, QString* error)
{
    return SafeFile::write(SafeFile::Purpose::Total, totalFilePath(dataFolder),
                           TitleText::encode(reportLines), error);
}
