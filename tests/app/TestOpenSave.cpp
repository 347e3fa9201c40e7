#include "FileSystemFaults.h"
#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/LongWork.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"
#include "platform/SafeFile.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>
#include <QTreeWidget>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

// Opening nodes from the tree, the modified flag and saving.
class TestOpenSave : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void openTitleState();
    void nodeStateOfClicks_data();
    void nodeStateOfClicks();
    void editSaveReopenIsByteExact();
    void largeTitleOpensWhilePainting_data();
    void largeTitleOpensWhilePainting();
    void oddFiles_data();
    void oddFiles();
    void changedOnDisk_data();
    void changedOnDisk();
    void secondProgramOnOneFolder();
    void unchangedTitleIsNotWritten();
    void groupShowsExplanation();
    void clickIntoEmptyTree_data();
    void clickIntoEmptyTree();
    void vanishedTitleIsNeverWritten();
    void readOnlyTitleFromLastRunSaves();
    void failedSaveKeepsOldFileAndStopsOpening();
    void saveIntoRemovedFolderThenClose();
    void closeWritesUnsavedChangesBeforeSweep();
};

void TestOpenSave::openTitleState()
{
    ProgramFixture f;
    f.writeData("Fruit.txt", "");
    f.start();
    f.click("Fruit");
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---Fruit"));
    QVERIFY(!f.editor()->isReadOnly());
    QVERIFY(!f.form1()->state().modified);
    QCOMPARE(f.form1()->state().openTitlePath, QString("\\Fruit.txt"));
    for (const char* n :
         {"Rename1", "Delete1", "ToolButtonStartOpen", "Startopen1", "AppendText1", "Export1"})
        QVERIFY2(f.enabled(n), n);
    QVERIFY(!f.enabled("Post1"));
    QVERIFY(!f.enabled("ToolButtonSave"));
    f.type("apple");
    QVERIFY(f.form1()->state().modified);
    QVERIFY(f.enabled("Post1"));
    QVERIFY(f.enabled("ToolButtonSave"));
    f.form1()->action("ToolButtonSave")->trigger();
    QVERIFY(!f.form1()->state().modified);
    QVERIFY(!f.enabled("Post1"));
}

void TestOpenSave::nodeStateOfClicks_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("groupPath");
    QTest::addColumn<QString>("displayFolder");
    QTest::addColumn<QString>("caption");
    QTest::newRow("top-level title") << "Top"
                                     << ""
                                     << "root"
                                     << "Morvane---Top";
    QTest::newRow("nested title") << "A/B/Deep"
                                  << "A\\B"
                                  << "\"A\\B\""
                                  << "Morvane---Deep";
    QTest::newRow("nested group") << "A/B"
                                  << "A\\B"
                                  << "\"A\\B\""
                                  << "Morvane";
}

void TestOpenSave::nodeStateOfClicks()
{
    QFETCH(QString, path);
    ProgramFixture f;
    f.writeData("Top.txt", "");
    f.writeData("A/B/Deep.txt", "");
    f.start();
    f.click(path);
    QTEST(f.form1()->state().node.groupPath, "groupPath");
    QTEST(f.form1()->state().node.displayFolder, "displayFolder");
    QTEST(f.form1()->windowTitle(), "caption");
}

void TestOpenSave::editSaveReopenIsByteExact()
{
    ProgramFixture f;
    const QByteArray original = "//Rule\r\n\r\n//2024-3-3\r\napple\r\n";
    f.writeData("g/Fruit.txt", original);
    f.start();
    f.click("g/Fruit");
    // Today's line is there: the opening only adds the empty line below the item.
    QCOMPARE(f.editor()->lines().constLast(), QString());
    f.type("pear\nplum");
    f.click("g"); // opening another node saves first
    QCOMPARE(f.readData("g/Fruit.txt"), original + "pear\r\nplum\r\n");
    f.click("g/Fruit");
    QCOMPARE(f.editor()->lines(),
             QStringList({"//Rule", "", "//2024-3-3", "apple", "pear", "plum", ""}));
}

