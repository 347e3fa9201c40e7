#include "EntryEditor.h"

#include "titles/TitleText.h"

#include <QKeyEvent>
#include <QTextBlock>

EntryEditor::EntryEditor(QWidget* parent) : QPlainTextEdit(parent) {}

void EntryEditor::setLines(const QStringList& lines)
{
    m_standIns = TitleText::EditorStandIns(lines);
    setPlainText(m_standIns.toEditor(TitleText::toEditorText(lines)));
}

QStringList EntryEditor::lines() const
{
    // Block by block: toPlainText() would turn no-break spaces into blanks
    // and line separators into breaks, and change the title.
    QStringList out;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        out << m_standIns.fromEditor(block.text());
    if (out.size() == 1 && out.constFirst().isEmpty())
        return {}; // an empty editor holds no line
    return out;
}

int EntryEditor::caretLine() const
{
    return textCursor().blockNumber();
}

bool EntryEditor::event(QEvent* event)
{
    // The editor claims its clipboard keys before any shortcut is looked up;
    // leave a hotkey's combination to the window's shortcut instead.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::ControlModifier && m_reservedCtrlKeys.contains(key->key())) {
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void EntryEditor::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    QPlainTextEdit::keyPressEvent(event);
}

void EntryEditor::keyReleaseEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyUp(event->key(), event->modifiers());
}

void EntryEditor::mousePressEvent(QMouseEvent* event)
{
    QPlainTextEdit::mousePressEvent(event);
    emit mouseDown();
}
