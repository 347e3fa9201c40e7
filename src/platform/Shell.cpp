#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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

QString launcherPath(LauncherPlace place)
{
    QString folder;
    QString name = QStringLiteral("Morvane.desktop");
    switch (place) {
    case LauncherPlace::Desktop:
        folder = specialFolderPath(SpecialFolder::Desktop);
        break;
    case LauncherPlace::StartMenu:
        folder = specialFolderPath(SpecialFolder::StartMenu);
        break;
    case LauncherPlace::Programs:
        // Same folder as the menu launcher, so it needs a name of its own.
        folder = specialFolderPath(SpecialFolder::Programs);
        name = QStringLiteral("Morvane-programs.desktop");
        break;
    case LauncherPlace::QuickStart:
        folder = withoutTrailingSeparator(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        if (!folder.isEmpty())
            folder += QStringLiteral("/autostart");
        break;
    }
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

bool launcherFolderMayBeCreated(LauncherPlace place)
{
    return place == LauncherPlace::StartMenu || place == LauncherPlace::Programs;
}

QString stateFolderPath()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base) + QStringLiteral("/morvane");
}

QString launcherIconPath()
{
    const QString data = specialFolderPath(SpecialFolder::AppData);
    return data.isEmpty() ? QString()
                          : data + QStringLiteral("/icons/hicolor/64x64/apps/morvane.png");
}

QString programDocumentation(const QString& executable)
{
    const QString bin = QFileInfo(executable).absolutePath();
    // Installed beside the share folder; in a build tree, copied next to the program.
    for (const QString& candidate : {bin + QStringLiteral("/../share/doc/morvane/README.md"),
                                     bin + QStringLiteral("/README.md")})
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    return QString();
}

namespace {
const QString kLauncher = QStringLiteral("xdg-open");

bool hasLauncher()
{
    return openHandler() || !QStandardPaths::findExecutable(kLauncher).isEmpty();
}

QString noLauncherReason()
{
    return QStringLiteral("This desktop has no program that opens files and addresses: %1 is "
                          "not installed.")
        .arg(kLauncher);
}
} // namespace

bool open(const QString& target, QString* reason)
{
    bool started = false;
    if (openHandler()) {
        started = openHandler()(target);
    } else {
        const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
        // openUrl answers false where no launcher exists (no xdg-open, offscreen).
        started = QDesktopServices::openUrl(url);
    }
    // A test's handler stands for the launcher: when it fails there is none.
    if (!started && reason)
        *reason = !openHandler() && hasLauncher()
                      ? QStringLiteral("The desktop could not start a program for it.")
                      : noLauncherReason();
    return started;
}

bool canOpenType(const QString& mimeType, QString* reason)
{
    if (!hasLauncher()) {
        if (reason)
            *reason = noLauncherReason();
        return false;
    }
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(5000)) {
        // A query that hangs tells nothing.
        process.kill();
        process.waitForFinished(1000);
        return true;
    }
    if (!process.readAllStandardOutput().trimmed().isEmpty())
        return true;
    if (reason)
        *reason =
            QStringLiteral("No application is set up to open files of the type %1.").arg(mimeType);
    return false;
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
    // Writable is no use to a title its owner cannot read, or a group it cannot open.
    if (value == Normal)
        perms |= QFile::ReadOwner | QFile::ReadUser |
                 (info.isDir() ? QFile::ExeOwner | QFile::ExeUser : QFile::Permissions());
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
