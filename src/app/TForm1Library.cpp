// Creating, renaming and deleting titles and groups; the default title.
#include "TForm1.h"

#include "Dialogs.h"
#include "ImageLists.h"
#include "TFormOpt.h"
#include "TFormpic.h"
#include "platform/Shell.h"
#include "titles/TitleFiles.h"
#include "titles/TitleLibrary.h"
#include "titles/TitleTree.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

namespace {
// Hands the text of an in-place edit to the window instead of the model: the
// node shows the new text only once the file or folder has been renamed. Also
// marks the row under the mouse as a classic tree's hot tracking does:
// underlined, in the link colour.
class TreeEditDelegate : public QStyledItemDelegate
{
public:
    TreeEditDelegate(std::function<void(const QModelIndex&, const QString&)> edited,
                     QObject* parent)
        : QStyledItemDelegate(parent), m_edited(std::move(edited))
    {
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_edited(index, line->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_MouseOver))
            return;
        option->font.setUnderline(true);
        option->palette.setColor(QPalette::Text, QColor(0, 0, 255));
    }

private:
    std::function<void(const QModelIndex&, const QString&)> m_edited;
};

QString displayFolderOf(const NodeState& s)
{
    if (s.kind == NodeKind::Title && s.groupPath.isEmpty())
        return QStringLiteral("root");
    return QLatin1Char('"') + s.groupPath + QLatin1Char('"');
}

void expandAll(QTreeWidgetItem* item)
{
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i)
        expandAll(item->child(i));
}
} // namespace

void TForm1::setUpTreeEditing()
{
    m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_tree->setItemDelegate(new TreeEditDelegate(
        [this](const QModelIndex& index, const QString& text) {
            // Renaming may show a message or move the node: not while the
            // view is still closing its editor.
            const QPersistentModelIndex node(index);
            QMetaObject::invokeMethod(
                this,
                [this, node, text] {
                    if (node.isValid())
                        TreeView1Edited(m_tree->itemFromIndex(node), text);
                },
                Qt::QueuedConnection);
        },
        m_tree));
}

QTreeWidgetItem* TForm1::selectedNode() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

NodeState TForm1::nodeStateOf(const QTreeWidgetItem* node) const
{
    QStringList ancestors;
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ancestors.prepend(p->text(0));
    return computeNodeState(ancestors, node->text(0), NodeKind(node->data(0, kKindRole).toInt()));
}

QString TForm1::nodeFilePath(const NodeState& title) const
{
    return TitleLibrary::titleFile(nativePath(m_state.dataFolder, title.groupPath),
                                   title.titleName);
}

void TForm1::rebuildTree()
{
    buildTree();
}

// --- New title, new group ---

void TForm1::New1Click()
{
    m_formpic->showNewPage(false);
}

void TForm1::NewTitleGroup1Click()
{
    m_formpic->showNewPage(true);
}

// --- Rename ---

void TForm1::Rename1Click()
{
    if (QTreeWidgetItem* node = selectedNode())
        m_tree->editItem(node);
}

void TForm1::TreeView1Edited(QTreeWidgetItem* node, const QString& text)
{
    if (!node || !selectedNode()) {
        Dialogs::information(this, QStringLiteral("Please click a title or title group at first."));
        return;
    }
    const QString name = TitleLibrary::cleanName(text);
    if (name.isEmpty()) {
        Dialogs::information(this, TitleLibrary::refusalMessage());
        return;
    }
    // The edited node, not the one clicked last: the selection may have moved
    // with the keyboard since.
    const NodeState target = nodeStateOf(node);
    // A rename that failed keeps the node's old text: the tree shows what is on disk.
    QString why;
    QString fileName;
    const bool renamed = target.kind == NodeKind::Title
                             ? renameTitleNode(target, name, &fileName, &why)
                             : renameGroupNode(target, name, &why);
    if (!renamed) {
        if (!why.isEmpty())
            Dialogs::information(this, why);
        return;
    }
    node->setText(0, name);
    // A click on the node opens the file by this name.
    if (target.kind == NodeKind::Title)
        node->setData(0, kFileNameRole, fileName);
    resortNode(node);
}

