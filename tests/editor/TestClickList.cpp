#include "editor/ClickList.h"

#include <QTest>

class TestClickList : public QObject
{
    Q_OBJECT
private slots:
    void rebuild_data();
    void rebuild();
    void rebuildReplaces();
    void add_data();
    void add();
    void addAgreesWithRebuild_data();
    void addAgreesWithRebuild();
};

void TestClickList::rebuild_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("case and blanks") << "C" << QStringList{"Apple", "apple", "Apple  ", "//x", ""}
                                     << QStringList{"Apple", "apple"};
    QTest::newRow("equal ignoring case keeps arrival")
        << "C" << QStringList{"apple", "Banana", "APPLE", "Apple"}
        << QStringList{"apple", "APPLE", "Apple", "Banana"};
    QTest::newRow("order ignores case") << "C" << QStringList{"cherry", "Banana", "apple", "Date"}
                                        << QStringList{"apple", "Banana", "cherry", "Date"};
    QTest::newRow("same order in en_US")
        << "en_US" << QStringList{"cherry", "Banana", "apple", "Date"}
        << QStringList{"apple", "Banana", "cherry", "Date"};
    QTest::newRow("comments after blanks and controls")
        << "C" << QStringList{"   //x", "\t// y", "//2024-3-1", "\x01//z"} << QStringList{};
    QTest::newRow("outer controls trimmed, inner kept")
        << "C" << QStringList{"\tPear\r", "Apple  pie", "Apple pie", " Apple pie "}
        << QStringList{"Apple  pie", "Apple pie", "Pear"};
    QTest::newRow("blank lines") << "C" << QStringList{"", "   ", "\t"} << QStringList{};
    QTest::newRow("no numeric order")
        << "C" << QStringList{"item9", "item10"} << QStringList{"item10", "item9"};
    QTest::newRow("german umlaut with its letter")
        << "de_DE" << QStringList{"Birne", "Äpfel", "Apfel"}
        << QStringList{"Apfel", "Äpfel", "Birne"};
    QTest::newRow("swedish umlaut after z")
        << "sv_SE" << QStringList{"Äpple", "Zebra", "Apa"} << QStringList{"Apa", "Zebra", "Äpple"};
}

void TestClickList::rebuild()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, entries);
    const ClickList list = ClickList::fromLines(lines, QLocale(locale));
    QCOMPARE(list.entries(), entries);
    QCOMPARE(list.size(), entries.size());
    for (const QString& e : entries)
        QVERIFY(list.contains(e));
    // Membership is exact: another case or outer blanks are not an entry.
    for (const QString& e : entries) {
        if (!entries.contains(e.toUpper()))
            QVERIFY(!list.contains(e.toUpper()));
        QVERIFY(!list.contains(e + QLatin1Char(' ')));
    }
}

void TestClickList::rebuildReplaces()
{
    ClickList list(QLocale::c());
    list.rebuild(QStringList{"Apple", "Banana"});
    list.add(u"Cherry");
    list.rebuild(QStringList{"Banana"});
    QCOMPARE(list.entries(), QStringList{"Banana"});
    // Nothing of the old contents may linger in the membership test.
    QVERIFY(!list.contains(u"Apple"));
    QVERIFY(!list.contains(u"Cherry"));
    QCOMPARE(list.add(u"Apple"), 0);
}

void TestClickList::add_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("item");
    QTest::addColumn<qsizetype>("row");
    QTest::addColumn<QStringList>("entries");

    const QStringList ac{"Apple", "Cherry"};
    QTest::newRow("between") << ac << "banana" << qsizetype(1)
                             << QStringList{"Apple", "banana", "Cherry"};
    QTest::newRow("first") << ac << "aardvark" << qsizetype(0)
                           << QStringList{"aardvark", "Apple", "Cherry"};
    QTest::newRow("last") << ac << "zebra" << qsizetype(2)
                          << QStringList{"Apple", "Cherry", "zebra"};
    QTest::newRow("into empty") << QStringList{} << "Kiwi" << qsizetype(0) << QStringList{"Kiwi"};
    QTest::newRow("after equal ignoring case")
        << QStringList{"Apple", "apple", "Banana"} << "APPLE" << qsizetype(2)
        << QStringList{"Apple", "apple", "APPLE", "Banana"};
    QTest::newRow("present") << ac << "Apple" << qsizetype(-1) << ac;
    QTest::newRow("empty") << ac << "" << qsizetype(-1) << ac;
    QTest::newRow("comment") << ac << "//Banana" << qsizetype(-1) << ac;
    QTest::newRow("untrimmed") << ac << " Banana" << qsizetype(-1) << ac;
    QTest::newRow("trailing control") << ac << "Banana\t" << qsizetype(-1) << ac;
}

void TestClickList::add()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, item);
    QFETCH(qsizetype, row);
    QFETCH(QStringList, entries);
    ClickList list = ClickList::fromLines(lines, QLocale::c());
    QCOMPARE(list.add(item), row);
    QCOMPARE(list.entries(), entries);
    if (row >= 0) {
        QVERIFY(list.contains(item));
        QCOMPARE(list.add(item), qsizetype(-1));
        QCOMPARE(list.size(), entries.size());
    }
}

void TestClickList::addAgreesWithRebuild_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("mixed case") << "C" << QStringList{"pear",  "Pear",   "apple", "PEAR",
                                                      "Apple", "banana", "apple"};
    QTest::newRow("german") << "de_DE"
                            << QStringList{"Öl", "ol", "Ol", "Ähre", "ahre", "Zoo", "öl"};
    QTest::newRow("punctuation and digits")
        << "en_US" << QStringList{"a-b", "ab", "a b", "10", "9", "A-B", "_x", "x"};
    QTest::newRow("many") << "C" << [] {
        QStringList l;
        for (int i = 0; i < 300; ++i)
            l << QStringLiteral("%1item%2").arg(QChar(i % 2 ? 'a' : 'A')).arg((i * 7919) % 97);
        return l;
    }();
}

// Items added one by one, in the order of the lines, end up exactly where a
// full rebuild of the same lines puts them.
void TestClickList::addAgreesWithRebuild()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, lines);
    ClickList incremental{QLocale(locale)};
    for (const QString& line : lines)
        incremental.add(line);
    QCOMPARE(incremental.entries(), ClickList::fromLines(lines, QLocale(locale)).entries());
}

QTEST_GUILESS_MAIN(TestClickList)
#include "TestClickList.moc"
