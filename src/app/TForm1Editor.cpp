// The entry editor's date lines and keys, the click list and the hotkeys.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "editor/DateLines.h"
#include "editor/EditorLines.h"
#include "platform/Clipboard.h"

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
    const EditorLines::LineEdit edit =
        DateLines::protectDateLine(block.text(), block.blockNumber(), m_state.dates);
    if (edit.isNull())
        return;
    Dialogs::information(this, DateLines::protectionMessage());
    applyLineEdit(edit);
}

void TForm1::applyLineEdit(const EditorLines::LineEdit& edit)
{
    QTextDocument* doc = m_editor->document();
    const QTextCursor before = m_editor->textCursor();
    int anchor = before.anchor();
    int position = before.position();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    if (edit.replacedLine >= doc->blockCount()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        cursor.insertText(edit.text);
    } else if (edit.replacedLine >= 0) {
        cursor.setPosition(doc->findBlockByNumber(edit.replacedLine).position());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(edit.text);
    }
    if (edit.emptyLineAfter >= 0) {
        const QTextBlock line = doc->findBlockByNumber(edit.emptyLineAfter);
        const int end = line.position() + line.length() - 1;
        cursor.setPosition(end);
        cursor.insertBlock();
        // A caret at the very end of that line would go down with the new one.
        anchor += anchor > end ? 1 : 0;
        position += position > end ? 1 : 0;
    }
    cursor.endEditBlock();
    QTextCursor after(doc);
    if (edit.caretLine >= 0) {
        after.setPosition(doc->findBlockByNumber(edit.caretLine).position());
    } else {
        after.setPosition(anchor);
        after.setPosition(position, QTextCursor::KeepAnchor);
    }
    m_editor->setTextCursor(after);
}

void TForm1::reloadclicklist1Click()
{
    // The tips and a group's explanation are no title: their lines are no items.
    if (!titleIsOpen())
        return;
    reloadClickList(m_editor->lineViews()->lines());
}

void TForm1::setClickPanelWidth(int width)
{
    QList<int> sizes = m_splitter->sizes();
    if (sizes.size() != 3)
        return;
    // Without an explicit minimum the lists' own minimum widths keep an
    // empty panel 70 pixels and more wide.
    m_panel1->setMinimumWidth(1);
    sizes[1] = qMax(0, sizes[1] + sizes[2] - width);
    sizes[2] = width;
    m_splitter->setSizes(sizes);
}

void TForm1::reloadClickList(const QList<QStringView>& lines)
{
    showClickList(ClickList::fromLines(lines, m_clickList.locale()));
}

void TForm1::showClickList(ClickList list)
{
    m_clickList = std::move(list);
    setListTexts(m_clickListBox, m_clickList.entries());
    applyClickListRule();
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
    applyLineEdit(EditorLines::putItemAtCursor(
        m_editor->caretLine(), m_editor->document()->blockCount(), m_editor->toEditor(item)));
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
    if (!Clipboard::hasText() || m_editor->isReadOnly())
        return;
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

void TForm1::showCollected(const EditorLines::Collected& collected)
{
    for (const EditorLines::Insertion& i : collected.inserted)
        m_clickListBox->insertItem(int(i.row), i.item);
    if (collected.changed())
        applyClickListRule();
    // The hotkey column stands beside the click list row by row: it follows every change.
    if (collected.changed() || collected.reassignHotkeys)
        AssignHotkeys();
}

void TForm1::collectPastedLines(int firstLine, int lastLine)
{
    if (m_editor->isReadOnly())
        return;
    QTextDocument* doc = m_editor->document();
    showCollected(EditorLines::collectPasted(
        m_clickList, doc->blockCount(), [doc](int n) { return doc->findBlockByNumber(n).text(); },
        firstLine, lastLine));
}

void TForm1::RichEditNeedKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    QTextDocument* doc = m_editor->document();
    // A read-only editor (no title open) took nothing in to collect.
    const bool editable = !m_editor->isReadOnly();
    // A paste collects its own lines; this is for Ctrl+V taken by a hotkey,
    // which collects from the line of the last paste to the caret's.
    if (key == Qt::Key_V && (modifiers & Qt::ControlModifier))
        collectPastedLines(m_pasteStartLine, m_editor->caretLine());
    Button18Click();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter) {
        const int caret = m_editor->caretLine();
        if (editable && caret > 0)
            showCollected(
                EditorLines::collectEntered(m_clickList, doc->findBlockByNumber(caret - 1).text()));
    }
    if (enter && m_splitter->sizes().value(2) <= 1)
        setClickPanelWidth(140);
}

void TForm1::RichEditNeedMouseDown()
{
    Button18Click();
}
