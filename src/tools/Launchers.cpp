#include "Launchers.h"

#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Launchers {

namespace {
// Escapes of a string value: backslash first, then the control characters a
// one-line value cannot hold.
QString stringValue(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// Keeps the program's icon file where launchers point, rewritten only when it differs.
QString ensureIcon()
{
    const QString path = Shell::launcherIconPath();
    QFile resource(QStringLiteral(":/tools/morvane.png"));
    if (path.isEmpty() || !resource.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray icon = resource.readAll();
    QFile existing;
    if (RegularFile::openForReading(existing, path, nullptr, icon.size()) &&
        existing.readAll() == icon)
        return path;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SafeFile::write(SafeFile::Purpose::Launcher, path, icon) ? path : QString();
}
} // namespace

LauncherFields programLauncher(const QString& executable, Shell::LauncherPlace place)
{
    LauncherFields fields;
    fields.targetPath = QFileInfo(executable).absoluteFilePath();
    fields.workingFolder = QFileInfo(executable).absolutePath();
    fields.iconLocation = ensureIcon();
    fields.arguments = QStringLiteral("/paramstr");
    fields.description = QStringLiteral("Tally free-text entries and chart the totals");
    // Two menu launchers show up in two different menu sections.
    fields.categories = place == Shell::LauncherPlace::Programs ? QStringLiteral("Utility;")
                                                                : QStringLiteral("Office;");
    return fields;
}

QString execArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return stringValue(QString(argument).replace(QLatin1Char('%'), QStringLiteral("%%")));
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return stringValue(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

QByteArray desktopEntry(const LauncherFields& fields)
{
    QString exec = execArgument(fields.targetPath);
    if (!fields.arguments.isEmpty())
        exec += QLatin1Char(' ') + execArgument(fields.arguments);
    QStringList lines = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Version=1.4"),
        QStringLiteral("Name=Morvane"),
        QStringLiteral("Comment=") + stringValue(fields.description),
        QStringLiteral("Exec=") + exec,
        QStringLiteral("Path=") + stringValue(fields.workingFolder),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=") + fields.categories,
    };
    if (!fields.iconLocation.isEmpty())
        lines.insert(7, QStringLiteral("Icon=") + stringValue(fields.iconLocation));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

namespace {
// Why no launcher could be placed in folder.
QString noFolderMessage(const QString& folder, bool mayCreate)
{
    return (mayCreate ? QStringLiteral("The launcher was not written: its folder %1 could not be "
                                       "made.")
                      : QStringLiteral("The launcher was not written: its folder %1 does not "
                                       "exist."))
        .arg(QDir::toNativeSeparators(folder));
}
} // namespace

bool CreateShellLink(const LauncherFields& fields, const QString& fileName, bool mayCreateFolder,
                     QString* error)
{
    if (fileName.isEmpty())
        return false;
    const QString folder = QFileInfo(fileName).absolutePath();
    if (!QFileInfo(folder).isDir() && !(mayCreateFolder && QDir().mkpath(folder))) {
        if (error)
            *error = noFolderMessage(folder, mayCreateFolder);
        return false;
    }
    if (!SafeFile::write(SafeFile::Purpose::Launcher, fileName, desktopEntry(fields), error))
        return false;
    QFile::setPermissions(fileName, QFile::permissions(fileName) | QFile::ExeOwner |
                                        QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
    return true;
}

bool exists(Shell::LauncherPlace place)
{
    const QString path = Shell::launcherPath(place);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool write(Shell::LauncherPlace place, const QString& executable, QString* error)
{
    const QString file = Shell::launcherPath(place);
    const bool mayCreate = Shell::launcherFolderMayBeCreated(place);
    if (file.isEmpty()) {
        if (error)
            *error = QStringLiteral("The launcher was not written: this desktop has no folder for "
                                    "it.");
        return false;
    }
    // No icon is placed for a launcher that has nowhere to go.
    const QString folder = QFileInfo(file).absolutePath();
    if (!mayCreate && !QFileInfo(folder).isDir()) {
        if (error)
            *error = noFolderMessage(folder, false);
        return false;
    }
    // An old launcher left in place is no success: it may name another program.
    return CreateShellLink(programLauncher(executable, place), file, mayCreate, error);
}

void remove(Shell::LauncherPlace place)
{
    if (exists(place))
        QFile::remove(Shell::launcherPath(place));
}

} // namespace Launchers
