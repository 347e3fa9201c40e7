#include "SampleTitles.h"

#include "NodeState.h"
#include "TitleFiles.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct SampleTitle
{
    const char* name;
    const char* explanation;
};

const SampleTitle kPersonal[] = {
    {"What do I really need in the heart of hearts",
     "Please input your psychological need every day,after inputting for 30 days,you will find "
     "your real demand in the abyss of the mind. "},
    {"My psychological pressure source", ""},
    {"What has reduced my working efficiency is it", ""},
    {"What makes me cause such chronic disease", ""},
    {"What has influenced my mood is it", ""},
    {"Why did I always make the same mistake", ""},
};

const SampleTitle kCompany[] = {
    {"The worker's psychological pressure source", ""},
    {"Degree of liking of every function of the product",
     "This statistics helps you to subdivide the market or to seek the best pointing."},
    {"Consumers Area", ""},
    {"Consumers ages", ""},
    {"What is the customer unsatisfied with", ""},
    {"How did the customer find us",
     "Discover which kind of advertisement is most economical and effective."},
    {"How did the customer look for this type product",
     "Helps you to seek the best advertisement way and the best marketing channel."},
};

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

template <size_t N>
QString createGroup(const QString& dataFolder, const QString& group, const SampleTitle (&titles)[N])
{
    const QString folder = dataFolder + group;
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        return QStringLiteral("Please establish sub file folder \"") + group +
               QStringLiteral("\" manually under \"") + dataFolder + QLatin1Char('"');
    }
    for (const SampleTitle& t : titles) {
        QString error;
        const QString path =
            nativePath(dataFolder, titleRelativePath(group, QString::fromUtf8(t.name)));
        if (!TitleFiles::createWithHeader(path, QString::fromUtf8(t.explanation), &error))
            return error;
    }
    return {};
}

} // namespace

QString createSampleLibrary(const QString& dataFolder, const QString& documentsFolder)
{
    // mkpath: on a fresh account the documents folder may not exist yet either.
    if (!QDir().mkpath(dataFolder)) {
        return QStringLiteral("Please establish sub file folder \"Morvane\" manually under My "
                              "Documents file folder(") +
               withoutTrailingSlash(documentsFolder) + QLatin1Char(')');
    }
    QString message = createGroup(dataFolder, QStringLiteral("personal"), kPersonal);
    if (message.isEmpty())
        message = createGroup(dataFolder, QStringLiteral("company"), kCompany);
    if (!message.isEmpty())
        return message;
    const QString defaultFile = dataFolder + QStringLiteral("defaultfile.cnt");
    QString error;
    if (!QFileInfo::exists(defaultFile) &&
        !SafeFile::write(SafeFile::Purpose::DefaultFile, defaultFile, QByteArray(), &error))
        return error;
    return {};
}
