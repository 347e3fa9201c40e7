#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QProxyStyle>
#include <QRandomGenerator>
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
    void lineBreaksMakeLines_data();
    void lineBreaksMakeLines();
    void pasteWithNothingCopied_data();
    void pasteWithNothingCopied();
    void enterInMiddleOfLineCollectsPartBefore();
    void ctrlVCollectsAndAssignsHotkeys_data();
    void ctrlVCollectsAndAssignsHotkeys();
    void menuPasteReassignsHotkeys();
    void hotkeyWinsOverPaste();
    void hotkeyMenuKeepsCaptions();
    void clickListPutsItemAtCaret_data();
    void clickListPutsItemAtCaret();
    void groupTakesNoItems();
    void dateLineProtection_data();
    void dateLineProtection();
    void enablingFollowsClickList();
    void linesFollowEveryEdit();
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

void TestEditing::lineBreaksMakeLines_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Shift+keypad Enter")
        << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::KeypadModifier);
    QTest::newRow("pasted separators") << 0 << Qt::KeyboardModifiers();
}

void TestEditing::lineBreaksMakeLines()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    f.start();
    f.click("t");
    if (key == 0) {
        QGuiApplication::clipboard()->setText(QString("paper") + QChar::LineSeparator + "pen" +
                                              QChar::ParagraphSeparator);
        QTest::keyClick(f.editor(), Qt::Key_V, Qt::ControlModifier);
    }
    for (const char* item : {"paper", "pen"}) {
        if (key == 0)
            break;
        QTest::keyClicks(f.editor(), item);
        QTest::keyClick(f.editor(), Qt::Key(key), modifiers);
    }
    QCOMPARE(f.editor()->document()->blockCount(), 4);
    QVERIFY(!f.editor()->document()->toRawText().contains(QChar::LineSeparator));
    QCOMPARE(f.editor()->lines(), QStringList({"//2024-3-3", "paper", "pen", ""}));
    QCOMPARE(texts(f.clickList()), QStringList({"paper", "pen"}));
}

// Under X11 with nothing ever copied the clipboard has no data at all. A text
// whose line the editor could not take brings nothing either, but says so.
void TestEditing::pasteWithNothingCopied_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"Paste1", "Paste2", "Ctrl+V", "Shift+Ins"})
        QTest::newRow(how) << QString(how);
    QTest::newRow("Ctrl+V, a line too long") << "Ctrl+V, a line too long";
}

void TestEditing::pasteWithNothingCopied()
{
    QFETCH(QString, how);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\napple\r\n");
    f.start();
    f.click("t");
    const bool tooLong = how.endsWith("too long");
    if (tooLong)
        QGuiApplication::clipboard()->setText(QString(29998, 'x')); // after "pea": 30001
    else if (QGuiApplication::platformName() != "xcb")
        QGuiApplication::clipboard()->clear();
    f.type("pea");
    f.form1()->Post1Click();
    const QStringList before = f.editor()->lines();
    if (how.startsWith("Paste"))
        f.form1()->action(how)->trigger();
    else
        QTest::keySequence(f.editor(), QKeySequence(how.section(',', 0, 0)));
    QCOMPARE(f.editor()->lines(), before);
    QCOMPARE(Dialogs::shownMessages().filter("30001 characters").size(), tooLong ? 1 : 0);
    QCOMPARE(texts(f.clickList()), QStringList{"apple"});
    QVERIFY(!f.form1()->state().modified);
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

void TestEditing::ctrlVCollectsAndAssignsHotkeys_data()
{
    QTest::addColumn<bool>("releasedFirst");
    QTest::newRow("released after the paste") << false;
    // Under X11 the clipboard may answer only after the key's release.
    QTest::newRow("released before the text arrives") << true;
}

void TestEditing::ctrlVCollectsAndAssignsHotkeys()
{
    QFETCH(bool, releasedFirst);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nzebra\r\n");
    f.start();
    f.click("t");
    QCOMPARE(texts(f.hotkeys()), QStringList{"Z"});
    QGuiApplication::clipboard()->setText("kiwi\nlime\nzebra\n");
    QMetaObject::Connection early;
    if (releasedFirst)
        early = connect(f.editor(), &EntryEditor::keyDown, [&] {
            QObject::disconnect(early);
            QTest::keyRelease(f.editor(), Qt::Key_V, Qt::ControlModifier);
        });
    QTest::keyPress(f.editor(), Qt::Key_V, Qt::ControlModifier);
    if (!releasedFirst)
        QTest::keyRelease(f.editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines().mid(1), QStringList({"zebra", "kiwi", "lime", "zebra", ""}));
    QCOMPARE(texts(f.clickList()), QStringList({"kiwi", "lime", "zebra"}));
    QCOMPARE(texts(f.hotkeys()), QStringList({"K", "L", "Z"}));
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

// A desktop where one click activates an item.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        return hint == SH_ItemView_ActivateItemOnSingleClick
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

void TestEditing::clickListPutsItemAtCaret_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how :
         {"click", "double click", "double click, single-click desktop", "arrow key", "type-ahead"})
        QTest::newRow(how) << QString(how);
}

