#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTextBlock>

// Typing in the entry editor: date lines, the click list, hotkeys, edit commands.
class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void dateLineOnOpening_data();
    void dateLineOnOpening();
    void enterCollectsItems();
    void enterInMiddleOfLineCollectsPartBefore();
    void ctrlVCollectsWithoutNewHotkeys();
    void menuPasteReassignsHotkeys();
    void hotkeyWinsOverPaste();
    void hotkeyMenuKeepsCaptions();
    void clickListPutsItemAtCaret();
    void groupTakesNoItems();
    void dateLineProtection();
    void enablingFollowsClickList();
};

static QStringList texts(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

static void caretToLine(EntryEditor* editor, int line)
{
    QTextCursor c(editor->document()->findBlockByNumber(line));
    editor->setTextCursor(c);
}

void TestEditing::dateLineOnOpening_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty title") << QByteArray() << QStringList{"//2024-3-3", ""};
    QTest::newRow("below a trailing item") << QByteArray("//2024-3-1\r\napple\r\n")
                                           << QStringList{"//2024-3-1", "apple", "//2024-3-3", ""};
    QTest::newRow("today present above items")
        << QByteArray("//2024-3-3\r\napple\r\n") << QStringList{"//2024-3-3", "apple", ""};
    QTest::newRow("today present, ends empty")
        << QByteArray("//2024-3-3\r\n\r\n") << QStringList{"//2024-3-3", ""};
    QTest::newRow("other format is another line")
        << QByteArray("//3/3/2024\r\n") << QStringList{"//3/3/2024", "//2024-3-3", ""};
}

void TestEditing::dateLineOnOpening()
{
    QFETCH(QByteArray, file);
    ProgramFixture f;
    f.writeData("t.txt", file);
    f.start();
    f.click("t");
    QTEST(f.editor()->lines(), "lines");
    QVERIFY(!f.form1()->state().modified);
    QCOMPARE(f.editor()->textCursor().position(), f.editor()->document()->characterCount() - 1);
    // Opening again the same day adds nothing more.
    f.click("t");
    QTEST(f.editor()->lines(), "lines");
    f.stop();
    QCOMPARE(f.readData("t.txt"), file);
}

void TestEditing::enterCollectsItems()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nBanana\r\n");
    f.start();
    f.click("t");
    QCOMPARE(texts(f.clickList()), QStringList{"Banana"});
    f.type("  Apple  \n//note\napple\n");
    QCOMPARE(texts(f.clickList()), QStringList({"Apple", "apple", "Banana"}));
    QCOMPARE(texts(f.hotkeys()), QStringList({"A", "P", "B"}));
    QCOMPARE(f.form1()->findChild<QMenu*>("hotkey1")->actions().size(), 3);
}

void TestEditing::enterInMiddleOfLineCollectsPartBefore()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    f.start();
    f.click("t");
    f.type("pearplum");
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(f.editor(), Qt::Key_Left);
    QTest::keyClick(f.editor(), Qt::Key_Return);
    QCOMPARE(texts(f.clickList()), QStringList{"pear"});
    QCOMPARE(f.editor()->lines().mid(1), QStringList({"pear", "plum"}));
}

void TestEditing::ctrlVCollectsWithoutNewHotkeys()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nzebra\r\n");
    f.start();
    f.click("t");
    QCOMPARE(texts(f.hotkeys()), QStringList{"Z"});
    QGuiApplication::clipboard()->setText("kiwi\nlime\nzebra\n");
    QTest::keyClick(f.editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(texts(f.clickList()), QStringList({"kiwi", "lime", "zebra"}));
    QCOMPARE(texts(f.hotkeys()), QStringList{"Z"});
    QVERIFY(f.form1()->state().modified);
}

void TestEditing::menuPasteReassignsHotkeys()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nzebra\r\n");
    f.start();
    f.click("t");
    QGuiApplication::clipboard()->setText("kiwi\nlime\n");
    f.form1()->action("Paste1")->trigger();
    QCOMPARE(texts(f.clickList()), QStringList({"kiwi", "lime", "zebra"}));
    QCOMPARE(texts(f.hotkeys()), QStringList({"K", "L", "Z"}));
}

