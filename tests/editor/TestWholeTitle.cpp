#include "editor/WholeTitle.h"
#include "platform/DateFormat.h"

#include <QTest>

// Append, replace and export over plain lists of lines.
class TestWholeTitle : public QObject
{
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void matchingLines_data();
    void matchingLines();
    void exportLines_data();
    void exportLines();
};

void TestWholeTitle::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("text");
    QTest::addColumn<QString>("withDefault");
    QTest::newRow("notes.Txt accepted") << "/d/notes.Txt" << true << "/d/notes.Txt";
    QTest::newRow("notes.csv refused") << "/d/notes.csv" << false << "/d/notes.csv";
    QTest::newRow("txt not last") << "/d/notes.txt.bak" << false << "/d/notes.txt.bak";
    QTest::newRow("no extension") << "/d.d/notes" << false << "/d.d/notes.TXT";
}

void TestWholeTitle::fileNames()
{
    QFETCH(QString, name);
    QTEST(WholeTitle::hasTextExtension(name), "text");
    QTEST(WholeTitle::withDefaultExtension(name), "withDefault");
}

void TestWholeTitle::matchingLines_data()
{
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("trimmed, exact") << "Apple" << QList<int>{0, 1, 5};
    QTest::newRow("case counts") << "apple" << QList<int>{};
    QTest::newRow("old text not trimmed") << " Apple" << QList<int>{};
    QTest::newRow("a comment line too") << "//Apple" << QList<int>{3};
    QTest::newRow("empty matches empty lines") << "" << QList<int>{4};
}

void TestWholeTitle::matchingLines()
{
    QFETCH(QString, oldText);
    const QStringList lines{"Apple", "  Apple", "apples", "//Apple", " \t", "Apple\r"};
    QTEST(WholeTitle::matchingLines(lines, oldText), "expected");
}

void TestWholeTitle::exportLines_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("dropEmpty");
    QTest::addColumn<QStringList>("expected");
    const QString header = "//Rule:Must press the Enter key";
    QTest::newRow("0, keep blank")
        << 0 << false
        << QStringList{header, "", "//2008-5-3", "a", "  ", " //2008-5-4 ", "//5-4", "b"};
    QTest::newRow("0, drop blank")
        << 0 << true << QStringList{header, "//2008-5-3", "a", " //2008-5-4 ", "//5-4", "b"};
    QTest::newRow("1, keep blank")
        << 1 << false << QStringList{header, "", "a", "  ", "//5-4", "b"};
    QTest::newRow("1, drop blank") << 1 << true << QStringList{header, "a", "//5-4", "b"};
    QTest::newRow("2, keep blank") << 2 << false << QStringList{"", "a", "  ", "b"};
    QTest::newRow("2, drop blank") << 2 << true << QStringList{"a", "b"};
}

void TestWholeTitle::exportLines()
{
    QFETCH(int, option);
    QFETCH(bool, dropEmpty);
    const QStringList lines{"//Rule:Must press the Enter key",
                            "",
                            "//2008-5-3",
                            "a",
                            "  ",
                            " //2008-5-4 ",
                            "//5-4",
                            "b"};
    QTEST(WholeTitle::exportLines(lines, WholeTitle::NoteOption(option), dropEmpty,
                                  DateFormat("yyyy-M-d")),
          "expected");
}

QTEST_MAIN(TestWholeTitle)
#include "TestWholeTitle.moc"
