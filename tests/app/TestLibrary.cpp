#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"
#include "app/TFormOpt.h"
#include "app/TFormpic.h"
#include "platform/Shell.h"

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <unistd.h>

// Creating, renaming and deleting titles and groups; the default title; the
// documents page.
class TestLibrary : public QObject
{
    Q_OBJECT
private slots:
    void init() { Dialogs::clearShownMessages(); }
    void newPages_data();
    void newPages();
    void renameInPlace_data();
    void renameInPlace();
    void openTitleFollowsRenames();
    void deleting_data();
    void deleting();
    void defaultToggleAndStartPage_data();
    void defaultToggleAndStartPage();
    void startupLookup_data();
    void startupLookup();
    void documentsPage();
};

namespace {
// A library with a nested group, a top-level title and a group named like a title.
void writeLibrary(ProgramFixture& f)
{
    f.writeData("A/t.txt", "t\r\n");
    f.writeData("A/T2.txt", "");
    f.writeData("A/B/abc.txt", "");
    f.writeData("AB/x.txt", "");
    f.writeData("Top.txt", "");
    f.writeData("Upper.TXT", "");
}

QList<QRadioButton*> radios(QWidget* window, const QString& box)
{
    return window->findChild<QGroupBox*>(box)->findChildren<QRadioButton*>();
}

// Clicks a radio item on its circle, where the user clicks.
void clickRadio(QRadioButton* item)
{
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
}

// Types over the whole text of a line edit, as the user does.
void retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}
} // namespace

void TestLibrary::newPages_data()
{
    QTest::addColumn<bool>("group");
    QTest::addColumn<QString>("clicked"); // node clicked first, empty for none
    QTest::addColumn<QString>("item1");
    QTest::addColumn<int>("placement");
    QTest::addColumn<QString>("typed"); // null: the text box untouched
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("created");
    const QString none;
    QTest::newRow("title, cleaned, in the clicked title's group")
        << false << "A/t"
        << "Establish to the \"A\" Catalogue" << 1 << " a:b?c "
        << ""
        << "A/abc.txt";
    QTest::newRow("untouched name, nothing clicked yet")
        << false << ""
        << "Establish to the  Catalogue" << 1 << none << ""
        << "Please input new title name in here.txt";
    QTest::newRow("title exists in another case")
        << false << "A/B"
        << "Establish to the \"A\\B\" Catalogue" << 1 << "ABC"
        << "This title has already existed."
        << "";
    QTest::newRow("dot dot refused")
        << false << "Top"
        << "Establish to the root Catalogue" << 0 << ".."
        << "Must iuput new name,and the name can't include one of any characters the following "
           ": ? : \" \\ /< > * |  "
        << "";
    QTest::newRow("other catalogues: nothing") << false << "Top"
                                               << "Establish to the root Catalogue" << 2 << "n"
                                               << ""
                                               << "";
    QTest::newRow("group at the root") << true << "A/t"
                                       << "Establish to the \"A\" Catalogue" << 0 << "G"
                                       << ""
                                       << "G";
    QTest::newRow("group in the clicked group") << true << "A/B"
                                                << "Establish to the \"A\\B\" Catalogue" << 1 << "G"
                                                << ""
                                                << "A/B/G";
    QTest::newRow("group exists in another case") << true << "A/t"
                                                  << "Establish to the \"A\" Catalogue" << 0 << "ab"
                                                  << "This title group has already existed."
                                                  << "";
}