// A title large enough to open in pieces, with whatever runs meanwhile: the
// window paints under a progress dialog, and the title counts as opened only
// once it is all there.
void TestOpenSave::largeTitleOpensWhilePainting_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("opened"); // the title open at the end
    QTest::newRow("nothing") << ""
                             << "Big";
    QTest::newRow("signal shutdown: nothing saved or copied") << "shutdown"
                                                              << "";
    QTest::newRow("queued click waits for the opening") << "click"
                                                        << "Other";
}

void TestOpenSave::largeTitleOpensWhilePainting()
{
    QFETCH(QString, meanwhile);
    ProgramFixture f;
    QStringList lines{"//2024-3-3"};
    for (int i = 0; i < 30000; ++i)
        lines << QString("item %1").arg(i % 2000);
    const QByteArray big = lines.join("\r\n").toUtf8() + "\r\n";
    f.writeData("Big.txt", big);
    f.writeData("Other.txt", "pear\r\n");
    f.start();
    f.click("Other");
    f.type("kiwi"); // unsaved: the opening saves it first
    bool ranMidway = false;
    f.whenProgressShows([&] {
        ranMidway = true;
        QCOMPARE(f.form1()->findChild<QProgressDialog*>()->labelText(),
                 QString("Opening Big\u2026"));
        QVERIFY(!f.form1()->state().openTitleLoaded);
        QVERIFY(!f.enabled("Post1")); // nothing to save while it fills
        if (meanwhile == "shutdown")
            f.form1()->shutdown(false);
        if (meanwhile == "click") {
            f.tree()->setCurrentItem(f.node("Other"));
            f.form1()->TreeView1Click();
        }
    });
    f.click("Big");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QVERIFY(ranMidway);
    QCOMPARE(LongWork::shownLabels(), QStringList{"Opening Big\u2026"});
    QTEST(f.form1()->state().openTitleLoaded ? f.form1()->state().node.titleName : "", "opened");
    QCOMPARE(f.readData("Big.txt"), big);
    QVERIFY(f.readData("Other.txt").endsWith("kiwi\r\n"));
    QVERIFY(QDir(f.home.path() + ".local/state/morvane/").entryList(QDir::Files).isEmpty());
    if (meanwhile == "click") // the editor holds the title that is open
        QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"pear", "//2024-3-3", "kiwi"}));
    if (meanwhile.isEmpty()) {
        QCOMPARE(f.editor()->lines(), lines + QStringList{""});
        QVERIFY(!f.form1()->state().modified);
        // The date line's empty line is the one step to undo: the text was not.
        f.editor()->undo();
        QCOMPARE(f.editor()->lines(), lines);
        QVERIFY(!f.editor()->document()->isUndoAvailable());
        // Thousands of slices take a while to draw, as the window paints.
        LongWork::clearShownLabels();
        f.form1()->PieChart1Click();
        QCOMPARE(LongWork::shownLabels(), QStringList{"Drawing the chart\u2026"});
        QVERIFY(f.program->formpic()->isVisible());
    }
}

