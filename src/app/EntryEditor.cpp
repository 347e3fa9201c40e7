#include "EntryEditor.h"

#include "platform/Clipboard.h"
#include "titles/TitleText.h"

#include <QKeyEvent>
#include <QMimeData>

EntryEditor::EntryEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_lines.reset(); });
}

void EntryEditor::setLines(const QStringList& lines)
{
    m_standIns = TitleText::EditorStandIns(lines);
    setPlainText(m_standIns.toEditor(TitleText::toEditorText(lines)));
}

std::shared_ptr<const TitleLineViews> EntryEditor::lineViews() const
{
    // One command (save, click list, tally) reads the lines several times: they
    // are read once and kept until the text changes or the command is over,
    // so that a large title's text is not held twice all the time.
    if (m_lines)
        return m_lines;
    // The raw text keeps no-break spaces and line separators, which
    // toPlainText() would turn into blanks and breaks. Blocks end in U+2029,
    // so a U+2029 of the title itself is shown as its stand-in until here.
    QString text = document()->toRawText();
    if (TitleText::EditorStandIns::mayHold(text)) {
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        m_lines = std::make_shared<const TitleLineViews>(m_standIns.fromEditor(text),
                                                         QLatin1Char('\n'));
    } else {
        m_lines = std::make_shared<const TitleLineViews>(std::move(text), QChar::ParagraphSeparator);
    }
    QMetaObject::invokeMethod(
        const_cast<EntryEditor*>(this), [this] { m_lines.reset(); }, Qt::QueuedConnection);
    return m_lines;
}

QStringList EntryEditor::lines() const
{
    const std::shared_ptr<const TitleLineViews> views = lineViews();
    QStringList out;
    out.reserve(views->lines().size());
    for (QStringView line : views->lines())
        out.append(line.toString());
    return out;
}

int EntryEditor::caretLine() const
{
    return textCursor().blockNumber();
}

bool EntryEditor::event(QEvent* event)
{
    // Every press meant for the editor comes here first, also one that a
    // window shortcut then takes.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && !m_keysDown.contains(key->key()))
            m_keysDown.append(key->key());
    }
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
    if (event->matches(QKeySequence::Paste) && !Clipboard::hasText()) {
        m_refusedPasteKey = event->key();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        // A soft line break would make two lines of one: take it as Enter.
        QKeyEvent enter(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->nativeScanCode(), event->nativeVirtualKey(),
                        event->nativeModifiers(), event->text(), event->isAutoRepeat(),
                        event->count());
        emit keyDown(enter.key(), enter.modifiers());
        QPlainTextEdit::keyPressEvent(&enter);
        event->setAccepted(enter.isAccepted());
        return;
    }
    emit keyDown(event->key(), event->modifiers());
    QPlainTextEdit::keyPressEvent(event);
}

void EntryEditor::keyReleaseEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    // A key pressed elsewhere, such as the Enter that closed a message box,
    // is released over the editor: it typed nothing here.
    if (event->isAutoRepeat() || !m_keysDown.removeOne(event->key()))
        return;
    Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->key() == m_refusedPasteKey) {
        // Nothing was pasted, so there is nothing to collect: report a plain key.
        m_refusedPasteKey = 0;
        modifiers &= ~(Qt::ControlModifier | Qt::ShiftModifier);
    }
    emit keyUp(event->key(), modifiers);
}

void EntryEditor::mousePressEvent(QMouseEvent* event)
{
    QPlainTextEdit::mousePressEvent(event);
    emit mouseDown();
}

void EntryEditor::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    if (!text.contains(QChar::LineSeparator) && !text.contains(QChar::ParagraphSeparator)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    insertPlainText(text);
}
