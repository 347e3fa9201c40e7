#include "TitleTree.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

void scanInto(const QString& folder, std::vector<TreeEntry>& out, const QCollator& collator)
{
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : entries) {
        const QString name = info.fileName();
        // Dot names are hidden here. A "\" cannot be part of a group path.
        if (name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('\\')))
            continue;
        if (info.isDir()) {
            TreeEntry group{name, NodeKind::Group, {}};
            // A linked folder may lead back up the tree; show it, do not descend.
            if (!info.isSymLink())
                scanInto(info.absoluteFilePath(), group.children, collator);
            out.push_back(std::move(group));
        } else if (name.endsWith(QLatin1String(".TXT"), Qt::CaseInsensitive)) {
            out.push_back({name.left(name.size() - 4), NodeKind::Title, {}, name});
        }
    }
    std::stable_sort(out.begin(), out.end(), [&](const TreeEntry& a, const TreeEntry& b) {
        return collator.compare(a.text, b.text) < 0;
    });
}

} // namespace

namespace {
QCollator siblingCollator()
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}
} // namespace

bool nodeTextLess(const QString& a, const QString& b)
{
    return siblingCollator().compare(a, b) < 0;
}

std::vector<TreeEntry> scanTitleTree(const QString& folder)
{
    const QCollator collator = siblingCollator();
    std::vector<TreeEntry> roots;
    if (QFileInfo(folder).isDir())
        scanInto(folder, roots, collator);
    return roots;
}
