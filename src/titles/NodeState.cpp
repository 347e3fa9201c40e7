#include "NodeState.h"

NodeState computeNodeState(const QStringList& ancestorTexts, const QString& text, NodeKind kind)
{
    QString ancestors;
    for (const QString& a : ancestorTexts)
        ancestors += a + QLatin1Char('\\');

    NodeState s;
    s.kind = kind;
    const bool topLevel = ancestorTexts.isEmpty();
    if (kind == NodeKind::Title) {
        s.titleName = text;
        if (topLevel) {
            s.displayFolder = QStringLiteral("root");
        } else {
            s.groupPath = ancestors.left(ancestors.size() - 1);
            s.displayFolder = QLatin1Char('"') + s.groupPath + QLatin1Char('"');
        }
    } else {
        s.parentPath = ancestors;
        s.groupPath = ancestors + text;
        s.displayFolder = QLatin1Char('"') + s.groupPath + QLatin1Char('"');
    }
    return s;
}

QString dataFolderIn(const QString& documentsFolder)
{
    QString folder = documentsFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("Morvane/");
}

QString titleRelativePath(const QString& groupPath, const QString& titleName)
{
    return groupPath + QLatin1Char('\\') + titleName + QStringLiteral(".txt");
}

QString titleRelativePath(const NodeState& title)
{
    if (title.fileName.isEmpty())
        return titleRelativePath(title.groupPath, title.titleName);
    return title.groupPath + QLatin1Char('\\') + title.fileName;
}

QString nativePath(const QString& dataFolder, const QString& relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    while (rel.contains(QStringLiteral("//")))
        rel.replace(QStringLiteral("//"), QStringLiteral("/"));
    QString base = dataFolder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + rel;
}
