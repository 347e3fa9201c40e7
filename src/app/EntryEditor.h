#pragma once

#include <QPlainTextEdit>
#include <optional>

// The entry editor: a plain-text editor that reports key presses, key
// releases and mouse presses after its own handling, as the main window's
// date-line and click-list bookkeeping needs them.
class EntryEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit EntryEditor(QWidget* parent = nullptr);

    // The editor's lines exactly as they will be saved (no-break spaces kept).
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

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QList<int> m_reservedCtrlKeys;
    mutable std::optional<QStringList> m_lines; // see lines()
};
