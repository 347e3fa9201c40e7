#pragma once

#include "TempDataFolder.h"
#include "app/Program.h"

#include <QDateTime>
#include <functional>
#include <memory>

class EntryEditor;
class QListWidget;
class QScreen;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TForm1;

// A small title with a rule line, three days and an item written twice with
// a trailing blank: the report tests' example.
inline const QByteArray kFruitTitle =
    "//Rule:Must press the Enter key, after typing a item each time.\r\n"
    "\r\n//2024-3-1\r\napple\r\npear\r\napple \r\n"
    "//2024-3-2\r\n//2024-3-3\r\nApple\r\napple\r\n";

// A whole program over a temporary documents folder, with a fixed clock,
// date format "yyyy-M-d" and scripted dialogs.
class ProgramFixture
{
public:
    explicit ProgramFixture(const QDateTime& now = QDateTime(QDate(2024, 3, 3), QTime(21, 5, 33)));
    ~ProgramFixture();

    // Creates the four windows and shows the main window (start-up), on the
    // given screen or the primary one.
    void start(QScreen* screen = nullptr);
    // Closes the main window (shutdown) and ends the program.
    void stop();

    QString dataFolder() const { return docs.path() + QStringLiteral("Morvane/"); }
    QByteArray readData(const QString& relative) const
    {
        return docs.readFile("Morvane/" + relative);
    }
    QString writeData(const QString& relative, const QByteArray& content) const
    {
        return docs.writeFile("Morvane/" + relative, content);
    }

    TForm1* form1() const;
    QTreeWidget* tree() const;
    EntryEditor* editor() const;
    QListWidget* clickList() const;
    QListWidget* hotkeys() const;
    bool enabled(const QString& actionName) const;
    // The click list's entries as shown.
    QStringList clickListTexts() const;

    // The tree node at a "/"-separated path of node texts.
    QTreeWidgetItem* node(const QString& path) const;
    // Clicks the node with the mouse, as the user does.
    void click(const QString& path);
    // Types text at the end of the editor (Enter for each '\n').
    void type(const QString& text);
    // Runs action once, when a progress dialog first shows over the main
    // window: in the middle of the long work, whose pieces let timers run.
    void whenProgressShows(std::function<void()> action);

    // From now on the program's boxes show for real, and key is pressed on
    // each of the next `times` boxes as it shows, as a hurried user does;
    // scriptBoxes() goes back to scripted boxes and says how many showed.
    void pressOnBoxes(Qt::Key key, int times);
    int scriptBoxes();

    TempDataFolder docs;
    // HOME for the run: launchers and other XDG folders land here.
    TempDataFolder home;
    ProgramOptions options;
    std::unique_ptr<Program> program;
    std::unique_ptr<QTimer> progressPoll;
    std::unique_ptr<QTimer> boxPoll;
    int boxesPressed = 0;
};
