// The title tree, opening a clicked node, the modified flag and saving.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "ImageLists.h"
#include "LongWork.h"
#include "editor/EditorLines.h"
#include "titles/TitleFiles.h"
#include "titles/TitleTree.h"

#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <utility>

namespace {

const QStringList& groupExplanation()
{
    static const QStringList lines = {
        QStringLiteral("//This is a title group"),
        QStringLiteral("//Please click a title to input"),
        QString(),
        QStringLiteral("//If you want to create a new title in this title group,"),
        QStringLiteral("//Please click File->New Title"),
        QString(),
        QStringLiteral("//If you want to delete this title group,"),
        QStringLiteral("//Please click File->Delete"),
    };
    return lines;
}

QIcon nodeIcon(NodeKind kind)
{
    // Groups draw the same image whether selected or not; titles change when selected.
    if (kind == NodeKind::Group)
        return ImageLists::treeIcon(ImageLists::Tree::Group, ImageLists::Tree::Group);
    return ImageLists::treeIcon(ImageLists::Tree::Title, ImageLists::Tree::SelectedTitle);
}

QTreeWidgetItem* newNode(NodeKind kind, const QString& text, const QString& fileName,
                         const QIcon& icon)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setData(0, TForm1::kKindRole, int(kind));
    item->setFlags(item->flags() | Qt::ItemIsEditable); // renamed in place
    item->setData(0, TForm1::kFileNameRole, fileName);
    item->setIcon(0, icon);
    return item;
}

void addNodes(const std::vector<TreeEntry>& entries, QTreeWidget* tree, QTreeWidgetItem* parent,
              const QIcon& groupIcon, const QIcon& titleIcon)
{
    for (const TreeEntry& e : entries) {
        QTreeWidgetItem* item =
            newNode(e.kind, e.text, e.fileName, e.kind == NodeKind::Group ? groupIcon : titleIcon);
        if (parent)
            parent->addChild(item);
        else
            tree->addTopLevelItem(item);
        addNodes(e.children, tree, item, groupIcon, titleIcon);
    }
}
} // namespace

void TForm1::buildTree()
{
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    addNodes(scanTitleTree(m_state.dataFolder), m_tree, nullptr, nodeIcon(NodeKind::Group),
             nodeIcon(NodeKind::Title));
    m_tree->expandAll();
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
    m_tree->setUpdatesEnabled(true);
}