void TestEditing::hotkeyWinsOverPaste()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nVanilla\r\n");
    f.start();
    f.click("t");
    QCOMPARE(texts(f.hotkeys()), QStringList{"V"});
    QGuiApplication::clipboard()->setText("pasted");
    QTest::keyClick(f.editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines().mid(1), QStringList({"Vanilla", "Vanilla", ""}));
    QVERIFY(!f.editor()->lines().contains("pasted"));
}

void TestEditing::hotkeyMenuKeepsCaptions()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nSalt & Pepper\r\n");
    f.start();
    f.click("t");
    QAction* item = f.form1()->findChild<QMenu*>("hotkey1")->actions().value(0);
    QVERIFY(item);
    QCOMPARE(item->shortcut(), QKeySequence("Ctrl+S"));
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines().mid(1), QStringList({"Salt & Pepper", "Salt & Pepper", ""}));
}

void TestEditing::clickListPutsItemAtCaret()
{
    ProgramFixture f;
    // A paragraph separator is part of its item, never a line break.
    f.writeData("t.txt", "//2024-3-3\r\napple\r\npe\u2029ar\r\n");
    f.start();
    f.click("t");
    // Caret on the empty last line: the item fills it and a new line opens.
    f.clickList()->setCurrentRow(1);
    f.form1()->ListBoxListNowClick();
    QCOMPARE(f.editor()->lines(),
             QStringList({"//2024-3-3", "apple", "pe\u2029ar", "pe\u2029ar", ""}));
    QCOMPARE(f.editor()->caretLine(), 4);
    // On the date line, the item replaces it.
    caretToLine(f.editor(), 0);
    f.clickList()->setCurrentRow(0);
    f.form1()->ListBoxListNowClick();
    QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"apple", "", "apple"}));
    QCOMPARE(f.editor()->caretLine(), 1);
    QVERIFY(f.form1()->state().modified);
}

void TestEditing::groupTakesNoItems()
{
    ProgramFixture f;
    f.writeData("g/t.txt", "//2024-3-3\r\napple\r\n");
    f.start();
    f.click("g/t");
    f.click("g");
    // The hotkeys of the title stay assigned, but the explanation takes no item.
    QTest::keyClick(f.editor(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines().size(), 8);
    QVERIFY(!f.form1()->state().modified);
}

void TestEditing::dateLineProtection()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\napple\r\n//1/2/03\r\n");
    f.start();
    f.click("t");
    Dialogs::clearShownMessages();
    caretToLine(f.editor(), 0);
    QTest::keyClick(f.editor(), Qt::Key_Right);
    QCOMPARE(Dialogs::shownMessages(), QStringList{"Please Do not edit Date line ! "});
    QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"//2024-3-3", "", "apple"}));
    QCOMPARE(f.editor()->caretLine(), 0);
    // The eight-character line is not protected.
    Dialogs::clearShownMessages();
    caretToLine(f.editor(), 3);
    QCOMPARE(f.editor()->textCursor().block().text(), QString("//1/2/03"));
    QTest::keyClick(f.editor(), Qt::Key_Right);
    QVERIFY(Dialogs::shownMessages().isEmpty());
}

void TestEditing::enablingFollowsClickList()
{
    ProgramFixture f;
    f.writeData("g/items.txt", "//2024-3-3\r\napple\r\n");
    f.writeData("g/empty.txt", "");
    f.start();
    QMenu* edit = f.form1()->findChild<QMenu*>("Edit1");
    QVERIFY(!edit->menuAction()->isEnabled());
    f.click("g/empty");
    QVERIFY(!f.enabled("BarChart1"));
    QVERIFY(!f.enabled("Copy1"));
    f.click("g/items");
    QVERIFY(edit->menuAction()->isEnabled());
    for (const char* n :
         {"reloadclicklist1", "BarChart1", "Barchart11", "PieChart1", "TextReport", "MSWordReport1",
          "ReplaceItem1", "Copy1", "Cut1", "ToolButtonBar", "ToolButtonbar2", "ToolButtonPie",
          "ToolButtonText", "ToolButtonWord", "ToolButtonReplace"})
        QVERIFY2(f.enabled(n), n);
    f.click("g");
    QVERIFY(edit->menuAction()->isEnabled()); // stays enabled once enabled
    QVERIFY(!f.enabled("Copy1"));
    QVERIFY(!f.enabled("ToolButtonReplace"));
    QVERIFY(f.enabled("Copy2")); // context menus are never disabled
}

QTEST_MAIN(TestEditing)
#include "TestEditing.moc"
