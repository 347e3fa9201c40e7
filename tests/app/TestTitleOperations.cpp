#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/LongWork.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

// Append Text, Replace Item and Export on the open title, through the menus
// and the picture window's pages.
class TestTitleOperations : public QObject
{
    Q_OBJECT
private slots:
    void appendText_data();
    void appendText();
    void shutdownWhileAppendingSavesNoPart();
    void replace_data();
    void replace();
    void exportPage();
};

void TestTitleOperations::appendText_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("title"); // after the append
    QTest::addColumn<QStringList>("messages");
    const QByteArray before = "//2024-3-3\r\n"; // no item yet
    const QByteArray opened = before + "\r\n";  // opening adds an empty line
    QTest::newRow("notes.Txt, lines unchanged")
        << "notes.Txt" << QByteArray(" pear \r\n//2024-3-4\r\n\r\nkiwi")
        << opened + " pear \r\n//2024-3-4\r\n\r\nkiwi\r\n"
        << QStringList{};
    QTest::newRow("notes.csv refused") << "notes.csv" << QByteArray("pear\r\n") << before
                                       << QStringList{"Please Specify a text file(.txt)"};
    QTest::newRow("empty file adds nothing")
        << "empty.txt" << QByteArray() << before << QStringList{};
    QByteArray big;
    for (int i = 0; i < 30000; ++i)
        big += "item " + QByteArray::number(i % 97) + "\r\n";
    QTest::newRow("big.txt, in pieces") << "big.txt" << big << opened + big << QStringList{};
    // The longest line the editor takes, and one character more: refused.
    const QByteArray longest(30000, 'x');
    QTest::newRow("a line of 30000 characters")
        << "long.txt" << longest << opened + longest + "\r\n"
        << QStringList{};
    QTest::newRow("a line of 30001 characters refused")
        << "long.txt" << longest + "x\r\n"
        << before
        << QStringList{"The file \"long.txt\" holds a line of 30001 characters; lines of more "
                       "than 30000 characters cannot be edited here, so nothing was appended."};
    QTest::newRow("2 MB in one line, read aside, refused")
        << "huge.txt" << QByteArray(1 << 21, 'x') << before
        << QStringList{"The file \"huge.txt\" holds a line of 2097152 characters; lines of more "
                       "than 30000 characters cannot be edited here, so nothing was appended."};
    QTest::newRow("not text: read byte for byte")
        << "bin.txt" << QByteArray("\xfe\xfe\x01x\0y\r\n", 8)
        << opened + QByteArray("\xc3\xbe\xc3\xbe\x01x\0y\r\n", 10) << QStringList{};
}

void TestTitleOperations::appendText()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    const QString path = f.docs.writeFile(fileName, content);
    f.start();
    f.click("t");
    Dialogs::setNextFileName(path);
    f.form1()->action("AppendText1")->trigger();
    QCOMPARE(QDir(Dialogs::lastFileDialogFolder()), QDir(f.docs.path())); // the user's documents
    QTEST(f.readData("t.txt"), "title");
    QTEST(Dialogs::shownMessages(), "messages");
    if (fileName == "notes.Txt")
        QCOMPARE(f.clickListTexts(), QStringList({"kiwi", "pear"}));
    QCOMPARE(f.enabled("ToolButtonReplace"), !f.clickListTexts().isEmpty());
    // Reading aside shows its dialog only when it takes a while.
    if (fileName != "huge.txt")
        QCOMPARE(LongWork::shownLabels(),
                 fileName == "big.txt" ? QStringList{"Appending big.txt\u2026"} : QStringList{});
    // What the user types next is an item of its own, wherever the caret was left.
    const QByteArray title = f.readData("t.txt");
    QTextDocument* doc = f.editor()->document();
    const int stepsBefore = doc->availableUndoSteps();
    QTest::keyClicks(f.editor(), "fig");
    QTest::keyClick(f.editor(), Qt::Key_Return);
    f.form1()->action("Post1")->trigger();
    QCOMPARE(f.readData("t.txt"), title + "fig\r\n\r\n");
    while (doc->availableUndoSteps() > stepsBefore)
        f.editor()->undo();
    if (title.size() > 14) { // lines were appended: one step undoes them
        f.editor()->undo();
        QCOMPARE(f.editor()->lines(), QStringList({"//2024-3-3", ""}));
    }
}

void TestTitleOperations::shutdownWhileAppendingSavesNoPart()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\n");
    QByteArray big;
    for (int i = 0; i < 30000; ++i)
        big += "item " + QByteArray::number(i % 97) + "\r\n";
    Dialogs::setNextFileName(f.docs.writeFile("big.txt", big));
    f.start();
    f.click("t");
    f.type("kiwi"); // unsaved when the append begins
    f.whenProgressShows([&] { f.form1()->shutdown(false); });
    f.form1()->action("AppendText1")->trigger();
    QCOMPARE(f.readData("t.txt"), "//2024-3-3\r\nkiwi\r\n");
}

void TestTitleOperations::replace_data()
{
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("clickList");
    QTest::newRow("Apple by Pear")
        << "Apple"
        << "Pear"
        << "2 row be replaced" << QStringList{"//2024-3-3", "Pear", "Pear", "apples", ""}
        << QStringList{"apples", "Pear"};
    QTest::newRow("empty New row")
        << "Apple"
        << ""
        << "2 row be replaced" << QStringList{"//2024-3-3", "", "", "apples", ""}
        << QStringList{"apples"};
    // Pasted with line breaks: only the text before the first one is taken.
    QTest::newRow("pasted New row of three lines")
        << "Apple"
        << "Pear\r\nPlum\nFig"
        << "2 row be replaced" << QStringList{"//2024-3-3", "Pear", "Pear", "apples", ""}
        << QStringList{"apples", "Pear"};
    QTest::newRow("nothing matches")
        << "Kiwi"
        << "x"
        << "0 row be replaced" << QStringList{"//2024-3-3", "Apple", "  Apple", "apples", ""}
        << QStringList{"Apple", "apples"};
}

