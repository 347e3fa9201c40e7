#pragma once

#include "XInput.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// One widget of the running program as its screen map reports it.
struct Widget
{
    QJsonObject data;
    bool valid() const { return !data.isEmpty(); }
    QString text() const { return data["text"].toString(); }
    QString name() const { return data["name"].toString(); }
    QString window() const { return data["window"].toString(); }
    bool enabled() const { return data["enabled"].toBool(); }
    QRect rect() const;
    QPoint center() const { return rect().center(); }
    QPoint clickPoint() const; // where a click on it does what it says
    QStringList rowTexts() const;
    // The row whose text (tree: its "\"-path) is text; invalid when none is.
    QJsonObject row(const QString& text) const;
};

// A home folder of its own (HOME and the XDG folders), the clock file and
// the screen map of the program that runs there.
struct Home
{
    Home();
    QString path() const { return dir.path() + '/'; }
    QString data() const { return path() + "home/Documents/Morvane/"; }
    QString state() const { return path() + "home/.local/state/morvane/"; }
    QByteArray read(const QString& relative) const; // below the data folder
    bool write(const QString& relative, const QByteArray& bytes) const;
    bool append(const QString& relative, const QByteArray& bytes) const;
    void setClock(const QDateTime& now) const;
    QTemporaryDir dir;
};

// Drives the built program the way a person does: starts it as a child
// process in a Home, finds its controls by object name through the screen
// map, and sends real X events at them. Every wait is for a condition.
class Driver
{
public:
    explicit Driver(const Home& home);
    ~Driver();

    bool start();           // false when no main window showed
    void kill();            // SIGKILL: no shutdown runs
    bool quit();            // File → Exit; true when the program ended normally
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    QString howItEnded() const; // exit code or signal
    QString failure() const { return m_failure; }

    // The map now; empty when the program did not answer in time (a hang).
    QJsonObject map();
    // The questions below read a fresh map, or the one given.
    // The first visible widget named name (in the window whose caption starts
    // with window, when given).
    Widget find(const QString& name, const QString& window = QString(), QJsonObject map = {});
    Widget findText(const QString& text, const QString& window = QString());
    // The open message box's text and buttons; invalid when none is open.
    Widget messageBox(QJsonObject map = {});
    QString messageText();

    bool waitFor(const std::function<bool()>& condition, const QString& what,
                 int milliseconds = 15000);
    bool waitForCaption(const QString& caption);
    bool waitForMessage(const QString& containing);

    // --- The user's hands ---
    bool click(const QString& name, const QString& window = QString());
    // The first visible widget showing text (a radio button, a plain button).
    bool clickText(const QString& text, const QString& window = QString());
    bool clickRow(const QString& name, const QString& row, int button = 1);
    bool menu(const QString& top, const QString& item); // through the menu bar, by mouse
    bool answer(const QString& button);                 // a button of the message box
    // Brings a window forward by its title bar, as a user does.
    bool raise(const QString& window);
    bool keyOnMessage(const char* keysym);              // once the box has the focus
    void type(const QString& text) { m_x.type(text); }
    void key(const char* keysym, const QString& mods = QString()) { m_x.key(keysym, mods); }
    void quickCtrl(const char* keysym) { m_x.quickCtrl(keysym); }
    void setClipboard(const QString& text);
    QImage grab(const QRect& area = QRect()) { return m_x.grab(area); }

    // --- What the user sees ---
    QString caption(QJsonObject map = {}); // the main window's
    QString editorText(QJsonObject map = {});
    QStringList clickList(QJsonObject map = {});
    QStringList hotkeys(QJsonObject map = {});

    XInput& x() { return m_x; }
    qint64 pid() const { return m_process.processId(); }

private:
    bool fail(const QString& why);
    bool clickStill(const std::function<Widget()>& found, const QString& what);

    const Home& m_home;
    QProcess m_process;
    XInput m_x;
    QString m_mapFile;
    int m_sequence = 0;
    QString m_failure;
};
