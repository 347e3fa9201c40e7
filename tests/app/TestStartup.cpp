#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"
#include "app/TFormOpt.h"
#include "app/TFormhlp.h"
#include "app/TFormpic.h"
#include "platform/SafeFile.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <csignal>
#include <sys/stat.h>

// Start-up, the first-start library, the no-title state and shutdown.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStartCreatesLibraryOnce();
    void noTitleState();
    void noTitleStateDisablesCommands_data();
    void noTitleStateDisablesCommands();
    void sweepsAtStartAndExit();
    void hiddenEntriesStayHidden();
    void hostileStateFiles_data();
    void hostileStateFiles();
    void titleMenuTogglesTree();
    void windowsCreatedInOrder();
    void rightClickKeepsSelection();
    void terminationSignalSavesAndSweeps();
    void killedWhileTypingOffersLines_data();
    void killedWhileTypingOffersLines();
    void childTypesUntilKilled();
    void signalSavesTypedText_data();
    void signalSavesTypedText(); // last: it ends the event loop
};

void TestStartup::firstStartCreatesLibraryOnce()
{
    ProgramFixture f;
    f.start();
    QVERIFY(QFileInfo(f.dataFolder() + "personal").isDir());
    QCOMPARE(f.tree()->topLevelItemCount(), 2);
    QCOMPARE(f.tree()->topLevelItem(0)->text(0), QString("company"));
    QVERIFY(f.tree()->topLevelItem(0)->isExpanded());
    QVERIFY(f.tree()->topLevelItem(1)->isExpanded());
    QCOMPARE(f.tree()->topLevelItem(0)->childCount(), 7);
    QCOMPARE(f.tree()->topLevelItem(1)->childCount(), 6);
    QVERIFY(f.tree()->selectedItems().isEmpty());
    f.stop();

    // A second start finds the folder and creates nothing, even where groups are gone.
    QVERIFY(QDir(f.dataFolder() + "personal").removeRecursively());
    f.start();
    QVERIFY(!QFileInfo::exists(f.dataFolder() + "personal"));
    QCOMPARE(f.tree()->topLevelItemCount(), 1);
}

void TestStartup::noTitleState()
{
    ProgramFixture f;
    f.start();
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---Please click a title to start."));
    QCOMPARE(
        f.editor()->lines(),
        QStringList({"Tips:", "1.(left window)choose a title ", "2.(this window)entry each items ",
                     "  Then", "3.(right click window)", "   Click a item to replace cursor row"}));
    QVERIFY(f.editor()->isReadOnly());
    QCOMPARE(f.clickList()->count(), 1);
    QCOMPARE(f.clickList()->item(0)->text(), QString("click window"));
    QCOMPARE(f.hotkeys()->count(), 2);
    QCOMPARE(f.hotkeys()->item(0)->text(), QString("Hotkey"));
    QCOMPARE(f.hotkeys()->item(1)->text(), QString("[Ctrl]+"));
    QVERIFY(!f.form1()->state().modified);
    QCOMPARE(f.form1()->state().dataFolder, f.docs.path() + "Morvane/");
    QCOMPARE(f.form1()->state().recordedPictureSize, f.program->formpic()->imageSize());
    // The tips are no title: reloading takes no items from them, and no report is made.
    f.form1()->action("reloadclick1")->trigger();
    QCOMPARE(f.clickListTexts(), QStringList{"click window"});
    f.form1()->TextReportClick();
    f.form1()->BarChart1Click();
    f.form1()->MSWordReport1Click();
    for (const char* written : {"Total.tol", "BarChart.bmp", "pie.bmp", "BarChartH.bmp"})
        QVERIFY2(!QFileInfo::exists(f.dataFolder() + written), written);
    QVERIFY(!f.program->formpic()->isVisible());
}

