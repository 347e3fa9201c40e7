#include "TempDataFolder.h"
#include "platform/SafeFile.h"
#include "stats/TotalFile.h"

#include <QDir>
#include <QTest>

class TestTotalFile : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void writesLinesWithCrLf_data();
    void writesLinesWithCrLf();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
};

void TestTotalFile::writesLinesWithCrLf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("report")
        << QStringList{"statistics:",
                       "   Fruit",
                       "From 2024-3-1 to 2024-3-3",
                       "Counted of days:2",
                       "Count time:2024-3-3 21:05:33",
                       "",
                       "3--60%--apple"}
        << QByteArray("statistics:\r\n   Fruit\r\nFrom 2024-3-1 to 2024-3-3\r\nCounted of "
                      "days:2\r\nCount time:2024-3-3 21:05:33\r\n\r\n3--60%--apple\r\n");
    QTest::newRow("no item message") << QStringList{"You have not typed in any demand yet"}
                                     << QByteArray("You have not typed in any demand yet\r\n");
    QTest::newRow("blanks kept, non-ASCII item")
        << QStringList{"From  to ", "1--100%--caf\u00e9 "}
        << QByteArray("From  to \r\n1--100%--caf\xc3\xa9 \r\n");
}

void TestTotalFile::writesLinesWithCrLf()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    TempDataFolder folder;
    folder.writeFile("Total.tol", "an older, longer report\r\nwith two lines\r\n");
    QString error;
    QVERIFY(writeTotalFile(folder.path(), lines, &error));
    QCOMPARE(folder.readFile("Total.tol"), bytes);
    QCOMPARE(totalFilePath(folder.path()), folder.path() + "Total.tol");
}

void TestTotalFile::failureKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("disk full part way") << "full";
    QTest::newRow("disk full at once") << "full0";
    QTest::newRow("data folder gone") << "nofolder";
}

void TestTotalFile::failureKeepsOldFile()
{
    QFETCH(QString, how);
    TempDataFolder folder;
    const QByteArray old = "statistics:\r\n   Old\r\n";
    folder.writeFile("Total.tol", old);
    QString dataFolder = folder.path();
    if (how == "full")
        SafeFile::setFailAfterBytesForTesting(5);
    else if (how == "full0")
        SafeFile::setFailAfterBytesForTesting(0);
    else
        dataFolder = folder.path() + "gone/";
    QString error;
    QVERIFY(
        !writeTotalFile(dataFolder, QStringList{"statistics:", "   New", "1--100%--a"}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.readFile("Total.tol"), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Total.tol"});
}

QTEST_GUILESS_MAIN(TestTotalFile)
#include "TestTotalFile.moc"