namespace {
QByteArray utf16(const QString& text, bool le)
{
    QStringEncoder e(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
    return QByteArray(le ? "\xff\xfe" : "\xfe\xff", 2) + QByteArray(e.encode(text));
}
} // namespace

// Files as they come from elsewhere, opened, typed into and saved; "@fifo"
// and "@zero" make the title a link to a FIFO or to /dev/zero, "@dir" a folder.
void TestOpenSave::oddFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QString>("message");
    const QString day = "//2024-3-3\r\n";
    QTest::newRow("link to a FIFO")
        << "Pipe.txt" << QByteArray("@fifo") << "" << QByteArray() << "not a regular file";
    QTest::newRow("link to /dev/zero")
        << "Zero.txt" << QByteArray("@zero") << "" << QByteArray() << "not a regular file";
    QTest::newRow("folder named .txt")
        << "Dir.txt" << QByteArray("@dir") << "" << QByteArray() << "";
    QTest::newRow("UTF-16 LE") << "Le.txt" << utf16(day + "äpfel\r\n", true) << "€"
                               << utf16(day + "äpfel\r\n€\r\n", true) << "";
    QTest::newRow("UTF-16 BE") << "Be.txt" << utf16(day + "äpfel\r\n", false) << "€"
                               << utf16(day + "äpfel\r\n€\r\n", false) << "";
    QTest::newRow("legacy bytes, typed euro fits the code page")
        << "Old.txt" << QByteArray("//2024-3-3\r\ncaf\xe9\r\n\xd6\xd0\xce\xc4\r\n") << "5€"
        << QByteArray("//2024-3-3\r\ncaf\xe9\r\n\xd6\xd0\xce\xc4\r\n5\x80\r\n") << "";
    QTest::newRow("legacy bytes, typed character beyond it")
        << "Old.txt" << QByteArray("//2024-3-3\r\ncaf\xe9\r\n") << "5Ω"
        << QByteArray("//2024-3-3\r\ncaf\xc3\xa9\r\n5\xce\xa9\r\n") << "saved as UTF-8";
    QTest::newRow("separators inside lines")
        << "Sep.txt" << (day + "a\u2028b\u2029c\uFDD0d\u00a0e\r\n").toUtf8() << "f"
        << (day + "a\u2028b\u2029c\uFDD0d\u00a0e\r\nf\r\n").toUtf8() << "";
    // The characters the editor would hold its stand-ins as, in the title itself.
    QTest::newRow("separators and would-be stand-ins")
        << "Plane.txt" << (day + "a\u2029b\U0010FD00c\U0010FD01\r\n").toUtf8() << "d"
        << (day + "a\u2029b\U0010FD00c\U0010FD01\r\nd\r\n").toUtf8() << "";
    QTest::newRow("UTF-8 byte-order mark") << "Bom.txt" << ("\xef\xbb\xbf" + day).toUtf8() << "x"
                                           << ("\xef\xbb\xbf" + day + "x\r\n").toUtf8() << "";
    QTest::newRow("Upper.TXT") << "Upper.TXT" << day.toUtf8() << "x" << (day + "x\r\n").toUtf8()
                               << "";
    QTest::newRow("a line past the editor's limit")
        << "Long.txt" << (day + QString(30001, 'x')).toUtf8() << "" << QByteArray()
        << "The title \"Long\" holds a line of 30001 characters; lines of more than 30000 "
           "characters cannot be edited here, so it was not opened; its file is left as it is.";
    // Linked.txt has a second name outside the data folder, which sees every save.
    QTest::newRow("hard link") << "Linked.txt" << day.toUtf8() << "x" << (day + "x\r\n").toUtf8()
                               << "";
}

void TestOpenSave::oddFiles()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ProgramFixture f;
    const QString path = f.dataFolder() + file;
    QDir().mkpath(f.dataFolder());
    if (content == "@fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(f.docs.path() + "fifo").constData(), 0600) == 0);
        QVERIFY(QFile::link(f.docs.path() + "fifo", path));
    } else if (content == "@zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (content == "@dir") {
        QVERIFY(QDir().mkpath(path));
    } else {
        f.writeData(file, content);
    }
    const QString secondName = f.docs.path() + "also.txt";
    if (file == "Linked.txt")
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(secondName).constData()) == 0);
    f.start();
    const bool title = file.endsWith(".txt", Qt::CaseInsensitive) && content != "@dir";
    f.click(title ? file.chopped(4) : file);
    if (typed.isEmpty()) {
        QVERIFY(Dialogs::shownMessages().join('\n').contains(message));
        QCOMPARE(Dialogs::shownMessages().isEmpty(), message.isEmpty());
        return;
    }
    QCOMPARE(Dialogs::shownMessages(), QStringList());
    f.type(typed);
    QVERIFY(f.form1()->Post1Click());
    QTEST(f.readData(file), "saved");
    QVERIFY(Dialogs::shownMessages().join('\n').contains(message));
    // What the editor showed is what the next opening shows; nothing more is said.
    const QStringList shown = f.editor()->lines();
    f.click(file.chopped(4));
    QCOMPARE(f.editor()->lines(), shown + QStringList{""});
    f.type("y");
    QVERIFY(f.form1()->Post1Click());
    QCOMPARE(Dialogs::shownMessages().size(), message.isEmpty() ? 0 : 1);
    QCOMPARE(QDir(f.dataFolder()).entryList(QDir::Files), QStringList{file});
    if (file == "Linked.txt")
        QCOMPARE(f.docs.readFile("also.txt"), f.readData(file));
}