void TForm1::addTitleBeside(const QString& fileName, const QString& newTitle)
{
    // The tree is not rebuilt: this runs while a click still holds its nodes.
    QTreeWidgetItemIterator it(m_tree);
    for (; *it; ++it) {
        if ((*it)->data(0, kFileNameRole).toString() != fileName)
            continue;
        QStringList ancestors;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ancestors.prepend(p->text(0));
        if (computeNodeState(ancestors, (*it)->text(0), NodeKind::Title).groupPath !=
            m_state.node.groupPath)
            continue;
        QTreeWidgetItem* item =
            newNode(NodeKind::Title, newTitle, newTitle + QStringLiteral(".txt"),
                    nodeIcon(NodeKind::Title));
        QTreeWidgetItem* parent = (*it)->parent();
        if (parent)
            parent->insertChild(parent->indexOfChild(*it) + 1, item);
        else
            m_tree->insertTopLevelItem(m_tree->indexOfTopLevelItem(*it) + 1, item);
        // The new title is the open one: the tree shows it, and Rename renames it.
        m_tree->setCurrentItem(item);
        return;
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (watched == m_tree->viewport() && (press || release)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A press below the nodes would clear the selection; it keeps it, so
        // the click opens the selected node again instead of saying there is none.
        if (press && mouse->button() == Qt::LeftButton &&
            !m_tree->itemAt(mouse->position().toPoint()))
            return true;
        // Any left click in the tree opens the selected node, as a click on a node does.
        if (release && mouse->button() == Qt::LeftButton)
            QMetaObject::invokeMethod(
                this, [this] { TreeView1Click(); }, Qt::QueuedConnection);
        // A right click opens the tree's menu without changing the selection.
        if (mouse->button() == Qt::RightButton) {
            if (press)
                m_popupTitle->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    // Enter opens the selected node as a click does; moving the selection alone does not.
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QMetaObject::invokeMethod(
                this, [this] { TreeView1Click(); }, Qt::QueuedConnection);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::setEditorText(const QStringList& lines)
{
    m_editor->setLines(lines);
}

void TForm1::editorNoLongerBusy()
{
    m_editorBusy = false;
    if (std::exchange(m_clickWhenDone, false))
        QMetaObject::invokeMethod(
            this, [this] { TreeView1Click(); }, Qt::QueuedConnection);
}

void TForm1::setSaveEnabled(bool enabled)
{
    action(QStringLiteral("ToolButtonSave"))->setEnabled(enabled);
    action(QStringLiteral("Post1"))->setEnabled(enabled);
}

void TForm1::applyClickListRule()
{
    const bool any = m_clickListBox->count() > 0;
    for (const char* name :
         {"reloadclicklist1", "BarChart1", "Barchart11", "PieChart1", "TextReport", "MSWordReport1",
          "ReplaceItem1", "Copy1", "Cut1", "ToolButtonBar", "ToolButtonbar2", "ToolButtonPie",
          "ToolButtonText", "ToolButtonWord", "ToolButtonReplace"})
        action(QString::fromLatin1(name))->setEnabled(any);
    // Once enabled, the Edit menu stays enabled.
    if (any)
        m_editMenu->menuAction()->setEnabled(true);
}

void TForm1::RichEditNeedChange()
{
    applyClickListRule();
    m_state.modified = true;
    setSaveEnabled(true);
    scheduleRecoveryCopy();
}

QString TForm1::openTitleFile() const
{
    return nativePath(m_state.dataFolder, m_state.openTitlePath);
}

bool TForm1::Post1Click()
{
    if (!m_state.modified || m_state.node.kind != NodeKind::Title || !m_state.openTitleLoaded)
        return true;
    if (!resolveOutsideChange())
        return false;
    if (!m_state.modified)
        return true; // reloaded from disk
    if (!saveOpenTitle())
        return false;
    m_state.modified = false;
    setSaveEnabled(false);
    applyClickListRule();
    return true;
}

void TForm1::TreeView1Click()
{
    if (m_editorBusy) {
        // A call queued before a long fill of the editor began: it waits.
        m_clickWhenDone = true;
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty()) {
        Dialogs::information(this, QStringLiteral("There is no title , please click File->New "
                                                  "Title to create a title at first! "));
        return;
    }
    if (!Post1Click())
        return;
    action(QStringLiteral("Rename1"))->setEnabled(true);
    action(QStringLiteral("Delete1"))->setEnabled(true);

    QTreeWidgetItem* node = selected.constFirst();
    // Saving may have selected a title it made ("Keep both"): the clicked node opens.
    m_tree->setCurrentItem(node);
    QStringList ancestors;
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ancestors.prepend(p->text(0));
    m_state.node =
        computeNodeState(ancestors, node->text(0), NodeKind(node->data(0, kKindRole).toInt()));
    m_state.node.fileName = node->data(0, kFileNameRole).toString();
    if (m_state.node.kind == NodeKind::Title)
        openTitle();
    else
        showGroup();
}

void TForm1::openTitle()
{
    m_state.shown = AppState::Shown::Title;
    m_state.openTitlePath = titleRelativePath(m_state.node);
    setWindowTitle(QStringLiteral("Morvane---") + m_state.node.titleName);

    dropRecoveryCopy();
    m_state.openTitleLoaded = false;
    // Filling the editor is no edit of the title (and the window paints
    // meanwhile): the commands follow the title once it is all there.
    QSignalBlocker quiet(m_editor);
    m_editor->clear();
    const TitleFiles::Loaded loaded = TitleFiles::load(openTitleFile());
    const qsizetype longest = loaded.ok ? EditorLines::longestLine(loaded.text.lines) : 0;
    if (!loaded.ok || longest > EditorLines::kLongestLine) {
        // The emptied editor is not the title: nothing may be saved over it.
        m_state.modified = false;
        setSaveEnabled(false);
        m_editor->setReadOnly(true);
        if (!loaded.ok)
            Dialogs::error(this, loaded.error);
        else
            Dialogs::information(
                this, EditorLines::lineTooLongMessage(
                          QStringLiteral("The title \"%1\" holds").arg(m_state.node.titleName),
                          longest, QStringLiteral("it was not opened; its file is left as it is")));
        return;
    }
    m_state.openTitleEncoding = loaded.text.encoding;
    m_state.openTitleStamp = loaded.stamp;
    QStringList lines = loaded.text.lines;
    // The click list first, while the editor is empty: the panel it widens
    // narrows the editor, which would otherwise lay out the whole text again.
    // Today's date line, added below, brings no item.
    reloadClickList(lines);
    // The window paints while a large title fills the editor; the title is
    // not loaded until it is all there, so nothing saves or copies a part.
    // A shutdown meanwhile leaves it unopened.
    m_editorBusy = true;
    const auto notBusy = qScopeGuard([this] { editorNoLongerBusy(); });
    LongWork work(this, QStringLiteral("Opening %1\u2026").arg(m_state.node.titleName));
    const bool opened = m_editor->setLines(lines, [&](qint64 done, qint64 total) {
        return work.step(done * 9, total * 10) && !m_shutDown;
    });
    quiet.unblock();
    if (!opened) {
        showClickList(ClickList(m_clickList.locale()));
        m_state.modified = false;
        setSaveEnabled(false);
        m_editor->setReadOnly(true);
        return;
    }
    m_state.openTitleLoaded = true;
    m_state.modified = false; // the title as on disk: nothing to save meanwhile
    work.stage(90, 100);
    ButtonAddDayClick(lines);
    action(QStringLiteral("ToolButtonStartOpen"))->setEnabled(true);
    action(QStringLiteral("Startopen1"))->setEnabled(true);

    applyClickListRule();
    m_state.modified = false;
    setSaveEnabled(false);
    work.stage(100, 100);
    m_hotkeyBox->setFixedWidth(hotkeyColumnWidth(30));

    markDefaultButton();
    for (const char* name : {"AppendText1", "Export1", "Startopen1"})
        action(QString::fromLatin1(name))->setEnabled(true);
    m_editor->setReadOnly(false);
    m_editor->moveCursor(QTextCursor::End);
    m_editor->setFocus();
}

void TForm1::showGroup()
{
    m_state.shown = AppState::Shown::Group;
    dropRecoveryCopy();
    action(QStringLiteral("ToolButtonStartOpen"))->setEnabled(false);
    action(QStringLiteral("Startopen1"))->setEnabled(false);
    setWindowTitle(QStringLiteral("Morvane"));
    m_clickList.clear();
    m_clickListBox->clear();
    AssignHotkeys(); // no letters beside an empty list, and no hotkeys
    setEditorText(groupExplanation());
    m_editor->setReadOnly(true);

    applyClickListRule();
    m_state.modified = false;
    setSaveEnabled(false);
    m_hotkeyBox->setFixedWidth(hotkeyColumnWidth(30));
    for (const char* name : {"AppendText1", "Export1", "Startopen1"})
        action(QString::fromLatin1(name))->setEnabled(false);
}

void TForm1::markDefaultButton()
{
    if (openTitleIsDefault())
        setDefaultLook(ImageLists::Toolbar::DefaultMarked,
                       QStringLiteral("Close:Open when this software starts"));
    else
        setDefaultLook(ImageLists::Toolbar::DefaultUnmarked,
                       QStringLiteral("Open when this software starts"));
}

void TForm1::itle1Click()
{
    QAction* item = action(QStringLiteral("itle1"));
    QList<int> sizes = m_splitter->sizes();
    // The check mark was toggled by the click itself; the old state decides.
    const bool wasShown = !item->isChecked();
    const int width = wasShown ? 0 : 300;
    const int delta = width - sizes[0];
    sizes[0] = width;
    sizes[1] = qMax(0, sizes[1] - delta);
    m_splitter->setSizes(sizes);
    item->setChecked(!wasShown);
}
