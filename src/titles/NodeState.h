#pragma once

#include <QString>
#include <QStringList>

// Group paths are texts of folder names joined by "\", relative to the data
// folder, as the program shows them and stores them in defaultfile.cnt.
// nativePath() is the one place that turns such a path into a file path.

enum class NodeKind
{
    Group = 0,
    Title = 1
};

// What the node clicked last in the tree stands for; every title command reads it.
struct NodeState
{
    NodeKind kind = NodeKind::Group;
    QString groupPath;
    QString displayFolder;
    QString titleName;
    QString parentPath;
    // For a title: its file name as it is on disk, extension case included;
    // empty when only the title name is known (".txt" is then assumed).
    QString fileName;
};

// The state of a node given the texts of its ancestors (top-level first).
NodeState computeNodeState(const QStringList& ancestorTexts, const QString& text, NodeKind kind);

// The data folder of a documents folder: documents + "/Morvane/", with its separator.
QString dataFolderIn(const QString& documentsFolder);

// A title's path relative to the data folder: group path + "\" + name + ".txt".
QString titleRelativePath(const QString& groupPath, const QString& titleName);
// The same for a title node, by its real file name when it has one.
QString titleRelativePath(const NodeState& title);

// The file path of a data-folder-relative path written with "\" separators;
// doubled separators (a top-level title's "\name.txt") name the same file.
QString nativePath(const QString& dataFolder, const QString& relative);
