#include "TempDataFolder.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QTest>

class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void writesWholeFile();
    void failureKeepsOldContent_data();
    void failureKeepsOldContent();
};

void TestSafeFile::writesWholeFile()
{
    TempDataFolder folder;
    const QString path = folder.path() + "a.txt";
    QString error;
    QVERIFY(SafeFile::write(SafeFile::Purpose::Title, path, "one\r\ntwo\r\n", &error));
    QCOMPARE(folder.readFile("a.txt"), QByteArray("one\r\ntwo\r\n"));
    QVERIFY(SafeFile::write(SafeFile::Purpose::Title, path, "", &error));
    QCOMPARE(folder.readFile("a.txt"), QByteArray());
    // No temporary files are left behind; a crash's are taken over by the
    // next write of the same file, or removed at any depth.
    folder.writeFile(".a.txt.morvane-partial", "cut");
    folder.writeFile("g/.b.txt.morvane-partial", "cut");
    QVERIFY(SafeFile::write(SafeFile::Purpose::Title, path, "x", &error));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
    SafeFile::removeLeftovers(folder.path());
    QVERIFY(QDir(folder.path() + "g").isEmpty(QDir::Files | QDir::Hidden));

    // A start removes the leftovers of writers that are gone, wherever they
    // wrote, but not those of another program still writing (process 1 runs).
    folder.writeFile("gone/.c.morvane-partial", "cut");
    folder.writeFile("busy/.d.morvane-partial", "writing");
    const QByteArray busy = "1\t" + (folder.path() + "busy").toUtf8() + "\n";
    folder.writeFile(".ledger", "2147483646\t" + (folder.path() + "gone").toUtf8() + "\n" + busy);
    SafeFile::setLedger(folder.path() + ".ledger");
    SafeFile::sweepLedger();
    QVERIFY(QDir(folder.path() + "gone").isEmpty(QDir::Files | QDir::Hidden));
    QVERIFY(QFile::exists(folder.path() + "busy/.d.morvane-partial"));
    QCOMPARE(folder.readFile(".ledger"), busy);
    SafeFile::setLedger({});
}

void TestSafeFile::failureKeepsOldContent_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("disk full after 3 bytes") << "full";
    QTest::newRow("disk full at once") << "full0";
    QTest::newRow("folder removed") << "nofolder";
    QTest::newRow("parent is a file") << "notdir";
}

void TestSafeFile::failureKeepsOldContent()
{
    QFETCH(QString, how);
    TempDataFolder folder;
    folder.writeFile("g/a.txt", "old\r\n");
    QString path = folder.path() + "g/a.txt";
    if (how == "full")
        SafeFile::setFailAfterBytesForTesting(3);
    else if (how == "full0")
        SafeFile::setFailAfterBytesForTesting(0);
    else if (how == "nofolder")
        path = folder.path() + "gone/a.txt";
    else if (how == "notdir")
        path = folder.path() + "g/a.txt/b.txt";
    QString error;
    QVERIFY(!SafeFile::write(SafeFile::Purpose::Title, path, "new content\r\n", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.readFile("g/a.txt"), QByteArray("old\r\n"));
    QCOMPARE(QDir(folder.path() + "g").entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "TestSafeFile.moc"
