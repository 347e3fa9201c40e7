#include "EntryEditor.h"

#include "titles/TitleText.h"

#include <QKeyEvent>
#include <QTextBlock>

EntryEditor::EntryEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_lines.reset(); });
}

QStringList EntryEditor::lines() const
{
    // One command (save, click list, tally) reads the lines several times: they
    // are split once and kept until the text changes or the command is over,
    // so that a large title's lines are not held all the time.
    if (m_lines)
        return *m_lines;
    // toPlainText() would turn no-break spaces into blanks and change the title.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    m_lines = TitleText::fromEditorText(text);
    QMetaObject::invokeMethod(
        const_cast<EntryEditor*>(this), [this] { m_lines.reset(); }, Qt::QueuedConnection);
    return *m_lines;
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
