#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <sys/stat.h>

namespace Shell {

namespace {
std::function<bool(const QString&)>& openHandler()
{
    static std::function<bool(const QString&)> handler;
    return handler;
}

// The write permissions a new file gets under the user's umask.
QFile::Permissions writeBitsOfNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QFile::Permissions bits;
    if (!(mask & S_IWUSR))
        bits |= QFile::WriteOwner | QFile::WriteUser;
    if (!(mask & S_IWGRP))
        bits |= QFile::WriteGroup;
    if (!(mask & S_IWOTH))
        bits |= QFile::WriteOther;
    return bits;
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}
} // namespace

QString specialFolderPath(SpecialFolder folder)
{
    QString path;
    switch (folder) {
    case SpecialFolder::Personal:
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        break;
    case SpecialFolder::Desktop:
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
    case SpecialFolder::StartMenu:
    case SpecialFolder::Programs:
        path = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        break;
    case SpecialFolder::AppData:
        path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        break;
    }
    return withoutTrailingSeparator(path);
}

bool open(const QString& target)
{
    if (openHandler())
        return openHandler()(target);
    const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
    // openUrl answers false where no launcher exists (no xdg-open, offscreen).
    return QDesktopServices::openUrl(url);
}

void setOpenHandlerForTesting(std::function<bool(const QString&)> handler)
{
    openHandler() = std::move(handler);
}

bool deleteFolderTree(const QString& folder)
{
    QDir dir(withoutTrailingSeparator(folder));
    if (!dir.exists())
        return false;
    // Entries without write access must still go: give it back first.
    sweepAttributes(dir.path(), Normal);
    return dir.removeRecursively();
}

void setAttributes(const QString& path, int value)
{
    QFileInfo info(path);
    if (!info.exists() || info.isSymLink())
        return;
    QFile::Permissions perms = info.permissions();
    const QFile::Permissions write =
        QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    if (value == ReadOnly && !info.isDir())
        perms &= ~write;
    else if (!(perms & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        // Give back what the read-only sweep took: the bits a new file gets.
        perms |= writeBitsOfNewFile() | QFile::WriteOwner | QFile::WriteUser;
    else
        perms |= QFile::WriteOwner | QFile::WriteUser;
    if (perms != info.permissions())
        QFile::setPermissions(path, perms);
}

void sweepAttributes(const QString& folder, int value)
{
    const QString root = withoutTrailingSeparator(folder);
    if (!QFileInfo(root).isDir())
        return;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        setAttributes(it.next(), value);
    setAttributes(root, value);
}

} // namespace Shell