void TestStartup::noTitleStateDisablesCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    for (const char* n :
         {"ToolButtonSave", "Post1", "ToolButtonStartOpen", "Edit1", "AppendText1", "Export1",
          "Rename1", "Delete1", "Startopen1", "BarChart1", "TextReport", "reloadclicklist1",
          "ToolButtonBar", "ToolButtonReplace", "Copy1", "Cut1", "ReplaceItem1"})
        QTest::newRow(n) << QString(n) << false;
    for (const char* n : {"NewTitleGroup1", "New1", "Frominput1", "Exit1", "About1", "itle1",
                          "ToolButtonGroup", "ToolButton2", "ToolButton11", "Paste1", "SelectAll1",
                          "Rename2", "Copy2", "Paste2", "cut2", "reloadclick1"})
        QTest::newRow(n) << QString(n) << true;
}

void TestStartup::noTitleStateDisablesCommands()
{
    QFETCH(QString, name);
    ProgramFixture f;
    f.start();
    // The click list's "reload click list" is there in this state too; it changes nothing.
    for (bool reloaded : {false, true}) {
        if (reloaded)
            f.form1()->action("reloadclick1")->trigger();
        if (name == "Edit1")
            QTEST(f.form1()->findChild<QMenu*>("Edit1")->menuAction()->isEnabled(), "enabled");
        else
            QTEST(f.enabled(name), "enabled");
    }
}

void TestStartup::sweepsAtStartAndExit()
{
    ProgramFixture f;
    const QString title = f.writeData("g/t.txt", "x\r\n");
    f.writeData("Total.tol", "y\r\n");
    QFile::setPermissions(title, QFile::ReadOwner);
    f.start();
    QVERIFY(QFileInfo(title).permissions() & QFile::WriteOwner);
    f.stop();
    QVERIFY(!(QFileInfo(title).permissions() & QFile::WriteOwner));
    QVERIFY(!(QFileInfo(f.dataFolder() + "Total.tol").permissions() & QFile::WriteOwner));
    QVERIFY(QFileInfo(f.dataFolder() + "g").permissions() & QFile::WriteOwner);
}

void TestStartup::hiddenEntriesStayHidden()
{
    ProgramFixture f;
    f.writeData(".config/a.txt", "");
    f.writeData(".b.txt", "");
    f.writeData("c.txt", "");
    f.start();
    QCOMPARE(f.tree()->topLevelItemCount(), 1);
    QCOMPARE(f.tree()->topLevelItem(0)->text(0), QString("c"));
}

// A state file that is not a small regular file: the start neither blocks nor
// fills the memory, and the program works on. "~/" is below HOME.
void TestStartup::hostileStateFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("what");
    QTest::newRow("defaultfile.cnt, a FIFO") << "defaultfile.cnt"
                                             << "fifo";
    QTest::newRow("defaultfile.cnt, a link to /dev/zero") << "defaultfile.cnt"
                                                          << "zero";
    QTest::newRow("defaultfile.cnt, 1 MB") << "defaultfile.cnt"
                                           << "big";
    QTest::newRow("tip.cnt, a FIFO") << "tip.cnt"
                                     << "fifo";
    QTest::newRow("tip.cnt, a link to /dev/zero") << "tip.cnt"
                                                  << "zero";
    QTest::newRow("the data folder's lock, a FIFO") << ".morvane.lock"
                                                    << "fifo";
    QTest::newRow("the ledger of writes, a FIFO") << "~/.local/state/morvane/.writes-under-way"
                                                  << "fifo";
}

void TestStartup::hostileStateFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, what);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    const QString path =
        file.startsWith("~/") ? f.home.path() + file.mid(2) : f.dataFolder() + file;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (what == "fifo")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (what == "zero")
        QVERIFY(QFile::link("/dev/zero", path));
    else
        f.writeData(file, "t\r\n\r\n" + QByteArray(1 << 20, '/'));
    f.start();
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---Please click a title to start."));
    QCOMPARE(Dialogs::shownMessages(), QStringList());
    f.click("t");
    f.type("x");
    QVERIFY(f.form1()->Post1Click());
    f.stop();
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\nx\r\n"));
}