void TestLibrary::newPages()
{
    QFETCH(bool, group);
    QFETCH(QString, clicked);
    QFETCH(QString, item1);
    QFETCH(int, placement);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, created);
    ProgramFixture f;
    writeLibrary(f);
    f.start();
    if (!clicked.isEmpty())
        f.click(clicked);
    TFormpic* pic = f.program->formpic();
    f.form1()->action(group ? "ToolButtonGroup" : "ToolButton2")->trigger();
    QVERIFY(pic->isVisible());
    QCOMPARE(pic->windowTitle(), group ? QString("Please input new title group name")
                                       : QString("Please input new title name"));
    const QList<QRadioButton*> items = radios(pic, group ? "RadioGroup2" : "RadioGroup3");
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->text(), group ? QString("Establish to the root catalogue")
                                     : QString("Establish to the root catalogue "));
    QCOMPARE(items[1]->text(), item1);
    QCOMPARE(items[2]->text(),
             QString("Establish to other catalogues, please click to choose it at first "));
    QVERIFY(items[1]->isChecked()); // the initial choice
    auto* edit = pic->findChild<QLineEdit*>(group ? "Edit3" : "Edit1");
    QTRY_VERIFY(edit->hasFocus());
    // The page opens with the old text selected: typing replaces it.
    if (!typed.isNull())
        QTest::keyClicks(edit, typed);
    clickRadio(items[placement]);
    const QStringList before = QDir(f.dataFolder()).entryList();
    // Enter in the name box is the same as OK (tried on the group rows).
    if (group)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(pic->button("Button7"), Qt::LeftButton);
    QCOMPARE(Dialogs::shownMessages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(pic->isVisible(), !message.isEmpty());
    if (!created.isEmpty()) {
        QVERIFY(QFileInfo::exists(f.dataFolder() + created));
        QVERIFY(f.node(QString(created).remove(".txt")));
    } else if (placement == 0) {
        QCOMPARE(QDir(f.dataFolder()).entryList(), before);
    }
    // Cancel only hides the page; the typed text stays for the next time.
    f.form1()->action(group ? "NewTitleGroup1" : "New1")->trigger();
    QTest::mouseClick(pic->button(group ? "Button3" : "Button8"), Qt::LeftButton);
    QVERIFY(!pic->isVisible());
    if (!typed.isNull())
        QCOMPARE(edit->text(), typed);
}

void TestLibrary::renameInPlace_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("defaultBefore");
    QTest::addColumn<QString>("exists"); // afterwards
    QTest::addColumn<QByteArray>("defaultAfter");
    QTest::addColumn<QString>("nodeAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("default title") << "A/t"
                                   << "u" << int(Qt::Key_Return) << QByteArray("t\r\nA\r\n")
                                   << "A/u.txt" << QByteArray("u\r\nA\r\n") << "A/u"
                                   << "";
    QTest::newRow("group holding the default, nested")
        << "A"
        << "Z" << int(Qt::Key_Return) << QByteArray("abc\r\nA\\B\r\n") << "Z/B/abc.txt"
        << QByteArray("abc\r\nZ\\B\r\n") << "Z/B/abc"
        << "";
    QTest::newRow("a sibling group starting the same is not moved")
        << "A"
        << "Q" << int(Qt::Key_Return) << QByteArray("x\r\nAB\r\n") << "AB/x.txt"
        << QByteArray("x\r\nAB\r\n") << "Q/t"
        << "";
    QTest::newRow("letter case only")
        << "A/t"
        << "T" << int(Qt::Key_Return) << QByteArray() << "A/T.txt" << QByteArray() << "A/T"
        << "";
    QTest::newRow("name taken by another title")
        << "A/t"
        << "t2" << int(Qt::Key_Return) << QByteArray() << "A/t.txt" << QByteArray() << "A/t"
        << "This title has already existed.";
    QTest::newRow("name taken by another group")
        << "AB"
        << "a" << int(Qt::Key_Return) << QByteArray() << "AB/x.txt" << QByteArray() << "AB/x"
        << "This title group has already existed.";
    QTest::newRow("refused name keeps the text")
        << "Top"
        << " ? " << int(Qt::Key_Return) << QByteArray() << "Top.txt" << QByteArray() << "Top"
        << "Must iuput new name,and the name can't include one of any characters the following "
           ": ? : \" \\ /< > * |  ";
    QTest::newRow("escape changes nothing")
        << "Top"
        << "New" << int(Qt::Key_Escape) << QByteArray() << "Top.txt" << QByteArray() << "Top"
        << "";
}

