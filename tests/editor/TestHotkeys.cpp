#include "editor/Hotkeys.h"

#include <QSet>
#include <QTest>

class TestHotkeys : public QObject
{
    Q_OBJECT
private slots:
    void column_data();
    void column();
    void limit_data();
    void limit();
};

void TestHotkeys::column_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("second letters") << "C" << QStringList{"Apple", "Apricot", "Banana", "Bean"}
                                    << QStringList{"A", "P", "B", "E"};
    QTest::newRow("third letter") << "C" << QStringList{"Apple", "Apricot", "Apron"}
                                  << QStringList{"A", "P", "R"};
    QTest::newRow("lower case upper-cased")
        << "C" << QStringList{"apple", "bean"} << QStringList{"A", "B"};
    // "NO-" of an earlier row begins with N: no N in the first pass.
    QTest::newRow("N after NO-") << "C" << QStringList{"Apple", "Avocado", "Nut"}
                                 << QStringList{"A", "V", "U"};
    QTest::newRow("N after NO-, short entry")
        << "C" << QStringList{"A", "Ab", "N"} << QStringList{"A", "B", "C"};
    QTest::newRow("N before NO-") << "C" << QStringList{"Nut", "Apple", "Avocado"}
                                  << QStringList{"N", "A", "V"};
    QTest::newRow("N held later by second letter")
        << "C" << QStringList{"Aa", "An", "Nut"} << QStringList{"A", "N", "U"};
    QTest::newRow("digits first") << "C" << QStringList{"1st", "2nd", "Apple"}
                                  << QStringList{"1", "2", "A"};
    QTest::newRow("digit taken, second letter")
        << "C" << QStringList{"1a", "1b"} << QStringList{"1", "B"};
    QTest::newRow("digit as second character")
        << "C" << QStringList{"A", "A1"} << QStringList{"A", "1"};
    QTest::newRow("first free letter") << "C" << QStringList{"Aaa", "AAA"} << QStringList{"A", "B"};
    QTest::newRow("one character has no second")
        << "C" << QStringList{"B", "b"} << QStringList{"B", "A"};
    QTest::newRow("two characters have no third")
        << "C" << QStringList{"Ab", "AB", "Bz"} << QStringList{"A", "C", "B"};
    QTest::newRow("punctuation not eligible")
        << "C" << QStringList{"-x", "(y)", "!!!"} << QStringList{"X", "Y", "A"};
    QTest::newRow("non-ASCII never eligible")
        << "C" << QStringList{"Äpfel", "éa", "中文"} << QStringList{"P", "A", "B"};
    QTest::newRow("non-ASCII upper-casing to ASCII")
        << "C" << QStringList{"ıx"} << QStringList{"X"};
    QTest::newRow("turkish i is not I") << "tr_TR" << QStringList{"ice"} << QStringList{"C"};
    QTest::newRow("i is I elsewhere") << "C" << QStringList{"ice"} << QStringList{"I"};
    QTest::newRow("empty list") << "C" << QStringList{} << QStringList{};
}

void TestHotkeys::column()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, keys);
    const HotkeyColumn column = AssignHotkeys(entries, QLocale(locale));
    QCOMPARE(column.texts(), keys);
    QCOMPARE(column.size(), keys.size());
    for (qsizetype row = 0; row < keys.size(); ++row)
        QCOMPARE(column.text(row), keys.at(row));
}

void TestHotkeys::limit_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("expectedAssigned");

    auto numbered = [](int n, const char* stem) {
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << QStringLiteral("%1%2").arg(QLatin1String(stem)).arg(i, 5, 10, QLatin1Char('0'));
        return l;
    };
    QTest::newRow("one") << numbered(1, "Item") << 1;
    QTest::newRow("36") << numbered(36, "Item") << 36;
    QTest::newRow("37") << numbered(37, "Item") << 36;
    QTest::newRow("40 alike") << numbered(40, "Item") << 36;
    QTest::newRow("no letters") << numbered(50, "中") << 36;
    QTest::newRow("20000") << numbered(20000, "x") << 36;
}

// However many entries, the characters go to at most 36 of them, never two
// alike, and in the menu order of the column.
void TestHotkeys::limit()
{
    QFETCH(QStringList, entries);
    QFETCH(int, expectedAssigned);
    const HotkeyColumn column = AssignHotkeys(entries, QLocale::c());
    const QStringList texts = column.texts();
    QCOMPARE(texts.size(), entries.size());

    const QList<HotkeyColumn::Assigned> assigned = column.assigned();
    QCOMPARE(assigned.size(), expectedAssigned);
    QSet<QChar> seen;
    qsizetype previous = -1;
    for (const HotkeyColumn::Assigned& a : assigned) {
        QVERIFY(a.row > previous);
        previous = a.row;
        QVERIFY((a.key >= u'A' && a.key <= u'Z') || (a.key >= u'0' && a.key <= u'9'));
        QVERIFY(!seen.contains(a.key));
        seen.insert(a.key);
        QCOMPARE(texts.at(a.row), QString(a.key));
        QCOMPARE(column.key(a.row), a.key);
    }
    QCOMPARE(texts.count(HotkeyColumn::noHotkeyText()), entries.size() - expectedAssigned);
}

QTEST_GUILESS_MAIN(TestHotkeys)
#include "TestHotkeys.moc"
