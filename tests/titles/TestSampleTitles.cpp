#include "TempDataFolder.h"
#include "titles/SampleTitles.h"
#include "titles/TitleTree.h"

#include <QTest>

class TestSampleTitles : public QObject
{
    Q_OBJECT
private slots:
    void createsLibrary();
    void existingFilesUntouched();
    void headers_data();
    void headers();
    void documentsFolderCreated();
    void folderMessages();
};

void TestSampleTitles::createsLibrary()
{
    TempDataFolder docs;
    const QString data = docs.path() + "Morvane/";
    QCOMPARE(createSampleLibrary(data, docs.path()), QString());
    const std::vector<TreeEntry> tree = scanTitleTree(data);
    QCOMPARE(tree.size(), size_t(2));
    QCOMPARE(tree[0].text, QString("company"));
    QCOMPARE(tree[0].children.size(), size_t(7));
    QCOMPARE(tree[1].text, QString("personal"));
    QCOMPARE(tree[1].children.size(), size_t(6));
    QCOMPARE(tree[0].children[0].text, QString("Consumers ages")); // "ag" before "Ar"
    QCOMPARE(docs.readFile("Morvane/defaultfile.cnt"), QByteArray());
    QStringList files = QDir(data).entryList(QDir::Files);
    QCOMPARE(files, QStringList{"defaultfile.cnt"});
}

void TestSampleTitles::existingFilesUntouched()
{
    TempDataFolder docs;
    docs.writeFile("Morvane/personal/Consumers Area.txt", "");
    docs.writeFile("Morvane/company/Consumers Area.txt", "mine\r\n");
    docs.writeFile("Morvane/defaultfile.cnt", "X\r\n\r\n");
    QCOMPARE(createSampleLibrary(docs.path() + "Morvane/", docs.path()), QString());
    QCOMPARE(docs.readFile("Morvane/company/Consumers Area.txt"), QByteArray("mine\r\n"));
    QCOMPARE(docs.readFile("Morvane/defaultfile.cnt"), QByteArray("X\r\n\r\n"));
}

void TestSampleTitles::headers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    const QByteArray rules = "//Rule:Must press the Enter key, after typing a item each time.\r\n"
                             "//If beginning of a row is \"//\",this row can not be counted.\r\n"
                             "\r\n";
    QTest::newRow("plain") << "personal/My psychological pressure source.txt" << rules;
    QTest::newRow("apostrophe") << "company/The worker's psychological pressure source.txt"
                                << rules;
    QTest::newRow("explained, trailing blank")
        << "personal/What do I really need in the heart of hearts.txt"
        << QByteArray("//Please input your psychological need every day,after inputting for 30 "
                      "days,you will find your real demand in the abyss of the mind. \r\n\r\n") +
               rules;
    QTest::newRow("explained") << "company/How did the customer find us.txt"
                               << QByteArray("//Discover which kind of advertisement is most "
                                             "economical and effective.\r\n\r\n") +
                                      rules;
}

void TestSampleTitles::headers()
{
    QFETCH(QString, file);
    TempDataFolder docs;
    createSampleLibrary(docs.path() + "Morvane/", docs.path());
    QTEST(docs.readFile("Morvane/" + file), "content");
}

void TestSampleTitles::documentsFolderCreated()
{
    TempDataFolder home;
    const QString docs = home.path() + "Documents";
    QCOMPARE(createSampleLibrary(docs + "/Morvane/", docs), QString());
    QVERIFY(home.exists("Documents/Morvane/personal"));
}

void TestSampleTitles::folderMessages()
{
    TempDataFolder home;
    home.writeFile("Documents", "a file where the folder should be");
    QCOMPARE(createSampleLibrary(home.path() + "Documents/Morvane/", home.path() + "Documents/"),
             "Please establish sub file folder \"Morvane\" manually under My Documents file "
             "folder(" +
                 home.path() + "Documents)");
    home.writeFile("M2/personal", "a file");
    QCOMPARE(createSampleLibrary(home.path() + "M2/", home.path()),
             "Please establish sub file folder \"personal\" manually under \"" + home.path() +
                 "M2/\"");
}

QTEST_GUILESS_MAIN(TestSampleTitles)
#include "TestSampleTitles.moc"
