#pragma once

#include <QString>
#include <functional>

// The desktop services the program relies on, mapped onto the free desktop:
// XDG folders for the shell's special folders, the default-application
// launcher for "open", a permanent recursive delete, and file attributes
// expressed as write permission. Nothing outside this folder calls the
// operating system for these.
namespace Shell {

// The shell folder identifiers the program asks for.
enum class SpecialFolder
{
    Personal = 5,   // the user's documents folder
    Desktop = 16,   // the desktop folder
    StartMenu = 11, // where menu launchers live
    Programs = 2,   // also the launcher folder on this desktop
    AppData = 26,   // per-user application data
};

// The folder's full path without a trailing separator; empty when the desktop
// has no path for it.
QString specialFolderPath(SpecialFolder folder);

// The four places a launcher of the program can live, as the shortcut page
// offers them.
enum class LauncherPlace
{
    Desktop,
    StartMenu,
    Programs,
    QuickStart
};

// The launcher file of that place: the desktop folder, two launchers in the
// user's applications folder (menu and programs), the autostart folder.
// Empty when the desktop has no folder for it.
QString launcherPath(LauncherPlace place);

// Whether the folder of that place may be created when missing: only the
// user's own applications folder, as the XDG base directory rules allow.
bool launcherFolderMayBeCreated(LauncherPlace place);

// The program's own folder for state worth keeping between runs (recovery
// copies): $XDG_STATE_HOME/morvane, or ~/.local/state/morvane when that is
// unset or not absolute. Not created here.
QString stateFolderPath();

// Where the program's icon file for launchers is kept (user's icon theme).
QString launcherIconPath();

// The program's own documentation shipped with it (README), or empty.
QString programDocumentation(const QString& executable);

// Asks the desktop to open a file, folder or address with its default program.
// Returns false when nothing could be started, with the reason in *reason.
bool open(const QString& target, QString* reason = nullptr);

// Whether the desktop can open files of the MIME type: it has a launcher
// and, as far as xdg-mime tells, an application set up for the type. Where
// nothing tells, the launcher is trusted. False with the reason in *reason.
bool canOpenType(const QString& mimeType, QString* reason = nullptr);

// Replaces what open() does, so tests can see what would have been opened;
// it then stands for the desktop's launcher. An empty function restores the
// desktop launcher.
void setOpenHandlerForTesting(std::function<bool(const QString&)> handler);

// Deletes a folder and everything in it, permanently. True on success.
bool deleteFolderTree(const QString& folder);

// File attribute values of the sweep: Normal gives the owner read and write
// access back (and the write bits of a new file, where none was left),
// ReadOnly takes write access away from everyone.
enum Attributes
{
    Normal = 0,
    ReadOnly = 1
};

// Sets the attribute value on one file. Folders are left writable, because a
// read-only folder here (unlike on Windows) would forbid adding titles to it.
// Failures are ignored.
void setAttributes(const QString& path, int value);

// Sets the value on every file below folder, at any depth, and on folder
// itself. A missing folder is a no-op.
void sweepAttributes(const QString& folder, int value);

} // namespace Shell