// Another program changed the open title before a click on another node saves it.
void TestOpenSave::changedOnDisk_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QByteArray>("fruit");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("report"); // when set: a report is asked for, not another title
    // The new file cannot be read by the user (mode 000): only "Keep both" or "Cancel".
    QTest::addColumn<bool>("unreadable");
    const QByteArray outside = "//2024-3-3\r\napple\r\noutside\r\n";
    const QByteArray mine = "//2024-3-3\r\napple\r\nmine\r\n";
    QTest::newRow("reload") << 0 << outside << QByteArray() << "Morvane---Other"
                            << "" << false;
    QTest::newRow("overwrite") << 1 << mine << QByteArray() << "Morvane---Other"
                               << "" << false;
    QTest::newRow("keep both") << 2 << outside << mine << "Morvane---Other"
                               << "" << false;
    QTest::newRow("closed: nothing saved") << -1 << outside << QByteArray() << "Morvane---Fruit"
                                           << "" << false;
    // -2 and -3: Enter and Escape pressed on the box itself, as a hurried user does.
    QTest::newRow("Enter keeps both") << -2 << outside << mine << "Morvane---Other"
                                      << "" << false;
    QTest::newRow("Escape: nothing saved") << -3 << outside << QByteArray() << "Morvane---Fruit"
                                           << "" << false;
    // 3: ended by a signal, nobody is asked and both are kept.
    QTest::newRow("unattended shutdown") << 3 << outside << mine << "Morvane---Fruit (2)"
                                         << "" << false;
    // The report counts what the editor holds after the answer, under its title.
    QTest::newRow("reload, report")
        << 0 << outside << QByteArray() << "Morvane---Fruit"
        << "statistics:\r\n   Fruit\r\n*1--50%--apple\r\n1--50%--outside\r\n"
        << false;
    QTest::newRow("keep both, report")
        << 2 << outside << mine << "Morvane---Fruit (2)"
        << "statistics:\r\n   Fruit (2)\r\n*1--50%--apple\r\n1--50%--mine\r\n"
        << false;
    QTest::newRow("unreadable, keep both") << 0 << outside << mine << "Morvane---Other"
                                           << "" << true;
    QTest::newRow("unreadable, cancel: nothing saved")
        << -1 << outside << QByteArray() << "Morvane---Fruit"
        << "" << true;
    QTest::newRow("unreadable, unattended shutdown")
        << 3 << outside << mine << "Morvane---Fruit (2)"
        << "" << true;
}

void TestOpenSave::changedOnDisk()
{
    QFETCH(int, choice);
    QFETCH(QString, report);
    QFETCH(bool, unreadable);
    ProgramFixture f;
    f.writeData("Fruit.txt", "//2024-3-3\r\napple\r\n");
    f.writeData("Other.txt", "");
    f.start();
    f.click("Fruit");
    f.type("mine");
    const QString fruit = f.writeData("Fruit.txt", "//2024-3-3\r\napple\r\noutside\r\n");
    std::optional<PermissionsBind> asUser;
    if (unreadable) {
        QVERIFY(QFile::setPermissions(fruit, {}));
        asUser.emplace();
    }
    const bool byKey = choice <= -2;
    if (byKey) {
        f.pressOnBoxes(choice == -2 ? Qt::Key_Return : Qt::Key_Escape, 1);
        choice = choice == -2 ? 2 : -1;
    } else {
        Dialogs::setNextChoice(choice);
    }
    if (choice == 3) {
        f.form1()->shutdown(false);
    } else if (!report.isEmpty()) {
        QVERIFY(f.form1()->BitBtn8Click() && f.program->formpic()->Button1Click());
        const QRegularExpression total(QRegularExpression::wildcardToRegularExpression(
            report, QRegularExpression::UnanchoredWildcardConversion));
        QVERIFY2(total.match(f.readData("Total.tol")).hasMatch(), f.readData("Total.tol"));
        // The tree shows the title the caption names.
        QCOMPARE(f.tree()->currentItem()->text(0), f.form1()->windowTitle().mid(10));
        return;
    } else {
        f.click("Other");
    }
    asUser.reset();
    QCOMPARE(f.scriptBoxes(), byKey ? 1 : 0);
    QCOMPARE(Dialogs::shownMessages().size(), choice == 3 || byKey ? 0 : 1);
    QVERIFY(Dialogs::shownMessages().join(' ').contains("changed on disk") || choice == 3 || byKey);
    QTEST(f.readData("Fruit.txt"), "fruit");
    QTEST(f.readData("Fruit (2).txt"), "copy");
    QTEST(f.form1()->windowTitle(), "caption");
    QCOMPARE(f.node("Fruit (2)") != nullptr, QFile::exists(f.dataFolder() + "Fruit (2).txt"));
    if (choice < 0 || choice == 3 || unreadable)
        return;
    // Our own saves are not taken for changes made outside.
    Dialogs::clearShownMessages();
    f.click(choice == 2 ? "Fruit (2)" : "Fruit");
    f.type("more");
    f.click("Other");
    f.click(choice == 2 ? "Fruit (2)" : "Fruit");
    f.type("again");
    f.click("Other");
    QCOMPARE(Dialogs::shownMessages(), QStringList());
    if (choice != 2)
        return;
    // The new title is a title like any other: renamed from the menu, it opens again.
    f.click("Fruit (2)");
    f.form1()->action("Rename1")->trigger();
    QLineEdit* edit = nullptr;
    QTRY_VERIFY((edit = f.tree()->findChild<QLineEdit*>()) && edit->isVisible());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, "Kept");
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY(f.node("Kept"));
    f.click("Other");
    f.click("Kept");
    QVERIFY(f.editor()->lines().contains("again"));
    QCOMPARE(Dialogs::shownMessages(), QStringList());
}