void TestLibrary::renameInPlace()
{
    QFETCH(QString, node);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QByteArray, defaultBefore);
    QFETCH(QString, exists);
    QFETCH(QByteArray, defaultAfter);
    QFETCH(QString, nodeAfter);
    QFETCH(QString, message);
    ProgramFixture f;
    writeLibrary(f);
    if (!defaultBefore.isEmpty())
        f.writeData("defaultfile.cnt", defaultBefore);
    f.start();
    f.click(node);
    f.form1()->action("Rename1")->trigger();
    QLineEdit* edit = nullptr;
    QTRY_VERIFY((edit = f.tree()->findChild<QLineEdit*>()) && edit->isVisible());
    retype(edit, typed);
    QTest::keyClick(edit, Qt::Key(key));
    // The rename runs once the in-place editor has closed.
    QTRY_VERIFY(f.node(nodeAfter));
    QTRY_COMPARE(Dialogs::shownMessages(),
                 message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(QFileInfo::exists(f.dataFolder() + exists));
    if (!defaultAfter.isEmpty())
        QCOMPARE(f.readData("defaultfile.cnt"), defaultAfter);
    // The siblings stay in order, and no two of them show one name.
    QTreeWidgetItem* n = f.node(nodeAfter);
    QTreeWidgetItem* parent = n->parent();
    for (int i = 1; parent && i < parent->childCount(); ++i)
        QVERIFY(parent->child(i - 1)->text(0).compare(parent->child(i)->text(0),
                                                      Qt::CaseInsensitive) < 0);
    for (int i = 1; i < f.tree()->topLevelItemCount(); ++i)
        QVERIFY(f.tree()->topLevelItem(i - 1)->text(0).compare(f.tree()->topLevelItem(i)->text(0),
                                                               Qt::CaseInsensitive) < 0);
}

void TestLibrary::openTitleFollowsRenames()
{
    ProgramFixture f;
    writeLibrary(f);
    f.start();
    f.click("A/B/abc");
    f.type("kiwi");
    // The selection moves with the keyboard to the group A before renaming it.
    f.tree()->setFocus();
    f.tree()->setCurrentItem(f.node("A/B"));
    QTest::keyClick(f.tree(), Qt::Key_Up);
    QCOMPARE(f.tree()->currentItem()->text(0), QString("A"));
    QTest::keyClick(f.tree(), Qt::Key_F2);
    QLineEdit* edit = nullptr;
    QTRY_VERIFY((edit = f.tree()->findChild<QLineEdit*>()) && edit->isVisible());
    retype(edit, "Renamed");
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY(f.node("Renamed/B/abc"));
    // The open title is still open and saves into the renamed folder.
    f.form1()->action("Post1")->trigger();
    QVERIFY(f.readData("Renamed/B/abc.txt").contains("kiwi"));
    QVERIFY(!QFileInfo::exists(f.dataFolder() + "A"));
    // Renaming the open title itself follows it too.
    f.tree()->setCurrentItem(f.node("Renamed/B/abc"));
    f.form1()->Rename1Click();
    QTRY_VERIFY((edit = f.tree()->findChild<QLineEdit*>()) && edit->isVisible());
    retype(edit, "fruit");
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_COMPARE(f.form1()->windowTitle(), QString("Morvane---fruit"));
    f.type("\nplum");
    f.form1()->action("Post1")->trigger();
    QVERIFY(f.readData("Renamed/B/fruit.txt").contains("plum"));
    // Clicked again after another title, the renamed node opens its file.
    f.click("Top");
    f.click("Renamed/B/fruit");
    QCOMPARE(Dialogs::shownMessages(), QStringList());
    QVERIFY(f.editor()->lines().contains("plum"));
    QVERIFY(!f.editor()->isReadOnly());
}

