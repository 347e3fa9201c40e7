#pragma once

#include <QString>

// Creating, renaming and deleting titles and groups on disk, and the default
// title kept in defaultfile.cnt. Paths given here are file paths; group paths
// are the "\"-joined texts of NodeState.
namespace TitleLibrary {

// The message every empty or unusable new name gets.
QString refusalMessage();

// Removes the nine characters ? / \ " < > : * | and every control character
// (a pasted line break included), then blanks at both ends. A name of dots
// only would leave its folder or name nothing, so it cleans to empty.
QString cleanName(const QString& text);

// Where a new title or group goes: the choice of the new pages.
enum Placement
{
    Root = 0,
    CurrentGroup = 1,
    Elsewhere = 2
};

// The text of a placement item; groupPage picks the new-group page's wording.
QString placementText(int placement, bool groupPage, const QString& displayFolder);

// Whether folder holds an entry called name, letter case ignored.
bool existsIgnoringCase(const QString& folder, const QString& name);

struct Created
{
    enum Outcome
    {
        Done,    // created
        Nothing, // no placement: nothing to create
        Exists,  // the message is the one to show
        Failed   // the message is the system's, or the folder message
    } outcome = Nothing;
    QString message;
};

// Creates an empty title (0 bytes) named name + ".txt" by placement.
Created createTitle(const QString& dataFolder, int placement, const QString& groupPath,
                    const QString& name);
// Creates a group folder by placement.
Created createGroup(const QString& dataFolder, int placement, const QString& groupPath,
                    const QString& name);

// The file of the title name in folder: name + ".txt", or the existing file
// whose extension differs only in letter case (Notes.TXT).
QString titleFile(const QString& folder, const QString& name);

// Renames a file or folder within its folder; a title keeps its extension's
// letter case. Refused when another entry already has the name in any letter
// case; a change of letter case alone is allowed. On success *renamed (when
// given) is the new path; on failure *message (when given) says why: the
// name is taken, or the system's error (empty where it gives none).
bool renameTitleFile(const QString& filePath, const QString& newName, QString* renamed = nullptr,
                     QString* message = nullptr);
bool renameGroupFolder(const QString& folderPath, const QString& newName,
                       QString* message = nullptr);

// A "\"-path after the group oldGroupPath was renamed to newGroupPath: the
// group itself and anything inside it follow, other paths (also a sibling
// whose name merely starts the same) do not. Null when path is not affected.
QString movedPath(const QString& path, const QString& oldGroupPath, const QString& newGroupPath);

struct DefaultTitle
{
    QString name;
    QString groupPath;
};

// defaultfile.cnt in the data folder.
QString defaultFilePath(const QString& dataFolder);
// The most a small state file of the data folder may hold to be read.
constexpr qint64 kStateFileLimit = 64 * 1024;

// Missing lines (or file) read as empty values; so does anything that is not
// a regular file of at most kStateFileLimit bytes.
DefaultTitle readDefault(const QString& dataFolder);
// The two lines, CR LF after each. False with the system's message on failure.
bool writeDefault(const QString& dataFolder, const DefaultTitle& title, QString* error);
// Deletes the file if it exists.
void removeDefault(const QString& dataFolder);

} // namespace TitleLibrary
