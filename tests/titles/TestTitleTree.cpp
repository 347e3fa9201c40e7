#include "TempDataFolder.h"
#include "titles/NodeState.h"
#include "titles/TitleTree.h"

#include <QTest>

class TestTitleTree : public QObject
{
    Q_OBJECT
private slots:
    void scanRules();
    void siblingOrder();
    void missingFolder();
    void nodeState_data();
    void nodeState();
    void nativePaths_data();
    void nativePaths();
};

static QStringList describe(const std::vector<TreeEntry>& nodes, const QString& indent = {})
{
    QStringList out;
    for (const TreeEntry& e : nodes) {
        QString line = indent + (e.kind == NodeKind::Group ? "G " : "T ") + e.text;
        if (e.kind == NodeKind::Title && e.fileName != e.text + ".txt")
            line += " [" + e.fileName + "]"; // the real file name, when it differs
        out << line;
        out << describe(e.children, indent + "  ");
    }
    return out;
}

void TestTitleTree::scanRules()
{
    TempDataFolder f;
    f.writeFile("Notes.TXT", "");
    f.writeFile("diary.txt", "");
    f.writeFile("list.txt.bak", "");
    f.writeFile("readme", "");
    f.writeFile(".hidden.txt", "");
    f.writeFile(".dotgroup/inside.txt", "");
    f.writeFile("Total.tol", "");
    f.writeFile("grp/sub/deep.txt", "");
    f.writeFile("back\\slash.txt", "");
    QDir().mkpath(f.path() + "empty");
    QDir().mkpath(f.path() + "a");
    f.writeFile("a.txt", "");
    const QStringList expected = {
        "G a", "T a", "T diary", "G empty", "G grp", "  G sub", "    T deep", "T Notes [Notes.TXT]",
    };
    QCOMPARE(describe(scanTitleTree(f.path())), expected);
}

void TestTitleTree::siblingOrder()
{
    TempDataFolder f;
    for (const char* n : {"banana.txt", "Apple.txt", "cherry.txt", "apricot.txt"})
        f.writeFile(n, "");
    QDir().mkpath(f.path() + "Bgroup");
    QCOMPARE(describe(scanTitleTree(f.path())),
             QStringList({"T Apple", "T apricot", "T banana", "G Bgroup", "T cherry"}));
}

void TestTitleTree::missingFolder()
{
    TempDataFolder f;
    QVERIFY(scanTitleTree(f.path() + "nothing/").empty());
}

void TestTitleTree::nodeState_data()
{
    QTest::addColumn<QStringList>("ancestors");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("groupPath");
    QTest::addColumn<QString>("displayFolder");
    QTest::addColumn<QString>("titleName");
    QTest::addColumn<QString>("parentPath");
    QTest::newRow("top-level title") << QStringList() << "Fruit" << 1 << ""
                                     << "root"
                                     << "Fruit"
                                     << "";
    QTest::newRow("nested title") << QStringList{"A", "B"} << "Fruit" << 1 << "A\\B"
                                  << "\"A\\B\""
                                  << "Fruit"
                                  << "";
    QTest::newRow("top-level group") << QStringList() << "personal" << 0 << "personal"
                                     << "\"personal\""
                                     << ""
                                     << "";
    QTest::newRow("nested group") << QStringList{"A"} << "B" << 0 << "A\\B"
                                  << "\"A\\B\""
                                  << ""
                                  << "A\\";
}

void TestTitleTree::nodeState()
{
    QFETCH(QStringList, ancestors);
    QFETCH(QString, text);
    QFETCH(int, kind);
    const NodeState s = computeNodeState(ancestors, text, NodeKind(kind));
    QCOMPARE(int(s.kind), kind);
    QTEST(s.groupPath, "groupPath");
    QTEST(s.displayFolder, "displayFolder");
    QTEST(s.titleName, "titleName");
    QTEST(s.parentPath, "parentPath");
}

void TestTitleTree::nativePaths_data()
{
    QTest::addColumn<QString>("groupPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("top level, doubled separator") << ""
                                                  << "Fruit"
                                                  << "Fruit.txt";
    QTest::newRow("nested") << "A\\B"
                            << "Fruit"
                            << "A/B/Fruit.txt";
}

void TestTitleTree::nativePaths()
{
    QFETCH(QString, groupPath);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    TempDataFolder f;
    f.writeFile(expected, "x");
    const QString rel = titleRelativePath(groupPath, name);
    QVERIFY(rel.startsWith(groupPath + "\\"));
    const QString path = nativePath(f.path(), rel);
    QCOMPARE(path, f.path() + expected);
    QVERIFY(QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestTitleTree)
#include "TestTitleTree.moc"
