#include "EntryEditor.h"

#include "Dialogs.h"
#include "editor/EditorLines.h"
#include "platform/Clipboard.h"
#include "titles/TitleText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// A piece takes the editor some ten milliseconds: short enough that the
// window paints between pieces, long enough that the pauses cost nothing.
const qsizetype kPieceChars = 100 * 1024;

// Inserts text at the cursor in pieces cut after line breaks, with progress
// between them; false when it stopped the work.
bool insertInPieces(QTextCursor& cursor, const QString& text, const EntryEditor::Progress& progress)
{
    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = text.size();
        if (to - from > kPieceChars) {
            const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), from + kPieceChars);
            to = lineEnd < 0 ? to : lineEnd + 1;
        }
        cursor.insertText(to - from == text.size() ? text : text.mid(from, to - from));
        from = to;
        if (from < text.size() && progress && !progress(from, text.size()))
            return false;
    }
    return true;
}
} // namespace

EntryEditor::EntryEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    watch(document());
}

void EntryEditor::watch(QTextDocument* doc)
{
    m_lines.reset();
    connect(doc, &QTextDocument::contentsChange, this, [this](int from, int, int) {
        m_changedFrom = m_changedFrom < 0 ? from : qMin<qsizetype>(m_changedFrom, from);
    });
}

bool EntryEditor::setLines(const QStringList& lines, const Progress& progress)
{
    m_standIns = TitleText::EditorStandIns(lines);
    const QString text = m_standIns.toEditor(TitleText::toEditorText(lines));
    // A new document drops the old text, its undo history and formats at once,
    // as setPlainText() does; shown while empty, it is filled in place: the
    // editor then lays out each piece as it comes, not the whole text again.
    const QPointer<QTextDocument> old = document();
    auto* doc = new QTextDocument(this);
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    doc->setDefaultFont(old->defaultFont());
    doc->setDefaultTextOption(old->defaultTextOption());
    doc->setDocumentMargin(old->documentMargin());
    doc->setUndoRedoEnabled(false);
    setDocument(doc);
    watch(doc);
    delete old.data(); // unless the editor deleted its first one itself
    QPointer<EntryEditor> alive(this);
    bool done = false;
    {
        // One change for the window, not one a piece.
        const QSignalBlocker quiet(this);
        QTextCursor cursor(doc);
        done = insertInPieces(cursor, text, progress);
    }
    if (!alive)
        return false;
    if (!done)
        doc->clear(); // a part is no title
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    emit textChanged();
    return done;
}

bool EntryEditor::appendText(const QString& text, const Progress& progress)
{
    QPointer<EntryEditor> alive(this);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // While the edit block is open the layout lags behind the text: the
    // editor waits for the whole step before it paints again.
    setUpdatesEnabled(false);
    const int start = cursor.position();
    cursor.beginEditBlock();
    const bool done = insertInPieces(cursor, text, progress);
    if (!alive)
        return false;
    if (!done) {
        cursor.setPosition(start);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
    setUpdatesEnabled(true);
    return done;
}

std::shared_ptr<const TitleLineViews> EntryEditor::lineViews() const
{
    // Saving and counting read the lines of a title of a million lines many
    // times, while the user changes a few near the end: the text read last is
    // kept, and only what follows the first change since is read again.
    if (m_lines && m_changedFrom < 0)
        return m_lines;
    const qsizetype start = m_lines ? m_lines->lineStartOf(m_changedFrom) : -1;
    m_changedFrom = -1;
    if (start >= 0 && m_lines.use_count() == 1) {
        QTextCursor tail(document());
        tail.setPosition(int(start));
        tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        const QString text = tail.selectedText();
        if (!TitleText::EditorStandIns::mayHold(text)) {
            m_lines->replaceFrom(start, text, QChar::ParagraphSeparator);
            return m_lines;
        }
    }
    // The raw text keeps no-break spaces and line separators, which
    // toPlainText() would turn into blanks and breaks. Blocks end in U+2029,
    // so a U+2029 of the title itself is shown as its stand-in until here.
    QString text = document()->toRawText();
    if (TitleText::EditorStandIns::mayHold(text)) {
        // Stand-ins are given back, so the text no longer matches the
        // editor's positions: it is read whole each time.
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        m_lines.reset();
        return std::make_shared<const TitleLineViews>(m_standIns.fromEditor(text),
                                                      QLatin1Char('\n'));
    }
    m_lines = std::make_shared<TitleLineViews>(std::move(text), QChar::ParagraphSeparator);
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
    if (event->matches(QKeySequence::Paste) &&
        (!Clipboard::hasText() || refusesPaste(QGuiApplication::clipboard()->mimeData()))) {
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

bool EntryEditor::refusesPaste(const QMimeData* source)
{
    if (!source)
        return false;
    // The pasted lines join what stays of the lines around the selection.
    QTextCursor start(document()), end(document());
    start.setPosition(textCursor().selectionStart());
    end.setPosition(textCursor().selectionEnd());
    const qsizetype longest = EditorLines::longestLine(
        start.positionInBlock(), source->text(), end.block().length() - 1 - end.positionInBlock());
    if (longest <= EditorLines::kLongestLine)
        return false;
    Dialogs::information(
        window(), EditorLines::lineTooLongMessage(QStringLiteral("Pasting this text would make"),
                                                  longest, QStringLiteral("it was not pasted")));
    return true;
}

void EntryEditor::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || refusesPaste(source))
        return;
    const int firstLine = document()->findBlock(textCursor().selectionStart()).blockNumber();
    QString text = source->text();
    if (!text.contains(QChar::LineSeparator) && !text.contains(QChar::ParagraphSeparator)) {
        QPlainTextEdit::insertFromMimeData(source);
    } else {
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        insertPlainText(text);
    }
    // Said here, not at the key's release: under X11 the clipboard's text may
    // arrive only after the release of Ctrl+V.
    emit pasted(firstLine, caretLine());
}