// Typed into the page as the user does: Old row, then Edit2 (filled from Old
// row on entering), Enter to replace; Ctrl+Z undoes the whole replace.
void TestTitleOperations::replace()
{
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, message);
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\nApple\r\n  Apple\r\napples\r\n");
    f.start();
    f.click("t");
    const QStringList original = f.editor()->lines();
    f.form1()->action("ToolButtonReplace")->trigger();
    TFormpic* pic = f.program->formpic();
    QVERIFY(pic->isVisible());
    QCOMPARE(pic->currentPageName(), QString("replace"));
    QCOMPARE(pic->windowTitle(), QString("Replace Item"));
    auto* combo = pic->findChild<QComboBox*>("ComboBox1");
    auto* edit2 = pic->findChild<QLineEdit*>("Edit2");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, QStringList({"Apple", "apples"}));

    QVERIFY(QTest::qWaitForWindowActive(pic));
    combo->setFocus();
    QTest::keyClicks(combo, oldText);
    QTest::mouseClick(edit2, Qt::LeftButton);
    QCOMPARE(edit2->text(), oldText);
    edit2->clear();
    if (newText.contains('\n')) {
        QGuiApplication::clipboard()->setText(newText);
        QTest::keyClick(edit2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit2->text(), newText.section('\r', 0, 0));
    } else {
        QTest::keyClicks(edit2, newText);
    }
    QTest::keyClick(edit2, Qt::Key_Return);
    QVERIFY(!pic->isVisible());
    QCOMPARE(Dialogs::shownMessages(), QStringList{message});
    QTEST(f.editor()->lines(), "lines");
    QTEST(f.clickListTexts(), "clickList");
    QCOMPARE(f.form1()->state().modified, oldText != "Kiwi");
    if (message.startsWith('0'))
        return;
    QTest::keyClick(f.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.editor()->lines(), original);
}

void TestTitleOperations::exportPage()
{
    ProgramFixture f;
    f.writeData("t.txt", "//Rule\r\n\r\n//2024-3-1\r\napple\r\n");
    f.start();
    f.click("t");
    f.type("pear");
    TFormpic* pic = f.program->formpic();
    auto* check = pic->findChild<QCheckBox*>("CheckBox1");
    auto* exportNow = pic->button("BitBtn12");
    const QString caption = pic->windowTitle();
    auto openPage = [&] {
        f.form1()->action("Export1")->trigger();
        QVERIFY(pic->isVisible());
        QCOMPARE(pic->currentPageName(), QString("export"));
        QCOMPARE(pic->windowTitle(), caption);
        QVERIFY(check->isChecked());
    };
    const QList<QRadioButton*> choices =
        pic->findChild<QWidget*>("RadioGroup1")->findChildren<QRadioButton*>();
    QCOMPARE(choices.size(), 3);
    QVERIFY(choices[2]->isChecked());

    // Refused: another extension, then the title's own file (by another path).
    openPage();
    QTest::mouseClick(choices[1], Qt::LeftButton, {}, QPoint(8, 8));
    Dialogs::setNextFileName(f.docs.path() + "out.csv");
    Dialogs::setNextFileName(f.dataFolder() + "../Morvane/t.txt");
    exportNow->click();
    QCOMPARE(QDir(Dialogs::lastFileDialogFolder()), QDir(f.docs.path())); // not among the titles
    exportNow->click();
    // Also while the title's file is missing, by a path through a link.
    const QByteArray saved = f.readData("t.txt");
    QVERIFY(QFile::remove(f.dataFolder() + "t.txt"));
    QVERIFY(QFile::link(f.dataFolder(), f.docs.path() + "via"));
    Dialogs::setNextFileName(f.docs.path() + "via/t.txt");
    exportNow->click();
    QVERIFY(pic->isVisible());
    QCOMPARE(Dialogs::shownMessages().size(), 3);
    QCOMPARE(Dialogs::shownMessages()[0],
             QString("Tip:This option only export to text file(.txt)."));
    QVERIFY(Dialogs::shownMessages()[1].contains("own file"));
    QCOMPARE(Dialogs::shownMessages()[2], Dialogs::shownMessages()[1]);
    QVERIFY(saved.startsWith("//Rule\r\n\r\n//2024-3-1\r\n"));
    QVERIFY(!QFile::exists(f.dataFolder() + "t.txt"));
    QVERIFY(f.form1()->state().modified);
    QVERIFY(!QFile::exists(f.docs.path() + "out.csv"));

    // Written under the name typed without extension; the title is saved first.
    Dialogs::clearShownMessages();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, 8));
    Dialogs::setNextFileName(f.docs.path() + "out");
    exportNow->click();
    QCOMPARE(Dialogs::shownMessages(), QStringList{"ok"});
    QVERIFY(!pic->isVisible());
    QCOMPARE(f.docs.readFile("out.TXT"), QByteArray("//Rule\r\n\r\napple\r\npear\r\n"));
    QVERIFY(!f.form1()->state().modified);

    // The choice stays, the check box is ticked again; cancelling hides the page.
    openPage();
    QVERIFY(choices[1]->isChecked());
    exportNow->click();
    QVERIFY(!pic->isVisible());
}

QTEST_MAIN(TestTitleOperations)
#include "TestTitleOperations.moc"