void TestOpenSave::secondProgramOnOneFolder()
{
    ProgramFixture f;
    f.writeData("t.txt", "");
    f.start();
    Program second(f.options);
    second.start();
    QVERIFY(Dialogs::shownMessages().join(' ').contains("already running"));
    QTRY_VERIFY(!second.form1()->isVisible());
    second.form1()->close();
    // The first still owns the folder: nothing was swept read-only under it.
    QVERIFY(QFileInfo(f.dataFolder() + "t.txt").permissions() & QFile::WriteOwner);
}

void TestOpenSave::unchangedTitleIsNotWritten()
{
    ProgramFixture f;
    f.writeData("Empty.txt", "");
    f.start();
    f.click("Empty");
    QCOMPARE(f.editor()->lines(), QStringList({"//2024-3-3", ""}));
    QCOMPARE(f.editor()->textCursor().blockNumber(), 1);
    f.stop();
    QCOMPARE(f.readData("Empty.txt"), QByteArray());
}

void TestOpenSave::groupShowsExplanation()
{
    ProgramFixture f;
    f.writeData("g/t.txt", "");
    f.start();
    f.click("g/t");
    f.type("x");
    f.click("g");
    QCOMPARE(f.readData("g/t.txt"), QByteArray("//2024-3-3\r\nx\r\n"));
    QCOMPARE(f.editor()->lines().size(), 8);
    QCOMPARE(f.editor()->lines().constFirst(), QString("//This is a title group"));
    QCOMPARE(f.editor()->lines().constLast(), QString("//Please click File->Delete"));
    QVERIFY(f.editor()->isReadOnly());
    QCOMPARE(f.clickList()->count(), 0);
    for (const char* n : {"Post1", "ToolButtonStartOpen", "Startopen1", "AppendText1", "Export1"})
        QVERIFY2(!f.enabled(n), n);
    QVERIFY(f.enabled("Rename1"));
    QVERIFY(f.form1()->Post1Click());
    QVERIFY(!QFileInfo::exists(f.dataFolder() + "g.txt"));
}

void TestOpenSave::clickIntoEmptyTree_data()
{
    QTest::addColumn<bool>("titles");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no node at all")
        << false
        << QStringList{"There is no title , please click File->New Title to create a title at "
                       "first! "};
    QTest::newRow("below the last node, a title open") << true << QStringList{};
}