bool TForm1::renameTitleNode(const NodeState& title, const QString& name, QString* fileName,
                             QString* why)
{
    const QString oldFile = nodeFilePath(title);
    QString renamed;
    if (!TitleLibrary::renameTitleFile(oldFile, name, &renamed, why))
        return false;
    *fileName = QFileInfo(renamed).fileName();
    if (m_state.shown == AppState::Shown::Title &&
        QDir::cleanPath(openTitleFile()) == QDir::cleanPath(oldFile)) {
        m_state.openTitlePath = title.groupPath + QLatin1Char('\\') + QFileInfo(renamed).fileName();
        setWindowTitle(QStringLiteral("Morvane---") + name);
    }
    NodeState& current = m_state.node;
    if (current.kind == NodeKind::Title && current.groupPath == title.groupPath &&
        current.titleName == title.titleName) {
        current.titleName = name;
        current.fileName = *fileName;
    }
    if (m_state.defaultName == title.titleName && m_state.defaultGroupPath == title.groupPath) {
        m_state.defaultName = name;
        writeDefaultFile();
    }
    return true;
}

bool TForm1::renameGroupNode(const NodeState& group, const QString& name, QString* why)
{
    if (!TitleLibrary::renameGroupFolder(nativePath(m_state.dataFolder, group.groupPath), name,
                                         why))
        return false;
    const QString newPath = group.parentPath + name;
    auto follow = [&](QString& path) {
        const QString moved = TitleLibrary::movedPath(path, group.groupPath, newPath);
        if (!moved.isNull())
            path = moved;
        return !moved.isNull();
    };
    if (follow(m_state.defaultGroupPath))
        writeDefaultFile();
    // The open title and the clicked node follow their folder, so a save
    // writes into the renamed folder and new titles go there.
    follow(m_state.openTitlePath);
    NodeState& current = m_state.node;
    if (follow(current.groupPath))
        current.displayFolder = displayFolderOf(current);
    follow(current.parentPath);
    return true;
}

void TForm1::resortNode(QTreeWidgetItem* node)
{
    QTreeWidgetItem* parent = node->parent();
    if (parent)
        parent->removeChild(node);
    else
        m_tree->takeTopLevelItem(m_tree->indexOfTopLevelItem(node));
    const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
    int at = 0;
    while (at < count &&
           !nodeTextLess(node->text(0),
                         (parent ? parent->child(at) : m_tree->topLevelItem(at))->text(0)))
        ++at;
    if (parent)
        parent->insertChild(at, node);
    else
        m_tree->insertTopLevelItem(at, node);
    expandAll(node);
    m_tree->setCurrentItem(node);
}

// --- Delete ---

void TForm1::Delete1Click()
{
    QTreeWidgetItem* node = selectedNode();
    if (!node) {
        if (Dialogs::question(this, QStringLiteral("Really must you delete All title? "),
                              Dialogs::Answer::No) != Dialogs::Answer::Yes ||
            !Post1Click())
            return;
        m_formOpt->BitBtn3Click();
        dropShownNodeIfGone();
        buildTree();
        return;
    }
    if (Dialogs::question(
            this, QStringLiteral("Really must you delete ") + node->text(0) + QStringLiteral("? "),
            Dialogs::Answer::No) != Dialogs::Answer::Yes ||
        !Post1Click())
        return;
    const NodeState target = nodeStateOf(node);
    if (target.kind == NodeKind::Title) {
        QFile::remove(nodeFilePath(target));
    } else {
        const QString folder = QDir::cleanPath(nativePath(m_state.dataFolder, target.groupPath));
        Dialogs::information(this, folder);
        if (!Shell::deleteFolderTree(folder) && QFileInfo::exists(folder) &&
            Dialogs::question(this,
                              QStringLiteral("Are you sure you want to permanently delete "
                                             "the folder \"") +
                                  folder + QStringLiteral("\" and all its contents?"),
                              Dialogs::Answer::No) == Dialogs::Answer::Yes)
            Shell::deleteFolderTree(folder);
    }
    dropShownNodeIfGone();
    buildTree();
}

