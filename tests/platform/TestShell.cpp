#include "TempDataFolder.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

class TestShell : public QObject
{
    Q_OBJECT
private slots:
    void sweepReadOnlyAndBack();
    void sweepBackGivesWriteBitsOnly_data();
    void sweepBackGivesWriteBitsOnly();
    void sweepMissingFolderIsNoOp();
    void deleteFolderTree();
    void specialFoldersFollowXdg();
    void openReportsFailure();
    void canOpenType_data();
    void canOpenType();
};

static bool ownerWritable(const QString& path)
{
    return QFileInfo(path).permissions() & QFile::WriteOwner;
}

void TestShell::sweepReadOnlyAndBack()
{
    TempDataFolder folder;
    folder.writeFile("t.txt", "x");
    folder.writeFile("g/h/deep.txt", "x");
    folder.writeFile(".hidden/inside.txt", "x");
    // A group-writable title under umask 002 comes back group-writable.
    const mode_t oldMask = ::umask(002);
    const QFile::Permissions groupWrite = QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(folder.path() + "t.txt",
                          QFileInfo(folder.path() + "t.txt").permissions() | QFile::WriteGroup);
    Shell::sweepAttributes(folder.path(), Shell::ReadOnly);
    QCOMPARE(QFileInfo(folder.path() + "t.txt").permissions() & groupWrite, QFile::Permissions());
    for (const char* f : {"t.txt", "g/h/deep.txt", ".hidden/inside.txt"})
        QVERIFY2(!ownerWritable(folder.path() + f), f);
    // Folders stay writable so titles can still be added between runs.
    for (const char* d : {"", "g", "g/h", ".hidden"})
        QVERIFY2(ownerWritable(folder.path() + d), d);
    Shell::sweepAttributes(folder.path(), Shell::Normal);
    ::umask(oldMask);
    for (const char* f : {"t.txt", "g/h/deep.txt", ".hidden/inside.txt"})
        QVERIFY2(ownerWritable(folder.path() + f), f);
    QCOMPARE(QFileInfo(folder.path() + "t.txt").permissions() & groupWrite,
             QFile::Permissions(QFile::WriteGroup));
}

// The start-up sweep on a file left without write access: the write bits a new
// file gets come back on top of its own, and its owner can read it.
void TestShell::sweepBackGivesWriteBitsOnly_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("swept");
    QTest::newRow("0444, as our exit leaves it") << 0444 << 022 << 0644;
    QTest::newRow("0444 under umask 002") << 0444 << 002 << 0664;
    QTest::newRow("000: readable again") << 0 << 022 << 0600;
    QTest::newRow("0040: group read stays") << 040 << 077 << 0640;
    QTest::newRow("0640 has write: kept") << 0640 << 022 << 0640;
}

void TestShell::sweepBackGivesWriteBitsOnly()
{
    QFETCH(int, mode);
    QFETCH(int, mask);
    TempDataFolder folder;
    const QByteArray file = QFile::encodeName(folder.writeFile("t.txt", "x"));
    QVERIFY(::chmod(file.constData(), mode_t(mode)) == 0);
    const mode_t oldMask = ::umask(mode_t(mask));
    Shell::sweepAttributes(folder.path(), Shell::Normal);
    ::umask(oldMask);
    struct stat st;
    QVERIFY(::stat(file.constData(), &st) == 0);
    QTEST(int(st.st_mode & 0777), "swept");
}

void TestShell::sweepMissingFolderIsNoOp()
{
    TempDataFolder folder;
    Shell::sweepAttributes(folder.path() + "missing/", Shell::ReadOnly);
    QVERIFY(!folder.exists("missing"));
}

void TestShell::deleteFolderTree()
{
    TempDataFolder folder;
    folder.writeFile("g/h/deep.txt", "x");
    Shell::sweepAttributes(folder.path(), Shell::ReadOnly);
    QVERIFY(Shell::deleteFolderTree(folder.path() + "g"));
    QVERIFY(!folder.exists("g"));
    QVERIFY(!Shell::deleteFolderTree(folder.path() + "g"));
}

void TestShell::specialFoldersFollowXdg()
{
    TempDataFolder home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + ".config").toUtf8());
    home.writeFile(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    const QString docs = Shell::specialFolderPath(Shell::SpecialFolder::Personal);
    QCOMPARE(docs, home.path() + "Papers");
    QVERIFY(!docs.endsWith('/'));
}

// The report viewer falls back on its own window when open() says nothing
// could show the file: a desktop without a launcher must say so.
void TestShell::openReportsFailure()
{
    TempDataFolder folder;
    const QString file = folder.writeFile("Total.tol", "x\r\n");
    QVERIFY(!Shell::open(file)); // the offscreen desktop launches nothing
    QString seen;
    Shell::setOpenHandlerForTesting([&](const QString& t) {
        seen = t;
        return true;
    });
    QVERIFY(Shell::open(file));
    QCOMPARE(seen, file);
    Shell::setOpenHandlerForTesting({});
    QVERIFY(!Shell::open(file));
}

void TestShell::canOpenType_data()
{
    QTest::addColumn<QStringList>("tools"); // stand-ins on PATH, and what they print
    QTest::addColumn<bool>("can");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no launcher") << QStringList{} << false << "xdg-open is not installed";
    QTest::newRow("launcher, nothing tells") << QStringList{"xdg-open"} << true << "";
    QTest::newRow("launcher, no application")
        << QStringList{"xdg-open", "xdg-mime"} << false << "No application is set up";
    QTest::newRow("launcher and application")
        << QStringList{"xdg-open", "xdg-mime writer.desktop"} << true << "";
}

void TestShell::canOpenType()
{
    QFETCH(QStringList, tools);
    QFETCH(bool, can);
    QFETCH(QString, reason);
    TempDataFolder bin;
    for (const QString& tool : tools)
        bin.writeTool(tool.section(' ', 0, 0), tool.section(' ', 1).toUtf8());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    const QString type = "application/vnd.openxmlformats-officedocument.wordprocessingml.document";
    QString said;
    const bool answer = Shell::canOpenType(type, &said);
    QString openSaid;
    const bool opened = Shell::open(bin.path(), &openSaid);
    qputenv("PATH", path);
    QCOMPARE(answer, can);
    if (!can) {
        QVERIFY2(said.contains(reason), qPrintable(said));
        QVERIFY2(!reason.startsWith("No application") || said.contains(type), qPrintable(said));
    }
    // The offscreen desktop starts nothing; without a launcher it says why.
    QVERIFY(!opened);
    QCOMPARE(openSaid.contains("xdg-open is not installed"), tools.isEmpty());
}

QTEST_MAIN(TestShell)
#include "TestShell.moc"
