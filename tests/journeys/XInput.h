#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// Real input through the X server (XTest): the events reach the program in
// the order and timing a keyboard and mouse give them, through its own
// connection, as a user's do.
class XInput
{
public:
    XInput();
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    bool isOpen() const { return m_display != nullptr; }

    void click(QPoint at, int button = 1);
    void doubleClick(QPoint at);
    // A key by its X name ("Return", "F2", "a"), with Control, Shift or Alt
    // held around it, given as "ctrl", "shift", "alt" joined by '+'.
    void key(const char* keysym, const QString& modifiers = QString());
    // Ctrl+key where Ctrl goes up the moment the key does, as a quick hand does.
    void quickCtrl(const char* keysym);
    // Printable text, '\n' as Return; characters without a key are skipped
    // and false is returned.
    bool type(const QString& text);

    // The screen's pixels, or part of them.
    QImage grab(const QRect& area = QRect());
    // Titles of the top-level windows the server maps (openbox frames hold them).
    QStringList windowTitles();

private:
    void press(unsigned keycode, bool down);
    void sync();
    void modifiers(const QString& mods, bool down);

    struct _XDisplay* m_display = nullptr;
};
