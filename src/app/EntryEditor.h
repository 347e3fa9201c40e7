#pragma once

#include "titles/TitleLineViews.h"
#include "titles/TitleText.h"

#include <QPlainTextEdit>
#include <functional>
#include <memory>

// The entry editor: a plain-text editor that reports key presses, key
// releases and mouse presses after its own handling, as the main window's
// date-line and click-list bookkeeping needs them. One line is one block:
// Shift+Enter starts a new line as Enter does, and a paste brings no line
// separators of its own. A paste with no text on the clipboard does nothing.
class EntryEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit EntryEditor(QWidget* parent = nullptr);

    // Called between the pieces of a large text with the characters done of
    // all; returning false stops the work.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Shows the lines, with no undo history and not modified; characters the
    // editor would take for line breaks (U+2029, U+FDD0, U+FDD1) are held as
    // stand-ins and given back by lines(). A stop leaves the editor empty
    // (and returns false).
    bool setLines(const QStringList& lines, const Progress& progress = {});
    // Puts text (lines joined by '\n', as toEditor() gives them) at the very
    // end, as one undo step. False when stopped, with the text as it was.
    bool appendText(const QString& text, const Progress& progress = {});
    // A line's text as the editor holds it, for inserting it.
    QString toEditor(const QString& text) const { return m_standIns.toEditor(text); }
    // The editor's lines exactly as they will be saved (no-break spaces and
    // line separators kept), as views into one text. A caller may keep them
    // while the editor changes: they stay the lines of the moment they were read.
    std::shared_ptr<const TitleLineViews> lineViews() const;
    // The same lines, each a string of its own.
    QStringList lines() const;
    // The number of the line holding the caret.
    int caretLine() const;

    // Ctrl + these keys belong to the main window's hotkeys, even where the
    // editor would use them itself (Ctrl+C, Ctrl+V, Ctrl+X).
    void setReservedCtrlKeys(const QList<int>& keys) { m_reservedCtrlKeys = keys; }

signals:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyUp(int key, Qt::KeyboardModifiers modifiers);
    void mouseDown();
    // Text came in from the clipboard or a drop, over these lines (numbered after it).
    void pasted(int firstLine, int lastLine);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // A paste that would make a line longer than the editor takes is refused
    // (and the user told); lines of any other length go in.
    bool refusesPaste(const QMimeData* source);
    QList<int> m_reservedCtrlKeys;
    int m_refusedPasteKey = 0; // the key of a refused paste (no text, a line too long)
    QList<int> m_keysDown;     // pressed here and not yet released
    TitleText::EditorStandIns m_standIns;
    void watch(QTextDocument* doc);

    // The lines read last (kept while no other holds them they are brought up
    // to date in place), and the first position changed since, or -1.
    mutable std::shared_ptr<TitleLineViews> m_lines;
    mutable qsizetype m_changedFrom = -1;
};
