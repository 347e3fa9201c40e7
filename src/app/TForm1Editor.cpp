// The entry editor's date lines and keys, the click list and the hotkeys.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "editor/DateLines.h"
#include "editor/EditorLines.h"

#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>

namespace {
// Makes the list show the texts, touching only rows that differ: after one
// new item most hotkey rows read the same, so Enter stays cheap.
void setListTexts(QListWidget* box, const QStringList& texts)
{
    const int wanted = int(texts.size());
    while (box->count() > wanted)
        delete box->takeItem(box->count() - 1);
    const int kept = box->count();
    for (int i = 0; i < kept; ++i)
        if (box->item(i)->text() != texts.at(i))
            box->item(i)->setText(texts.at(i));
    if (kept < wanted)
        box->addItems(texts.mid(kept));
}
} // namespace

void TForm1::ButtonAddDayClick(QStringList& lines)
{
    const QString today = DateLines::todayText(m_state.dates, m_state.clock);
    const DateLines::TodayLine added = DateLines::appendTodayLine(lines, today);
    if (!added.changed())
        return;
    QTextCursor cursor(m_editor->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added.appendedText);
}

void TForm1::Button18Click()
{
    const QTextBlock block = m_editor->textCursor().block();
    if (!DateLines::isProtectedDateLine(block.text(), m_state.dates))
        return;
    Dialogs::information(this, DateLines::protectionMessage());
    // One empty line below the date line; the caret stays where it is.
    QTextCursor below(block);
    below.movePosition(QTextCursor::EndOfBlock);
    below.insertBlock();
}

void TForm1::reloadclicklist1Click()
{
    reloadClickList(m_editor->lines());
}

void TForm1::setClickPanelWidth(int width)
{
    QList<int> sizes = m_splitter->sizes();
    if (sizes.size() != 3)
        return;
    sizes[1] = qMax(0, sizes[1] + sizes[2] - width);
    sizes[2] = width;
    m_splitter->setSizes(sizes);
}

void TForm1::reloadClickList(const QStringList& lines)
{
    m_clickList.rebuild(lines);
    setListTexts(m_clickListBox, m_clickList.entries());
    setClickPanelWidth(m_clickList.isEmpty() ? 1 : 140);
    AssignHotkeys();
}

void TForm1::AssignHotkeys()
{
    m_hotkeyColumn = ::AssignHotkeys(m_clickList.entries(), m_clickList.locale());
    setListTexts(m_hotkeyBox, m_hotkeyColumn.texts());

    const QList<QAction*> old = m_hotkeyMenu->actions();
    for (auto it = old.crbegin(); it != old.crend(); ++it)
        delete *it;
    QList<int> reserved;
    for (const HotkeyColumn::Assigned& a : m_hotkeyColumn.assigned()) {
        const QString item = m_clickList.at(a.row);
        // The caption shows the item as it is: "&" would otherwise mark an accelerator.
        QString caption = item;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        caption.replace(QLatin1Char('\t'), QLatin1Char(' '));
        auto* menuItem = new QAction(caption, m_hotkeyMenu);
        menuItem->setData(item);
        const int key = a.key.unicode(); // 'A'-'Z' and '0'-'9' are Qt's key codes too
        menuItem->setShortcut(QKeySequence(int(Qt::CTRL) | key));
        menuItem->setShortcutContext(Qt::WindowShortcut);
        connect(menuItem, &QAction::triggered, this,
                [this, menuItem] { HotkeyMenuItemClick(menuItem->data().toString()); });
        m_hotkeyMenu->addAction(menuItem);
        reserved << key;
    }
    m_editor->setReservedCtrlKeys(reserved);
}

void TForm1::ListBoxListNowClick()
{
    if (QListWidgetItem* item = m_clickListBox->currentItem())
        PutItemAtCursor(item->text());
}

void TForm1::HotkeyMenuItemClick(const QString& item)
{
    PutItemAtCursor(item);
}

void TForm1::PutItemAtCursor(const QString& item)
{
    // Without an open title (tips, a group's explanation) there is nothing to put it into.
    if (m_editor->isReadOnly())
        return;
    QTextCursor cursor = m_editor->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.insertText(m_editor->toEditor(item));
    cursor.insertBlock();
    cursor.endEditBlock();
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
    m_clickTip->show();
    QTimer::singleShot(88, m_clickTip, &QWidget::hide);
}

void TForm1::Copy1Click()
{
    m_editor->copy();
}

void TForm1::Cut1Click()
{
    m_editor->cut();
}

void TForm1::Paste1Click()
{
    m_editor->paste();
    reloadclicklist1Click();
}

void TForm1::SelectAll1Click()
{
    m_editor->selectAll();
}

void TForm1::RichEditNeedKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_V && (modifiers & Qt::ControlModifier))
        m_pasteStartLine = m_editor->caretLine();
}

void TForm1::RichEditNeedKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    QTextDocument* doc = m_editor->document();
    auto insertRows = [this](const EditorLines::Collected& c) {
        for (const EditorLines::Insertion& i : c.inserted)
            m_clickListBox->insertItem(int(i.row), i.item);
    };
    if (key == Qt::Key_V && (modifiers & Qt::ControlModifier)) {
        insertRows(EditorLines::collectPasted(
            m_clickList, doc->blockCount(),
            [doc](int n) { return doc->findBlockByNumber(n).text(); }, m_pasteStartLine,
            m_editor->caretLine()));
    }
    Button18Click();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter) {
        const int caret = m_editor->caretLine();
        if (caret > 0) {
            const EditorLines::Collected c =
                EditorLines::collectEntered(m_clickList, doc->findBlockByNumber(caret - 1).text());
            insertRows(c);
            if (c.reassignHotkeys)
                AssignHotkeys();
        }
    }
    QFont font = m_clickListBox->font();
    font.setPointSize(10);
    m_clickListBox->setFont(font);
    if (enter && m_splitter->sizes().value(2) <= 1)
        setClickPanelWidth(140);
}

void TForm1::RichEditNeedMouseDown()
{
    Button18Click();
}