// One choice in the click list puts the item in once, by mouse or keyboard.
void TestEditing::clickListPutsItemAtCaret()
{
    QFETCH(QString, how);
    ProgramFixture f;
    // A paragraph separator is part of its item, never a line break.
    f.writeData("t.txt", "//2024-3-3\r\napple\r\npe\u2029ar\r\n");
    f.start();
    f.click("t");
    QListWidget* list = f.clickList();
    if (how.contains("single-click"))
        list->setStyle(new SingleClickStyle);
    QWidget* rows = list->viewport();
    const QPoint pear = list->visualItemRect(list->item(1)).center();
    if (how == "click") {
        QTest::mouseClick(rows, Qt::LeftButton, {}, pear);
    } else if (how.startsWith("double click")) {
        QTest::mouseClick(rows, Qt::LeftButton, {}, pear);
        QTest::mousePress(rows, Qt::LeftButton, {}, pear);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, pear);
        QTest::mouseRelease(rows, Qt::LeftButton, {}, pear);
    } else {
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, how == "arrow key" ? Qt::Key_Down : Qt::Key_P);
    }
    // Caret on the empty last line: the item fills it and a new line opens.
    QCOMPARE(f.editor()->lines(),
             QStringList({"//2024-3-3", "apple", "pe\u2029ar", "pe\u2029ar", ""}));
    QCOMPARE(f.editor()->caretLine(), 4);
    QVERIFY(f.editor()->hasFocus());
    // On the date line, the item replaces it; so does an entry chosen again.
    caretToLine(f.editor(), 0);
    QTest::mouseClick(rows, Qt::LeftButton, {}, pear);
    QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"pe\u2029ar", "", "apple"}));
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
    // No letters beside the empty list, and the explanation takes no item.
    QCOMPARE(texts(f.hotkeys()), QStringList());
    QTest::keyClick(f.editor(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines().size(), 8);
    QVERIFY(!f.form1()->state().modified);
}

void TestEditing::dateLineProtection_data()
{
    QTest::addColumn<int>("key"); // 0: a mouse click at the end of the line
    QTest::addColumn<int>("column");
    QTest::newRow("arrow") << int(Qt::Key_Right) << 1;
    QTest::newRow("End") << int(Qt::Key_End) << 10;
    QTest::newRow("click at the end") << 0 << 10;
}

void TestEditing::dateLineProtection()
{
    QFETCH(int, key);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\napple\r\n//1/2/03\r\n");
    f.start();
    f.click("t");
    Dialogs::clearShownMessages();
    caretToLine(f.editor(), 0);
    if (key) {
        QTest::keyClick(f.editor(), Qt::Key(key));
    } else {
        QTextCursor end(f.editor()->document()->firstBlock());
        end.movePosition(QTextCursor::EndOfBlock);
        const QPoint at = f.editor()->cursorRect(end).center() + QPoint(20, 0);
        QTest::mouseClick(f.editor()->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(Dialogs::shownMessages(), QStringList{"Please Do not edit Date line ! "});
    QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"//2024-3-3", "", "apple"}));
    // The caret stays where it was, also at the very end of the date line.
    QCOMPARE(f.editor()->caretLine(), 0);
    QTEST(f.editor()->textCursor().positionInBlock(), "column");
    // The Enter that closed the box is released over the editor: its press
    // was the box's, so it neither warns again nor adds another line.
    Dialogs::clearShownMessages();
    QTest::keyRelease(f.editor(), Qt::Key_Return);
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QCOMPARE(f.editor()->lines().mid(0, 3), QStringList({"//2024-3-3", "", "apple"}));
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
    // An empty click list folds its panel away; the first item brings both back.
    QWidget* panel = f.form1()->findChild<QWidget*>("Panel1");
    QCOMPARE(panel->width(), 1);
    f.type("paper\n");
    for (const char* n :
         {"BarChart1", "PieChart1", "TextReport", "MSWordReport1", "ToolButtonReplace"})
        QVERIFY2(f.enabled(n), n);
    QCOMPARE(panel->width(), 140);
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

// The lines saved and counted are read again only from the first change on:
// after any edits, anywhere, they must be the editor's text read whole.
void TestEditing::linesFollowEveryEdit()
{
    EntryEditor editor;
    editor.setLines({"//2024-3-3", "apple", "pe\u00a0ar", "a\u2028b", ""});
    const auto listOf = [](const std::shared_ptr<const TitleLineViews>& views) {
        QStringList out;
        for (QStringView line : views->lines())
            out << line.toString();
        return out;
    };
    QRandomGenerator random(7);
    std::shared_ptr<const TitleLineViews> held;
    QStringList heldLines;
    for (int i = 0; i < 400; ++i) {
        QTextCursor c(editor.document());
        const int end = editor.document()->characterCount() - 1;
        c.setPosition(int(random.bounded(end + 1)));
        switch (random.bounded(5)) {
        case 0:
            c.insertText("x\ny");
            break;
        case 1:
            c.insertText("z\u00a0");
            break;
        case 2:
            c.setPosition(qMin(end, c.position() + int(random.bounded(9))),
                          QTextCursor::KeepAnchor);
            c.removeSelectedText();
            break;
        case 3:
            editor.undo();
            break;
        case 4:
            editor.clear();
            break;
        }
        if (i % 3)
            continue;     // several edits between two reads
        if (i % 7 == 0) { // a reader that keeps the lines it read
            held = editor.lineViews();
            heldLines = listOf(held);
        }
        QString whole = editor.document()->toRawText();
        whole.replace(QChar::ParagraphSeparator, '\n');
        QCOMPARE(listOf(editor.lineViews()), TitleText::fromEditorText(whole));
    }
    QCOMPARE(listOf(held), heldLines);
}

QTEST_MAIN(TestEditing)
#include "TestEditing.moc"