void TestLibrary::deleting_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("target"); // empty: nothing selected
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("noTitleState");
    using A = Dialogs::Answer;
    QTest::newRow("a title") << "Top"
                             << "A/t" << QList<int>{int(A::Yes)} << QStringList{"A/t.txt"}
                             << QStringList{"A/B/abc.txt", "Top.txt"}
                             << QStringList{"Really must you delete t? "} << false;
    QTest::newRow("extension in capitals")
        << "Top"
        << "Upper" << QList<int>{int(A::Yes)} << QStringList{"Upper.TXT"} << QStringList{"Top.txt"}
        << QStringList{"Really must you delete Upper? "} << false;
    QTest::newRow("answer no") << "Top"
                               << "A/t" << QList<int>{int(A::No)} << QStringList{}
                               << QStringList{"A/t.txt"}
                               << QStringList{"Really must you delete t? "} << false;
    QTest::newRow("a group with sub-groups, holding the open title")
        << "A/B/abc"
        << "A" << QList<int>{int(A::Yes)} << QStringList{"A"} << QStringList{"AB/x.txt"}
        << QStringList{"Really must you delete A? ", "DATAA"} << true;
    QTest::newRow("the open title")
        << "Top"
        << "Top" << QList<int>{int(A::Yes)} << QStringList{"Top.txt"} << QStringList{"A/t.txt"}
        << QStringList{"Really must you delete Top? "} << true;
    QTest::newRow("nothing selected: all documents")
        << "Top"
        << "" << QList<int>{int(A::Yes), int(A::Yes)} << QStringList{""} << QStringList{}
        << QStringList{"Really must you delete All title? ",
                       "You really must delete all documents? ", "It is successful to delete "}
        << true;
    // -1: Enter pressed on the real box. A hurried second Enter finds no box.
    QTest::newRow("nothing selected, Enter twice: nothing deleted")
        << "Top"
        << "" << QList<int>{-1, -1} << QStringList{} << QStringList{"Top.txt", "A/t.txt"}
        << QStringList{} << false;
    QTest::newRow("a title, Enter: kept") << "Top"
                                          << "A/t" << QList<int>{-1} << QStringList{}
                                          << QStringList{"A/t.txt"} << QStringList{} << false;
    QTest::newRow("all documents, second answer no")
        << "Top"
        << "" << QList<int>{int(A::Yes), int(A::No)} << QStringList{} << QStringList{"Top.txt"}
        << QStringList{"Really must you delete All title? ",
                       "You really must delete all documents? "}
        << false;
}

void TestLibrary::deleting()
{
    QFETCH(QString, opened);
    QFETCH(QString, target);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, kept);
    QFETCH(QStringList, messages);
    QFETCH(bool, noTitleState);
    ProgramFixture f;
    writeLibrary(f);
    f.start();
    f.click(opened);
    f.type("typed");
    if (target.isEmpty()) {
        f.form1()->rebuildTree();
    } else {
        // Reached with the keyboard: the state is that of the selected node.
        f.tree()->setCurrentItem(f.node(target));
    }
    const bool byEnter = answers.first() < 0;
    if (byEnter)
        f.pressOnBoxes(Qt::Key_Return, int(answers.size()));
    for (int a : answers)
        if (a >= 0)
            Dialogs::setNextAnswer(Dialogs::Answer(a));
    f.form1()->action("Delete1")->trigger();
    QCOMPARE(f.scriptBoxes(), byEnter ? 1 : 0);
    for (const QString& g : gone)
        QVERIFY2(!QFileInfo::exists(f.dataFolder() + g), qPrintable(g));
    for (const QString& k : kept)
        QVERIFY2(QFileInfo::exists(f.dataFolder() + k), qPrintable(k));
    const QString data = QDir::cleanPath(f.dataFolder());
    QCOMPARE(Dialogs::shownMessages(), messages.replaceInStrings("DATA", data + "/"));
    QCOMPARE(f.form1()->windowTitle() == "Morvane---Please click a title to start.", noTitleState);
    // The hotkey column widens again for its placeholders "Hotkey" and "[Ctrl]+".
    QListWidget* hotkeys = f.hotkeys();
    for (int i = 0; noTitleState && i < hotkeys->count(); ++i)
        QVERIFY(hotkeys->fontMetrics().horizontalAdvance(hotkeys->item(i)->text()) <
                hotkeys->viewport()->width());
    if (answers.first() == int(Dialogs::Answer::Yes))
        QVERIFY(!f.tree()->currentItem());
    // Closing never writes a deleted title back.
    f.stop();
    for (const QString& g : gone)
        QVERIFY2(!QFileInfo::exists(f.dataFolder() + g), qPrintable(g));
}