void TForm1::dropShownNodeIfGone()
{
    bool gone = false;
    if (m_state.shown == AppState::Shown::Title)
        gone = !QFileInfo::exists(openTitleFile());
    else if (m_state.shown == AppState::Shown::Group)
        gone = !QFileInfo(nativePath(m_state.dataFolder, m_state.node.groupPath)).isDir();
    if (!gone)
        return;
    // A later save must not write the deleted title back.
    m_state.node = NodeState();
    m_state.openTitlePath.clear();
    m_state.openTitleLoaded = false;
    m_state.shown = AppState::Shown::None;
    m_clickList.clear();
    m_clickListBox->clear();
    applyClickListRule();
    enterNoTitleState();
    action(QStringLiteral("Rename1"))->setEnabled(true);
    action(QStringLiteral("Delete1"))->setEnabled(true);
}

// --- Default title ---

bool TForm1::openTitleIsDefault() const
{
    return m_state.node.kind == NodeKind::Title && !m_state.defaultName.isEmpty() &&
           m_state.defaultName == m_state.node.titleName &&
           m_state.defaultGroupPath == m_state.node.groupPath;
}

void TForm1::setDefaultLook(int image, const QString& hint, const QString& caption)
{
    QAction* button = action(QStringLiteral("ToolButtonStartOpen"));
    QAction* item = action(QStringLiteral("Startopen1"));
    button->setIcon(ImageLists::toolbarIcon(image));
    button->setToolTip(hint);
    for (QAction* a : {button, item}) {
        a->setData(image);
        if (!caption.isNull())
            a->setText(caption);
    }
}

void TForm1::writeDefaultFile()
{
    QString error;
    if (!TitleLibrary::writeDefault(m_state.dataFolder,
                                    {m_state.defaultName, m_state.defaultGroupPath}, &error))
        Dialogs::error(this, error);
}

void TForm1::makeOpenTitleDefault()
{
    // The start page may still be open after a group was clicked.
    if (m_state.shown != AppState::Shown::Title || m_state.node.kind != NodeKind::Title)
        return;
    m_state.defaultName = m_state.node.titleName;
    m_state.defaultGroupPath = m_state.node.groupPath;
    writeDefaultFile();
}

void TForm1::clearDefault()
{
    TitleLibrary::removeDefault(m_state.dataFolder);
    m_state.defaultName.clear();
    m_state.defaultGroupPath.clear();
}

void TForm1::ToolButtonStartOpenClick()
{
    if (m_state.shown != AppState::Shown::Title)
        return;
    if (openTitleIsDefault())
        clearDefault();
    else
        makeOpenTitleDefault();
    markDefaultButton();
}

void TForm1::Startopen1Click()
{
    int preselect = -1; // another title is the default
    if (openTitleIsDefault())
        preselect = 0;
    else if (m_state.defaultName.isEmpty() && m_state.defaultGroupPath.isEmpty())
        preselect = 1;
    m_formpic->showStartPage(preselect,
                             m_state.node.groupPath + QLatin1Char('\\') + m_state.node.titleName);
}

void TForm1::openDefaultTitle()
{
    if (!QFileInfo::exists(TitleLibrary::defaultFilePath(m_state.dataFolder)))
        return;
    const TitleLibrary::DefaultTitle d = TitleLibrary::readDefault(m_state.dataFolder);
    m_state.defaultName = d.name;
    m_state.defaultGroupPath = d.groupPath;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->text(0) != d.name)
            continue;
        m_state.node = nodeStateOf(*it);
        if (m_state.node.kind != NodeKind::Title || m_state.node.groupPath != d.groupPath)
            continue;
        // A title that cannot be read is no longer the default; nothing is said.
        if (!TitleFiles::load(nodeFilePath(m_state.node)).ok) {
            TitleLibrary::removeDefault(m_state.dataFolder);
            return;
        }
        m_tree->setCurrentItem(*it);
        TreeView1Click();
        return;
    }
}

// --- Documents and uninstall ---

void TForm1::Uninstall1Click()
{
    showUninstallPage(QStringLiteral("Uninstall Morvane"));
}

void TForm1::showUninstallPage(const QString& caption)
{
    m_formOpt->showPage(QStringLiteral("Uninstall"), caption);
    m_formOpt->TabSheet7Show();
}