void TestOpenSave::clickIntoEmptyTree()
{
    QFETCH(bool, titles);
    ProgramFixture f;
    QDir().mkpath(f.dataFolder());
    if (titles) {
        f.writeData("a.txt", "");
        f.writeData("b.txt", "");
    }
    f.start();
    if (titles)
        f.click("a");
    const QRect last = f.tree()->visualItemRect(f.node(titles ? "b" : ""));
    const QPoint below(10, last.bottom() + 20);
    QVERIFY(!f.tree()->itemAt(below));
    QTest::mouseClick(f.tree()->viewport(), Qt::LeftButton, {}, below);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QTEST(Dialogs::shownMessages(), "messages");
    QCOMPARE(f.enabled("Rename1"), titles);
    if (titles) {
        QCOMPARE(f.tree()->selectedItems(), QList<QTreeWidgetItem*>{f.node("a")});
        QCOMPARE(f.form1()->windowTitle(), QString("Morvane---a"));
    }
}

void TestOpenSave::vanishedTitleIsNeverWritten()
{
    ProgramFixture f;
    const QString path = f.writeData("g/Gone.txt", "keep\r\n");
    f.writeData("g/Other.txt", "");
    f.start();
    QFile::remove(path);
    f.click("g/Gone");
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    QVERIFY(Dialogs::shownMessages().constFirst().contains("Gone.txt"));
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---Gone"));
    QVERIFY(f.editor()->lines().isEmpty());
    QVERIFY(!f.form1()->state().modified);
    QVERIFY(!f.enabled("Post1"));
    QVERIFY(f.form1()->Post1Click());
    f.click("g/Other");
    f.stop();
    QVERIFY(!QFileInfo::exists(path));

    // A file that comes back is not overwritten with nothing either.
    ProgramFixture g;
    const QString back = g.writeData("Back.txt", "");
    g.start();
    QFile::remove(back);
    g.click("Back");
    g.writeData("Back.txt", "restored\r\n");
    g.stop();
    QCOMPARE(g.readData("Back.txt"), QByteArray("restored\r\n"));
}

void TestOpenSave::readOnlyTitleFromLastRunSaves()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    f.start();
    f.stop(); // leaves everything read-only
    QVERIFY(!(QFileInfo(f.dataFolder() + "t.txt").permissions() & QFile::WriteOwner));
    f.start();
    f.click("t");
    f.type("apple");
    QVERIFY(f.form1()->Post1Click());
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\napple\r\n"));
}

void TestOpenSave::failedSaveKeepsOldFileAndStopsOpening()
{
    ProgramFixture f;
    f.writeData("a.txt", "//2024-3-3\r\nold\r\n");
    f.writeData("b.txt", "");
    f.start();
    f.click("a");
    f.type("new");
    SafeFile::setFailAfterBytesForTesting(4); // the disk is full
    f.click("b");
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    QVERIFY(Dialogs::shownMessages().constFirst().contains("No space left"));
    // Still on a, still modified, old file intact.
    QCOMPARE(f.form1()->windowTitle(), QString("Morvane---a"));
    QVERIFY(f.form1()->state().modified);
    QVERIFY(f.enabled("Post1"));
    QCOMPARE(f.readData("a.txt"), QByteArray("//2024-3-3\r\nold\r\n"));
    SafeFile::setFailAfterBytesForTesting(-1);
    QVERIFY(f.form1()->Post1Click());
    QCOMPARE(f.readData("a.txt"), QByteArray("//2024-3-3\r\nold\r\nnew\r\n"));
}

void TestOpenSave::saveIntoRemovedFolderThenClose()
{
    ProgramFixture f;
    f.writeData("g/t.txt", "");
    f.start();
    f.click("g/t");
    f.type("x");
    QVERIFY(QDir(f.dataFolder()).removeRecursively());
    QVERIFY(!f.form1()->Post1Click());
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    // Refusing to lose the changes keeps the window open; agreeing closes it.
    Dialogs::setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!f.form1()->close());
    QVERIFY(f.form1()->isVisible());
    Dialogs::setNextAnswer(Dialogs::Answer::Yes);
    QVERIFY(f.form1()->close());
    QVERIFY(!QFileInfo::exists(f.dataFolder() + "g/t.txt"));
}

void TestOpenSave::closeWritesUnsavedChangesBeforeSweep()
{
    ProgramFixture f;
    f.writeData("t.txt", "");
    f.start();
    f.click("t");
    f.type("apple");
    f.stop();
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\napple\r\n"));
    QVERIFY(!(QFileInfo(f.dataFolder() + "t.txt").permissions() & QFile::WriteOwner));
}

QTEST_MAIN(TestOpenSave)
#include "TestOpenSave.moc"