void TestLibrary::defaultToggleAndStartPage_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("image");
    QTest::addColumn<QByteArray>("after"); // empty: no file
    QTest::newRow("open title is the default")
        << QByteArray("abc\r\nA\\B\r\n") << 0 << "StopStart" << 32 << QByteArray("abc\r\nA\\B\r\n");
    QTest::newRow("no default: empty file deleted")
        << QByteArray("") << 1 << "StartOpen" << 30 << QByteArray();
    QTest::newRow("another title is the default")
        << QByteArray("Top\r\n\r\n") << -1 << "Default" << 46 << QByteArray("Top\r\n\r\n");
}

void TestLibrary::defaultToggleAndStartPage()
{
    QFETCH(QByteArray, before);
    QFETCH(int, checked);
    QFETCH(QString, caption);
    QFETCH(int, image);
    QFETCH(QByteArray, after);
    ProgramFixture f;
    writeLibrary(f);
    f.writeData("defaultfile.cnt", before);
    f.start();
    f.click("A/B/abc");
    QAction* button = f.form1()->action("ToolButtonStartOpen");
    QCOMPARE(button->data().toInt(), checked == 0 ? 45 : 46);
    f.form1()->action("Startopen1")->trigger();
    TFormpic* pic = f.program->formpic();
    QCOMPARE(pic->windowTitle(), QString("start open"));
    QCOMPARE(pic->findChild<QLabel*>("LabelStartOpen")->text(), QString("A\\B\\abc"));
    const QList<QRadioButton*> items = radios(pic, "RadioGroup4");
    QCOMPARE(items[0]->isChecked(), checked == 0);
    QCOMPARE(items[1]->isChecked(), checked == 1);
    QCOMPARE(button->text(), caption);
    QCOMPARE(f.form1()->action("Startopen1")->text(), caption);
    QCOMPARE(button->data().toInt(), image);
    QCOMPARE(f.docs.exists("Morvane/defaultfile.cnt"), !after.isEmpty());
    if (!after.isEmpty())
        QCOMPARE(f.readData("defaultfile.cnt"), after);
    // Choosing with the mouse.
    clickRadio(items[0]);
    QCOMPARE(f.readData("defaultfile.cnt"), QByteArray("abc\r\nA\\B\r\n"));
    QCOMPARE(button->text(), QString("StopStart"));

    // The toggle: marking another title replaces the default; unmarking deletes the file.
    f.click("Top");
    QCOMPARE(button->toolTip(), QString("Open when this software starts"));
    button->trigger();
    QCOMPARE(f.readData("defaultfile.cnt"), QByteArray("Top\r\n\r\n"));
    QCOMPARE(button->data().toInt(), 45);
    QCOMPARE(button->toolTip(), QString("Close:Open when this software starts"));
    button->trigger();
    QVERIFY(!f.docs.exists("Morvane/defaultfile.cnt"));
    QCOMPARE(button->data().toInt(), 46);
}

