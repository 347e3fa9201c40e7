#include "TempDataFolder.h"
#include "titles/TitleLibrary.h"

#include <QTest>

using namespace TitleLibrary;

class TestTitleLibrary : public QObject
{
    Q_OBJECT
private slots:
    void cleaning_data();
    void cleaning();
    void creating_data();
    void creating();
    void renaming_data();
    void renaming();
    void movedPaths_data();
    void movedPaths();
    void defaultFile();
};

void TestTitleLibrary::cleaning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clean");
    QTest::newRow("nine characters and end blanks") << " a:b?c "
                                                    << "abc";
    QTest::newRow("all nine") << "?/\\\"<>:*|x"
                              << "x";
    QTest::newRow("pasted line break inside") << "ab\r\ncd"
                                              << "abcd";
    QTest::newRow("tab at the ends") << "\t x y \t"
                                     << "x y";
    QTest::newRow("dot dot") << ".."
                             << "";
    QTest::newRow("dots only, spaced") << " ... "
                                       << "";
    QTest::newRow("dots inside stay") << "v1.2"
                                      << "v1.2";
    QTest::newRow("only forbidden") << "\\/"
                                    << "";
}

void TestTitleLibrary::cleaning()
{
    QFETCH(QString, text);
    QFETCH(QString, clean);
    QCOMPARE(cleanName(text), clean);
}

void TestTitleLibrary::creating_data()
{
    QTest::addColumn<bool>("group");
    QTest::addColumn<QString>("message");
    QTest::newRow("title under a vanished group") << false << "Cannot create file";
    QTest::newRow("group under a vanished group")
        << true
        << "Please establish sub file folder \"G\" manually under My Documents file "
           "folder(DATAGone\\)";
}

// Successful creation is driven through the pages; here the failures.
void TestTitleLibrary::creating()
{
    QFETCH(bool, group);
    QFETCH(QString, message);
    TempDataFolder data;
    const Created r = group ? createGroup(data.path(), CurrentGroup, "Gone", "G")
                            : createTitle(data.path(), CurrentGroup, "Gone", "G");
    QCOMPARE(int(r.outcome), int(Created::Failed));
    QVERIFY2(r.message.startsWith(QString(message).replace("DATA", data.path())),
             qPrintable(r.message));
    QVERIFY(!data.exists("Gone"));
}

void TestTitleLibrary::renaming_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("result");
    QTest::newRow("title") << "G/a.txt"
                           << "b" << true << "G/b.txt";
    QTest::newRow("letter case only") << "G/a.txt"
                                      << "A" << true << "G/A.txt";
    QTest::newRow("extension keeps its case") << "G/Up.TXT"
                                              << "Down" << true << "G/Down.TXT";
    QTest::newRow("other title in other case") << "G/a.txt"
                                               << "OTHER" << false << "G/a.txt";
    QTest::newRow("group") << "G"
                           << "H" << true << "H/a.txt";
    QTest::newRow("group onto an empty group") << "G"
                                               << "e" << false << "G/a.txt";
}

void TestTitleLibrary::renaming()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, ok);
    QFETCH(QString, result);
    TempDataFolder data;
    data.writeFile(from.endsWith("TXT", Qt::CaseInsensitive) ? from : "G/a.txt", "x");
    data.writeFile("G/other.txt", "o");
    QDir(data.path()).mkdir("E");
    const bool isFile = from.contains('.');
    QCOMPARE(isFile ? renameTitleFile(data.path() + from, to)
                    : renameGroupFolder(data.path() + from, to),
             ok);
    QVERIFY(data.exists(result));
    QCOMPARE(QDir(data.path() + QFileInfo(result).path()).entryList(QDir::Files).size(), 2);
}

void TestTitleLibrary::movedPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("moved");
    QTest::newRow("the group itself") << "A\\B"
                                      << "A\\X";
    QTest::newRow("inside, deeper") << "A\\B\\C\\t.txt"
                                    << "A\\X\\C\\t.txt";
    QTest::newRow("sibling starting the same") << "A\\BB" << QString();
    QTest::newRow("parent") << "A" << QString();
}

void TestTitleLibrary::movedPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, moved);
    QCOMPARE(movedPath(path, "A\\B", "A\\X"), moved);
}

void TestTitleLibrary::defaultFile()
{
    TempDataFolder data;
    QCOMPARE(readDefault(data.path()).name, QString());
    data.writeFile("defaultfile.cnt", "");
    QCOMPARE(readDefault(data.path()).groupPath, QString());
    QString error;
    QVERIFY(writeDefault(data.path(), {"T", "A\\B"}, &error));
    QCOMPARE(data.readFile("defaultfile.cnt"), QByteArray("T\r\nA\\B\r\n"));
    QVERIFY(writeDefault(data.path(), {"Top", ""}, &error));
    QCOMPARE(data.readFile("defaultfile.cnt"), QByteArray("Top\r\n\r\n"));
    const DefaultTitle read = readDefault(data.path());
    QCOMPARE(read.name, QString("Top"));
    QCOMPARE(read.groupPath, QString());
    removeDefault(data.path());
    QVERIFY(!data.exists("defaultfile.cnt"));
}

QTEST_GUILESS_MAIN(TestTitleLibrary)
#include "TestTitleLibrary.moc"
