#include "TitleLibrary.h"

#include "NodeState.h"
#include "TitleText.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TitleLibrary {

QString refusalMessage()
{
    return QStringLiteral("Must iuput new name,and the name can't include one of any characters "
                          "the following : ? : \" \\ /< > * |  ");
}

QString cleanName(const QString& text)
{
    static const QString forbidden = QStringLiteral("?/\\\"<>:*|");
    QString name;
    name.reserve(text.size());
    for (const QChar c : text)
        if (!forbidden.contains(c) && c.category() != QChar::Other_Control)
            name += c;
    name = name.trimmed();
    bool dotsOnly = true;
    for (const QChar c : std::as_const(name))
        dotsOnly = dotsOnly && c == QLatin1Char('.');
    return dotsOnly ? QString() : name;
}

QString placementText(int placement, bool groupPage, const QString& displayFolder)
{
    switch (placement) {
    case Root:
        return groupPage ? QStringLiteral("Establish to the root catalogue")
                         : QStringLiteral("Establish to the root catalogue ");
    case CurrentGroup:
        return QStringLiteral("Establish to the ") + displayFolder + QStringLiteral(" Catalogue");
    default:
        return QStringLiteral("Establish to other catalogues, please click to choose it at first ");
    }
}

bool existsIgnoringCase(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

namespace {
// The folder a placement puts new entries in; null for none.
QString targetFolder(const QString& dataFolder, int placement, const QString& groupPath)
{
    if (placement == Root)
        return dataFolder;
    if (placement == CurrentGroup)
        return nativePath(dataFolder, groupPath);
    return QString();
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// True when another entry than the one at path already has newName.
bool nameTaken(const QFileInfo& info, const QString& newName)
{
    return info.fileName().compare(newName, Qt::CaseInsensitive) != 0 &&
           existsIgnoringCase(info.absolutePath(), newName);
}

// Creating and renaming onto a name in use say the same.
QString titleExistsMessage()
{
    return QStringLiteral("This title has already existed.");
}

QString groupExistsMessage()
{
    return QStringLiteral("This title group has already existed.");
}
} // namespace

Created createTitle(const QString& dataFolder, int placement, const QString& groupPath,
                    const QString& name)
{
    const QString folder = targetFolder(dataFolder, placement, groupPath);
    if (folder.isNull())
        return {};
    const QString fileName = name + QStringLiteral(".txt");
    if (existsIgnoringCase(folder, fileName))
        return {Created::Exists, titleExistsMessage()};
    QString error;
    if (!SafeFile::write(SafeFile::Purpose::Title, withSeparator(folder) + fileName, QByteArray(),
                         &error))
        return {Created::Failed, error};
    return {Created::Done, QString()};
}

Created createGroup(const QString& dataFolder, int placement, const QString& groupPath,
                    const QString& name)
{
    const QString folder = targetFolder(dataFolder, placement, groupPath);
    if (folder.isNull())
        return {};
    if (existsIgnoringCase(folder, name))
        return {Created::Exists, groupExistsMessage()};
    // mkdir, not mkpath: a vanished parent must fail rather than be recreated.
    if (!QDir(folder).exists() || !QDir(folder).mkdir(name)) {
        const QString shown =
            placement == Root ? dataFolder : dataFolder + groupPath + QLatin1Char('\\');
        return {Created::Failed, QStringLiteral("Please establish sub file folder \"") + name +
                                     QStringLiteral("\" manually under My Documents file folder(") +
                                     shown + QLatin1Char(')')};
    }
    return {Created::Done, QString()};
}

QString titleFile(const QString& folder, const QString& name)
{
    const QString wanted = name + QStringLiteral(".txt");
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (!entries.contains(wanted))
        for (const QString& e : entries)
            if (e.size() == wanted.size() && e.startsWith(name) &&
                e.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
                return withSeparator(folder) + e;
    return withSeparator(folder) + wanted;
}

bool renameTitleFile(const QString& filePath, const QString& newName, QString* renamed,
                     QString* message)
{
    const QFileInfo info(filePath);
    const QString old = info.fileName();
    const bool txt = old.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    const QString newFileName = newName + (txt ? old.right(4) : QStringLiteral(".txt"));
    if (nameTaken(info, newFileName)) {
        if (message)
            *message = titleExistsMessage();
        return false;
    }
    const QString target = info.absolutePath() + QLatin1Char('/') + newFileName;
    QFile file(info.absoluteFilePath());
    if (!file.rename(target)) {
        if (message)
            *message = file.errorString();
        return false;
    }
    if (renamed)
        *renamed = target;
    return true;
}

bool renameGroupFolder(const QString& folderPath, const QString& newName, QString* message)
{
    const QFileInfo info(QDir::cleanPath(folderPath));
    if (message)
        message->clear();
    if (!info.isDir())
        return false;
    if (nameTaken(info, newName)) {
        if (message)
            *message = groupExistsMessage();
        return false;
    }
    return QDir().rename(info.absoluteFilePath(), info.absolutePath() + QLatin1Char('/') + newName);
}

QString movedPath(const QString& path, const QString& oldGroupPath, const QString& newGroupPath)
{
    if (oldGroupPath.isEmpty())
        return QString();
    if (path == oldGroupPath)
        return newGroupPath;
    if (path.startsWith(oldGroupPath + QLatin1Char('\\')))
        return newGroupPath + path.mid(oldGroupPath.size());
    return QString();
}

QString defaultFilePath(const QString& dataFolder)
{
    return withSeparator(dataFolder) + QStringLiteral("defaultfile.cnt");
}

DefaultTitle readDefault(const QString& dataFolder)
{
    QFile file;
    // Two short lines: anything larger, or no file at all (a FIFO, a device),
    // is no default, and reading it must neither block nor fill the memory.
    if (!RegularFile::openForReading(file, defaultFilePath(dataFolder), nullptr, kStateFileLimit))
        return {};
    const QStringList lines = TitleText::decode(file.readAll()).lines;
    return {lines.value(0), lines.value(1)};
}

bool writeDefault(const QString& dataFolder, const DefaultTitle& title, QString* error)
{
    return SafeFile::write(SafeFile::Purpose::DefaultFile, defaultFilePath(dataFolder),
                           TitleText::encode(QStringList{title.name, title.groupPath}), error);
}

void removeDefault(const QString& dataFolder)
{
    QFile::remove(defaultFilePath(dataFolder));
}

} // namespace TitleLibrary