void TestLibrary::startupLookup_data()
{
    QTest::addColumn<QByteArray>("defaultFile");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fileKept");
    QTest::newRow("same name in two groups and a group")
        << QByteArray("Same\r\nG2\r\n") << "Morvane---Same"
        << "two" << true;
    QTest::newRow("not found: nothing opens, the file stays")
        << QByteArray("Same\r\nGone\r\n") << "Morvane---Please click a title to start."
        << "" << true;
    QTest::newRow("unreadable: the file goes, nothing is said")
        << QByteArray("Locked\r\n\r\n") << "Morvane---Please click a title to start."
        << "" << false;
}

void TestLibrary::startupLookup()
{
    QFETCH(QByteArray, defaultFile);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(bool, fileKept);
    if (!fileKept && geteuid() == 0)
        QSKIP("every file is readable for root");
    ProgramFixture f;
    f.writeData("G1/Same.txt", "one\r\n");
    f.writeData("G2/Same.txt", "two\r\n");
    f.writeData("Same/x.txt", "");
    QFile::setPermissions(f.writeData("Locked.txt", "l\r\n"), QFileDevice::WriteOwner);
    f.writeData("defaultfile.cnt", defaultFile);
    f.start();
    QCOMPARE(f.form1()->windowTitle(), caption);
    if (!text.isEmpty())
        QVERIFY(f.editor()->toPlainText().startsWith(text));
    QCOMPARE(f.docs.exists("Morvane/defaultfile.cnt"), fileKept);
    QCOMPARE(Dialogs::shownMessages(), QStringList());
}

void TestLibrary::documentsPage()
{
    ProgramFixture f;
    writeLibrary(f);
    f.start();
    f.click("Top");
    QStringList opened;
    Shell::setOpenHandlerForTesting([&](const QString& target) {
        opened << target;
        return true;
    });
    f.form1()->action("Uninstall1")->trigger();
    TFormOpt* opt = f.program->formOpt();
    QVERIFY(opt->isVisible());
    QCOMPARE(opt->windowTitle(), QString("Uninstall Morvane"));
    auto* label8 = opt->findChild<QLabel*>("Label8");
    QCOMPARE(label8->text(), f.dataFolder());
    QTest::mouseClick(label8, Qt::LeftButton);
    QTest::mouseClick(opt->findChild<QLabel*>("Label10"), Qt::LeftButton);
    Shell::setOpenHandlerForTesting({});
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], f.dataFolder());
    QVERIFY(opened[1].endsWith('/'));

    auto* deleteNow = opt->findChild<QPushButton*>("BitBtn3");
    Dialogs::setNextAnswer(Dialogs::Answer::No);
    QTest::mouseClick(deleteNow, Qt::LeftButton);
    QVERIFY(QFileInfo::exists(f.dataFolder() + "Top.txt"));
    Dialogs::clearShownMessages();
    QTest::mouseClick(deleteNow, Qt::LeftButton);
    QVERIFY(!QFileInfo::exists(f.dataFolder()));
    QCOMPARE(Dialogs::shownMessages(), (QStringList{"You really must delete all documents? ",
                                                    "It is successful to delete "}));
    // The open title stays; saving it reports the missing folder and creates nothing.
    f.type("x");
    f.form1()->action("Post1")->trigger();
    QCOMPARE(Dialogs::shownMessages().size(), 3);
    QVERIFY(!QFileInfo::exists(f.dataFolder()));
    // New titles report it too.
    f.form1()->action("New1")->trigger();
    QTest::mouseClick(f.program->formpic()->button("Button7"), Qt::LeftButton);
    QCOMPARE(Dialogs::shownMessages().size(), 4);
    QTest::mouseClick(opt->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    QVERIFY(!opt->isVisible());
    f.stop();
    QVERIFY(!QFileInfo::exists(f.dataFolder()));
}

QTEST_MAIN(TestLibrary)
#include "TestLibrary.moc"