void TestStartup::titleMenuTogglesTree()
{
    ProgramFixture f;
    f.start();
    QAction* title = f.form1()->action("itle1");
    QVERIFY(title->isChecked());
    title->trigger();
    QCOMPARE(f.tree()->width(), 0);
    QVERIFY(!title->isChecked());
    title->trigger();
    QCOMPARE(f.tree()->width(), 300);
    QVERIFY(title->isChecked());
}

// Notes every object in the order it first receives an event.
class FirstEvents : public QObject
{
public:
    QList<QObject*> order;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!order.contains(watched))
            order << watched;
        return QObject::eventFilter(watched, event);
    }
};

void TestStartup::windowsCreatedInOrder()
{
    ProgramFixture f;
    FirstEvents events;
    qApp->installEventFilter(&events);
    f.start();
    qApp->removeEventFilter(&events);
    const Program& p = *f.program;
    const QList<qsizetype> at = {events.order.indexOf(p.form1()), events.order.indexOf(p.formpic()),
                                 events.order.indexOf(p.formOpt()),
                                 events.order.indexOf(p.formhlp())};
    QVERIFY(at.first() >= 0);
    QVERIFY(std::is_sorted(at.begin(), at.end()));
    QCOMPARE(p.form1()->objectName(), QString("Form1"));
    QCOMPARE(p.formpic()->windowTitle(), QString("FormPic"));
    QVERIFY(!p.formpic()->isVisible());
    f.form1()->action("About1")->trigger();
    QVERIFY(p.formOpt()->isVisible());
    QCOMPARE(p.formOpt()->windowTitle(), QString("About Morvane"));
}

void TestStartup::rightClickKeepsSelection()
{
    ProgramFixture f;
    f.writeData("a.txt", "");
    f.writeData("b.txt", "");
    f.start();
    f.click("a");
    QTreeWidgetItem* b = f.node("b");
    const QPoint at = f.tree()->visualItemRect(b).center();
    QTest::mouseClick(f.tree()->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(f.tree()->currentItem()->text(0), QString("a"));
    auto* menu = f.form1()->findChild<QMenu*>("PopupMenuTitle");
    QVERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---a"));
}

// The real program, ended by a termination signal, still runs its shutdown
// and ends normally.
void TestStartup::terminationSignalSavesAndSweeps()
{
    TempDataFolder home;
    const QString data = home.path() + "Documents/Morvane/";
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + ".config");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(MORVANE_BIN, {});
    QVERIFY(program.waitForStarted());
    // The first start creates the library; the start-up sweep has run once the tree is up.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data + "defaultfile.cnt"), 20000);
    QTest::qWait(1000);
    program.terminate(); // SIGTERM
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    for (const char* file : {"company/Consumers ages.txt", "defaultfile.cnt"})
        QVERIFY2(!(QFileInfo(data + file).permissions() & QFile::WriteOwner), file);
}

void TestStartup::killedWhileTypingOffersLines_data()
{
    QTest::addColumn<bool>("restore");
    QTest::addColumn<QString>("meanwhile"); // done to the title between the kill and the start
    QTest::newRow("restored") << true << "";
    QTest::newRow("kept aside") << false << "";
    // A sync tool or a backup touched it: the copy is older than the title.
    QTest::newRow("title changed since, restored") << true << "changed";
    QTest::newRow("title renamed since, restored") << true << "renamed";
    QTest::newRow("title renamed since, kept aside") << false << "renamed";
}

