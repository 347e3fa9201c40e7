#pragma once

#include "platform/Shell.h"

#include <QByteArray>
#include <QString>

// Launchers of the program (freedesktop .desktop files) in the places the
// shortcut page offers.
namespace Launchers {

// What a launcher says about the program it starts.
struct LauncherFields
{
    QString targetPath;    // the executable, absolute
    QString workingFolder; // the executable's folder
    QString iconLocation;  // an icon file, absolute; empty for none
    QString arguments;     // one argument, passed as it is
    QString description;
    QString categories; // menu categories, each ended by ';'
};

// The launcher of the running program for a place.
LauncherFields programLauncher(const QString& executable, Shell::LauncherPlace place);

// One argument of an Exec line: quoted when it holds a reserved character,
// with '"', '`', '$' and '\' escaped inside the quotes and '%' doubled, then
// escaped as a string value.
QString execArgument(const QString& argument);

// The whole text of the launcher file.
QByteArray desktopEntry(const LauncherFields& fields);

// Writes the launcher under fileName, replacing one that is there, and makes
// it executable (desktops refuse to start a launcher that is not). Its folder
// is created only when mayCreateFolder. True when the file was written; a
// missing folder or a failed write puts the reason in *error.
bool CreateShellLink(const LauncherFields& fields, const QString& fileName, bool mayCreateFolder,
                     QString* error = nullptr);

// Whether the place's launcher file exists.
bool exists(Shell::LauncherPlace place);

// Writes the place's launcher for the given executable (and the icon it
// names); true when it was written. A place whose folder is missing fails
// with that folder named in *error; a failed write puts the system's message there.
bool write(Shell::LauncherPlace place, const QString& executable, QString* error = nullptr);

// Deletes the place's launcher if there is one; failures are silent.
void remove(Shell::LauncherPlace place);

} // namespace Launchers
