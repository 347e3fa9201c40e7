#pragma once

#include "NodeState.h"

#include <QString>
#include <vector>

// One node of the title tree: a title group (folder) or a title (.txt file).
struct TreeEntry
{
    QString text;
    NodeKind kind = NodeKind::Group;
    std::vector<TreeEntry> children;
    QString fileName; // a title's file name as it is on disk ("Upper.TXT")
};

// Mirrors a folder into title-tree nodes: sub-folders become groups, files
// ending in ".txt" (any case) become titles without their extension, names
// beginning with "." are skipped, and siblings are in the locale's
// case-insensitive alphabetical order. A missing folder gives no nodes.
std::vector<TreeEntry> scanTitleTree(const QString& folder);

// The order of sibling nodes: the locale's case-insensitive alphabetical order.
bool nodeTextLess(const QString& a, const QString& b);