// A program killed with SIGKILL while the user types: the next start offers
// the lines of the recovery copy; Yes puts them back unsaved, No sets the
// copy aside.
void TestStartup::killedWhileTypingOffersLines()
{
    QFETCH(bool, restore);
    QFETCH(QString, meanwhile);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    f.writeData("defaultfile.cnt", "t\r\n\r\n");
    const QString state = f.home.path() + ".local/state/morvane/";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", f.home.path());
    env.insert("MORVANE_CHILD_DOCS", f.docs.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"childTypesUntilKilled"});
    QVERIFY(child.waitForStarted());
    const auto copyHolds = [&](const QByteArray& line) {
        const QStringList copies = QDir(state).entryList({"*.recovery"});
        QFile copy(state + copies.value(0));
        return copies.size() == 1 && copy.open(QIODevice::ReadOnly) &&
               copy.readAll().contains(line);
    };
    QTRY_VERIFY_WITH_TIMEOUT(copyHolds("line 5\n"), 60000);
    child.kill(); // SIGKILL: no shutdown runs
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\n"));
    if (meanwhile == "changed") {
        QFile title(f.dataFolder() + "t.txt");
        QVERIFY(title.open(QIODevice::Append) && title.write("x\r\n") == 3);
    } else if (meanwhile == "renamed") {
        QVERIFY(QFile::rename(f.dataFolder() + "t.txt", f.dataFolder() + "u.txt"));
    }

    Dialogs::clearShownMessages();
    Dialogs::setNextAnswer(restore ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    f.start();
    QTRY_VERIFY(!Dialogs::shownMessages().filter("restore the unsaved lines of t?").isEmpty());
    const QString offer = Dialogs::shownMessages().filter("restore the unsaved lines").join('\n');
    QCOMPARE(offer.contains("changed since"), meanwhile == "changed");
    QCOMPARE(offer.contains("renamed or deleted since"), meanwhile == "renamed");
    QCOMPARE(f.form1()->windowTitle(),
             QString(!restore && meanwhile == "renamed" ? "Morvane---Please click a title to start."
                                                        : "Morvane---t"));
    QCOMPARE(f.editor()->lines().contains("line 5"), restore);
    QCOMPARE(f.form1()->state().modified, restore);
    QCOMPARE(QDir(state).entryList({"*.kept"}).size(), restore ? 0 : 1);
    if (restore) {
        QCOMPARE(f.editor()->lines().mid(0, 2), QStringList({"//2024-3-3", "line 1"}));
        QVERIFY(f.clickListTexts().contains("line 5"));
        Dialogs::setNextChoice(2); // changed since: keep both
        f.form1()->action("Post1")->trigger();
        QVERIFY(f.readData(meanwhile == "changed" ? "t (2).txt" : "t.txt").contains("line 5\r\n"));
        if (meanwhile == "changed")
            QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\nx\r\n"));
    }
    if (meanwhile == "renamed")
        QCOMPARE(f.readData("u.txt"), QByteArray("//2024-3-3\r\n"));
    f.stop(); // a clean exit leaves no copy
    QVERIFY(QDir(state).entryList({"*.recovery"}).isEmpty());
}

// The program killedWhileTypingOffersLines kills: types a line every tenth of a second.
void TestStartup::childTypesUntilKilled()
{
    const QString docs = qEnvironmentVariable("MORVANE_CHILD_DOCS");
    if (docs.isEmpty())
        QSKIP("runs only as the program another test kills");
    const QByteArray home = qgetenv("HOME");
    ProgramFixture f;
    qputenv("HOME", home);
    f.options.documentsFolder = docs.chopped(1);
    f.start();
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---t"));
    for (int n = 1;; ++n) {
        f.type(QString("line %1\n").arg(n));
        QTest::qWait(100);
    }
}

void TestStartup::signalSavesTypedText_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("saves") << false;
    QTest::newRow("save fails") << true;
}

// A termination signal saves what was typed and sweeps. A save that fails
// then is reported on standard error: a box would hold up the logout.
void TestStartup::signalSavesTypedText()
{
    QFETCH(bool, diskFull);
    ProgramFixture f;
    const QString title = f.writeData("t.txt", "//2024-3-3\r\n");
    f.start();
    f.program->endOnSignals();
    f.click("t");
    f.type("paper\n");
    Dialogs::clearShownMessages();
    SafeFile::setFailAfterBytesForTesting(diskFull ? 4 : -1);
    QElapsedTimer clock;
    clock.start();
    std::raise(SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(!(QFileInfo(title).permissions() & QFile::WriteOwner), 3000);
    SafeFile::setFailAfterBytesForTesting(-1);
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QCOMPARE(f.readData("t.txt"),
             diskFull ? QByteArray("//2024-3-3\r\n") : QByteArray("//2024-3-3\r\npaper\r\n\r\n"));
}

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
