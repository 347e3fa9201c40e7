#include "ProgramFixture.h"

#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/LongWork.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

ProgramFixture::ProgramFixture(const QDateTime& now)
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    Dialogs::setScripted(true);
    // A long work's dialog shows at its first piece.
    LongWork::setShowDelayForTesting(0);
    LongWork::clearShownLabels();
    qputenv("HOME", home.path().toUtf8());
    for (const char* xdg : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
        qunsetenv(xdg);
    QString docsPath = docs.path();
    docsPath.chop(1);
    options.documentsFolder = docsPath;
    options.dates = DateFormat(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    options.clock = Clock::fixed(now);
}

ProgramFixture::~ProgramFixture()
{
    progressPoll.reset();
    program.reset();
    Dialogs::setScripted(true);
}

void ProgramFixture::start(QScreen* screen)
{
    program = std::make_unique<Program>(options);
    if (screen) {
        for (QWidget* window :
             {static_cast<QWidget*>(program->form1()), static_cast<QWidget*>(program->formpic())}) {
            window->setScreen(screen);
            window->move(screen->geometry().topLeft() + window->pos());
        }
    }
    program->start();
    QVERIFY(QTest::qWaitForWindowExposed(program->form1()));
}

void ProgramFixture::stop()
{
    program->form1()->close();
    program.reset();
}

TForm1* ProgramFixture::form1() const
{
    return program->form1();
}

QTreeWidget* ProgramFixture::tree() const
{
    return form1()->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
}

EntryEditor* ProgramFixture::editor() const
{
    return form1()->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));
}

QListWidget* ProgramFixture::clickList() const
{
    return form1()->findChild<QListWidget*>(QStringLiteral("ListBoxListNow"));
}

QListWidget* ProgramFixture::hotkeys() const
{
    return form1()->findChild<QListWidget*>(QStringLiteral("ListBoxHotkey"));
}

QStringList ProgramFixture::clickListTexts() const
{
    QStringList out;
    for (int i = 0; i < clickList()->count(); ++i)
        out << clickList()->item(i)->text();
    return out;
}

bool ProgramFixture::enabled(const QString& actionName) const
{
    QAction* a = form1()->action(actionName);
    if (!a)
        qFatal("no action %s", qPrintable(actionName));
    return a->isEnabled();
}

QTreeWidgetItem* ProgramFixture::node(const QString& path) const
{
    QTreeWidgetItem* current = nullptr;
    for (const QString& part : path.split(QLatin1Char('/'))) {
        QTreeWidgetItem* found = nullptr;
        const int n = current ? current->childCount() : tree()->topLevelItemCount();
        for (int i = 0; i < n && !found; ++i) {
            QTreeWidgetItem* c = current ? current->child(i) : tree()->topLevelItem(i);
            if (c->text(0) == part)
                found = c;
        }
        if (!found)
            return nullptr;
        current = found;
    }
    return current;
}

void ProgramFixture::click(const QString& path)
{
    QTreeWidgetItem* item = node(path);
    if (!item)
        qFatal("no node %s", qPrintable(path));
    tree()->scrollToItem(item);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                      tree()->visualItemRect(item).center());
    // The tree selects on the press; the window opens the node on a queued call.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void ProgramFixture::pressOnBoxes(Qt::Key key, int times)
{
    Dialogs::setScripted(false);
    boxesPressed = 0;
    boxPoll = std::make_unique<QTimer>();
    QObject::connect(boxPoll.get(), &QTimer::timeout,
                     [this, key, times, last = QPointer<QWidget>()]() mutable {
                         QWidget* box = QApplication::activeModalWidget();
                         if (!box || box == last || !box->isVisible())
                             return;
                         last = box;
                         // Any box past those expected is closed, and counted, rather than left
                         // waiting.
                         QTest::keyClick(box, boxesPressed++ < times ? key : Qt::Key_Escape);
                     });
    boxPoll->start(10);
}

int ProgramFixture::scriptBoxes()
{
    if (!boxPoll)
        return 0; // still scripted: the messages recorded so far stay
    boxPoll.reset();
    Dialogs::setScripted(true);
    return boxesPressed;
}

void ProgramFixture::type(const QString& text)
{
    editor()->setFocus();
    editor()->moveCursor(QTextCursor::End);
    const QStringList parts = text.split(QLatin1Char('\n'));
    for (int i = 0; i < parts.size(); ++i) {
        for (QChar c : parts[i]) {
            // keyClicks() knows Latin-1 only; other characters come as text.
            if (c.unicode() < 0x80)
                QTest::keyClick(editor(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
        if (i + 1 < parts.size())
            QTest::keyClick(editor(), Qt::Key_Return);
    }
}

void ProgramFixture::whenProgressShows(std::function<void()> action)
{
    progressPoll = std::make_unique<QTimer>();
    QObject::connect(progressPoll.get(), &QTimer::timeout, [this, action] {
        const auto* dialog = form1()->findChild<QProgressDialog*>();
        if (!dialog || !dialog->isVisible())
            return;
        progressPoll->stop();
        action();
    });
    progressPoll->start(0);
}
