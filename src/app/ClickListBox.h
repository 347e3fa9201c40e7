#pragma once

#include <QListWidget>

// The click list's box. Choosing an entry is one event however it happens:
// a click (a double click counts once, whatever the desktop's activation
// setting), or a key that moves the selection to another entry (arrows,
// Home, End, page keys, typing the first letters).
class ClickListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ClickListBox(QWidget* parent = nullptr);

signals:
    // The user chose the current entry.
    void entryChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_pressedRow = -1;
    bool m_doubleClick = false;
};
