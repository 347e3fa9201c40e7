#include "editor/ClickList.h"
#include "editor/EditorLines.h"

#include <QTest>

class TestEditorLines : public QObject
{
    Q_OBJECT
private slots:
    void collectPasted_data();
    void collectPasted();
    void collectEntered_data();
    void collectEntered();
    void putItemAtCursor_data();
    void putItemAtCursor();
    void longestLineAfterInsert_data();
    void longestLineAfterInsert();
};

void TestEditorLines::collectPasted_data()
{
    QTest::addColumn<QStringList>("known");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("pasteStart");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QStringList>("entries");

    const QStringList pasted{"Apple", " Banana", "//c", "apple ", "", "Kiwi"};
    QTest::newRow("three lines") << QStringList{"Apple"} << pasted << 1 << 4
                                 << QStringList{"Apple", "apple", "Banana"};
    QTest::newRow("range is inclusive")
        << QStringList{} << pasted << 0 << 5 << QStringList{"Apple", "apple", "Banana", "Kiwi"};
    QTest::newRow("one line") << QStringList{} << pasted << 5 << 5 << QStringList{"Kiwi"};
    QTest::newRow("caret above start")
        << QStringList{"Apple"} << pasted << 3 << 2 << QStringList{"Apple"};
    QTest::newRow("repeated in paste")
        << QStringList{} << QStringList{"Kiwi", " Kiwi ", "Kiwi"} << 0 << 2 << QStringList{"Kiwi"};
    QTest::newRow("start below shrunk text")
        << QStringList{} << QStringList{"Kiwi"} << 7 << 0 << QStringList{};
    QTest::newRow("caret past the lines")
        << QStringList{} << QStringList{"Kiwi", "Fig"} << 1 << 5 << QStringList{"Fig"};
    QTest::newRow("empty text") << QStringList{} << QStringList{} << 0 << 0 << QStringList{};
}

void TestEditorLines::collectPasted()
{
    QFETCH(QStringList, known);
    QFETCH(QStringList, lines);
    QFETCH(int, pasteStart);
    QFETCH(int, caretLine);
    QFETCH(QStringList, entries);

    ClickList list = ClickList::fromLines(known, QLocale::c());
    const EditorLines::Collected got =
        EditorLines::collectPasted(list, lines, pasteStart, caretLine);
    QCOMPARE(list.entries(), entries);
    QVERIFY(!got.reassignHotkeys);

    // Replaying the insertions on the old rows gives the new list.
    QStringList view = known;
    for (const EditorLines::Insertion& ins : got.inserted)
        view.insert(ins.row, ins.item);
    QCOMPARE(view, entries);
}

void TestEditorLines::collectEntered_data()
{
    QTest::addColumn<QStringList>("known");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<qsizetype>("row");

    // "  Apple pie" split by Enter after "Apple".
    QTest::newRow("split in the middle") << QStringList{"Banana"} << QStringList{"  Apple", " pie"}
                                         << 1 << QStringList{"Apple", "Banana"} << qsizetype(0);
    QTest::newRow("blanks around") << QStringList{} << QStringList{"//d", " Apple ", ""} << 2
                                   << QStringList{"Apple"} << qsizetype(0);
    QTest::newRow("other case is another entry")
        << QStringList{"Apple"} << QStringList{"Apple", "apple", ""} << 2
        << QStringList{"Apple", "apple"} << qsizetype(1);
    QTest::newRow("already known") << QStringList{"Apple"} << QStringList{"Apple", ""} << 1
                                   << QStringList{"Apple"} << qsizetype(-1);
    QTest::newRow("comment after blanks")
        << QStringList{} << QStringList{"   //Apple", ""} << 1 << QStringList{} << qsizetype(-1);
    QTest::newRow("empty line above")
        << QStringList{} << QStringList{"Apple", "", ""} << 2 << QStringList{} << qsizetype(-1);
    QTest::newRow("caret on first line")
        << QStringList{} << QStringList{"Apple"} << 0 << QStringList{} << qsizetype(-1);
    QTest::newRow("caret past the lines")
        << QStringList{} << QStringList{"Apple"} << 3 << QStringList{} << qsizetype(-1);
}

void TestEditorLines::collectEntered()
{
    QFETCH(QStringList, known);
    QFETCH(QStringList, lines);
    QFETCH(int, caretLine);
    QFETCH(QStringList, entries);
    QFETCH(qsizetype, row);

    ClickList list = ClickList::fromLines(known, QLocale::c());
    const EditorLines::Collected got = EditorLines::collectEntered(list, lines, caretLine);
    QCOMPARE(list.entries(), entries);
    // Only an added item asks for new hotkeys.
    QCOMPARE(got.reassignHotkeys, row >= 0);
    QCOMPARE(got.inserted.size(), row >= 0 ? 1 : 0);
    if (row >= 0) {
        QCOMPARE(got.inserted.first().row, row);
        QCOMPARE(got.inserted.first().item, entries.at(row));
    }
}

void TestEditorLines::putItemAtCursor_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("newCaret");

    QTest::newRow("middle line") << QStringList{"a", "b", "c"} << 1
                                 << QStringList{"a", "Kiwi", "", "c"} << 2;
    QTest::newRow("empty last line")
        << QStringList{"a", ""} << 1 << QStringList{"a", "Kiwi", ""} << 2;
    QTest::newRow("last line with text")
        << QStringList{"a", "b"} << 1 << QStringList{"a", "Kiwi", ""} << 2;
    QTest::newRow("date line replaced")
        << QStringList{"//2024-3-1", "a"} << 0 << QStringList{"Kiwi", "", "a"} << 1;
    QTest::newRow("empty text") << QStringList{} << 0 << QStringList{"Kiwi", ""} << 1;
    QTest::newRow("caret past the lines")
        << QStringList{"a"} << 4 << QStringList{"a", "Kiwi", ""} << 2;
}

void TestEditorLines::putItemAtCursor()
{
    QFETCH(QStringList, lines);
    QFETCH(int, caretLine);
    QFETCH(QStringList, after);
    QFETCH(int, newCaret);
    QCOMPARE(EditorLines::putItemAtCursor(lines, caretLine, QStringLiteral("Kiwi")), newCaret);
    QCOMPARE(lines, after);
}

// How long the longest line is once a text goes between the two parts of a line.
void TestEditorLines::longestLineAfterInsert_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("longest");
    QTest::newRow("no break: one line") << 3 << "abc" << 2 << 8;
    QTest::newRow("two lines") << 3 << "ab\ncd" << 2 << 5;
    QTest::newRow("a middle line longest") << 1 << "a\nbbbbb\u2029c" << 1 << 5;
    QTest::newRow("CR LF is one break") << 0 << "a\r\nbb" << 4 << 6;
    QTest::newRow("empty text") << 2 << "" << 3 << 5;
}

void TestEditorLines::longestLineAfterInsert()
{
    QFETCH(int, before);
    QFETCH(QString, text);
    QFETCH(int, after);
    QTEST(int(EditorLines::longestLine(before, text, after)), "longest");
}

QTEST_GUILESS_MAIN(TestEditorLines)
#include "TestEditorLines.moc"
