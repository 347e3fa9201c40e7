#include "FileSystemFaults.h"
#include "TempDataFolder.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
ino_t inodeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

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
    QFile::remove(folder.path() + ".ledger");

    // A file with a second name is overwritten in place: both names see the
    // new text, and the copy of the old bytes goes once it is done.
    QVERIFY(::link(QFile::encodeName(path).constData(),
                   QFile::encodeName(folder.path() + "b.txt").constData()) == 0);
    QVERIFY(SafeFile::hasOtherNames(path));
    QVERIFY(SafeFile::write(SafeFile::Purpose::LinkedTitle, path, "linked\r\n", &error));
    QCOMPARE(folder.readFile("b.txt"), QByteArray("linked\r\n"));
    QCOMPARE(inodeOf(path), inodeOf(folder.path() + "b.txt"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"a.txt", "b.txt"}));
    // An overwrite cut short by a crash: the next start puts the old bytes back.
    folder.writeFile(".a.txt.morvane-old", "before\r\n");
    SafeFile::removeLeftovers(folder.path());
    QCOMPARE(folder.readFile("b.txt"), QByteArray("before\r\n"));
    QCOMPARE(inodeOf(path), inodeOf(folder.path() + "b.txt"));
    QVERIFY(!folder.exists(".a.txt.morvane-old"));
}

void TestSafeFile::failureKeepsOldContent_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("linked"); // the file has a second name: overwritten in place
    QTest::addColumn<QString>("reason");
    const QString full = "No space left on device";
    for (bool linked : {false, true}) {
        const char* kind = linked ? ", second name" : "";
        QTest::addRow("disk full after 3 bytes%s", kind) << "full" << linked << full;
        QTest::addRow("disk full at once%s", kind) << "full0" << linked << full;
        // A short write on a real full disk carries no error of its own.
        QTest::addRow("real full disk, one page left%s", kind) << "tmpfs" << linked << full;
    }
    QTest::newRow("folder removed") << "nofolder" << false << "No such file or directory";
    QTest::newRow("parent is a file") << "notdir" << false << "Not a directory";
}

void TestSafeFile::failureKeepsOldContent()
{
    QFETCH(QString, how);
    QFETCH(bool, linked);
    QFETCH(QString, reason);
    TempDataFolder folder;
    QVERIFY(QDir().mkpath(folder.path() + "g"));
    std::unique_ptr<SmallDisk> disk;
    if (how == "tmpfs") {
        disk = std::make_unique<SmallDisk>(folder.path() + "g", 64);
        if (!disk->failure().isEmpty())
            QSKIP(qPrintable(disk->failure()));
    }
    folder.writeFile("g/a.txt", "old\r\n");
    QString path = folder.path() + "g/a.txt";
    QStringList names{"a.txt"};
    if (linked) {
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(folder.path() + "g/b.txt").constData()) == 0);
        names << "b.txt";
    }
    if (disk)
        disk->fill(4096); // room for the copy of the old bytes, not for the new ones
    if (how == "full")
        SafeFile::setFailAfterBytesForTesting(3);
    else if (how == "full0")
        SafeFile::setFailAfterBytesForTesting(0);
    else if (how == "nofolder")
        path = folder.path() + "gone/a.txt";
    else if (how == "notdir")
        path = folder.path() + "g/a.txt/b.txt";
    QString error;
    QVERIFY(!SafeFile::write(SafeFile::Purpose::Title, path, QByteArray(20000, 'n'), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    for (const QString& name : names)
        QCOMPARE(folder.readFile("g/" + name), QByteArray("old\r\n"));
    if (linked)
        QCOMPARE(inodeOf(folder.path() + "g/a.txt"), inodeOf(folder.path() + "g/b.txt"));
    QCOMPARE(QDir(folder.path() + "g")
                 .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
                 .filter(QRegularExpression("^(?!\\.filler)")),
             names);
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "TestSafeFile.moc"
