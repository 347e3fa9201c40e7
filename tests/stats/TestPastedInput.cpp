#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/PastedInput.h"

#include <QTest>

// The pasted table's grammar and the report made from it.
class TestPastedInput : public QObject
{
    Q_OBJECT
private slots:
    void grammar_data();
    void grammar();
    void report_data();
    void report();
};

void TestPastedInput::grammar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<int>("errorLine"); // -1: accepted

    using L = QStringList;
    QTest::newRow("mixed comma and tab lines")
        << "Work,28\nThinking\t56\n Set aside all worries , 77 "
        << L{"Work", "Thinking", "Set aside all worries"} << L{"28", "56", "77"} << 161LL << -1;
    QTest::newRow("a tab wins over a comma") << "a,b\t3" << L{"a,b"} << L{"3"} << 3LL << -1;
    QTest::newRow("name tab tab count") << "Study\t\t21" << L{"Study"} << L{"21"} << 21LL << -1;
    QTest::newRow("number only, empty name") << "42" << L{""} << L{"42"} << 42LL << -1;
    QTest::newRow("one trailing line break") << "a,1\n" << L{"a"} << L{"1"} << 1LL << -1;
    QTest::newRow("CR LF and lone CR") << "a,1\r\nb,2\rc,3\r\n"
                                       << L{"a", "b", "c"} << L{"1", "2", "3"} << 6LL << -1;
    QTest::newRow("duplicate names stay apart")
        << "a,1\na,2" << L{"a", "a"} << L{"1", "2"} << 3LL << -1;
    QTest::newRow("$1F and 0x1f") << "x,$1F\ny,0x1f\nz,-0X1f" << L{"x", "y", "z"}
                                  << L{"$1F", "0x1f", "-0X1f"} << 31LL << -1;
    QTest::newRow("+07 kept as typed") << "a, +07" << L{"a"} << L{"+07"} << 7LL << -1;
    QTest::newRow("32-bit bounds")
        << "a,2147483647\nb,-2147483648\nc,-$80000000" << L{"a", "b", "c"}
        << L{"2147483647", "-2147483648", "-$80000000"} << -2147483649LL << -1;
    QTest::newRow("empty input has no line") << "" << L{} << L{} << 0LL << -1;

    QTest::newRow("2147483648 refused") << "a,1\nb,2147483648" << L{} << L{} << 0LL << 1;
    QTest::newRow("$80000000 refused") << "a,$80000000" << L{} << L{} << 0LL << 0;
    QTest::newRow("two trailing line breaks") << "a,1\n\n" << L{} << L{} << 0LL << 1;
    QTest::newRow("blank line in the middle") << "a,1\n \t\nb,2" << L{} << L{} << 0LL << 1;
    QTest::newRow("third column") << "a,1,2" << L{} << L{} << 0LL << 0;
    QTest::newRow("no number") << "a,1\nb,2\napple" << L{} << L{} << 0LL << 2;
    QTest::newRow("empty count") << "a," << L{} << L{} << 0LL << 0;
    QTest::newRow("sign or prefix alone") << "a,-\nb,$\nc,0x" << L{} << L{} << 0LL << 0;
    QTest::newRow("blank inside the number") << "a,1 2" << L{} << L{} << 0LL << 0;
    QTest::newRow("decimal point") << "a,1.5" << L{} << L{} << 0LL << 0;
    QTest::newRow("hex digits without prefix") << "a,1F" << L{} << L{} << 0LL << 0;
    QTest::newRow("other digits") << QString("a,\u0661") << L{} << L{} << 0LL << 0;
}

void TestPastedInput::grammar()
{
    QFETCH(QString, text);
    QFETCH(int, errorLine);
    const PastedInput::Parsed parsed = PastedInput::parse(PastedInput::inputLines(text));
    QCOMPARE(parsed.errorLine, errorLine);
    QStringList names, counts;
    qint64 sum = 0;
    for (const PastedInput::Row& row : parsed.rows) {
        names << row.name;
        counts << row.countText;
        sum += row.count;
    }
    QTEST(names, "names");
    QTEST(counts, "counts");
    QTEST(sum, "sum");
}

void TestPastedInput::report_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<QStringList>("lines"); // after the four header lines

    QTest::newRow("the five example rows")
        << "Set aside all worries,77\nThinking,56\nOverall plan,14\nWork,28\nStudy,21" << 196LL
        << 77LL
        << QStringList{"77--39%--Set aside all worries", "56--29%--Thinking",
                       "14--7%--Overall plan", "28--14%--Work", "21--11%--Study"};
    QTest::newRow("equal counts") << "a,1\nb,1\nc,1" << 3LL << 1LL
                                  << QStringList{"1--33%--a", "1--33%--b", "1--33%--c"};
    QTest::newRow("all zero: 0%, MaxCount 1")
        << "a,0\nb,00" << 0LL << 1LL << QStringList{"0--0%--a", "00--0%--b"};
    QTest::newRow("negatives cancelling")
        << "a,5\nb,-5" << 0LL << 5LL << QStringList{"5--0%--a", "-5--0%--b"};
    QTest::newRow("sum beyond 32 bits")
        << "a,2147483647\nb,$7FFFFFFF\nc,2" << 4294967296LL << 2147483647LL
        << QStringList{"2147483647--50%--a", "$7FFFFFFF--50%--b", "2--0%--c"};
}

void TestPastedInput::report()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const PastedInput::Parsed parsed = PastedInput::parse(PastedInput::inputLines(text));
    QVERIFY(parsed.ok());
    const TallyResult r =
        PastedInput::report(parsed.rows, DateFormat("yyyy-M-d"),
                            Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(21, 5, 33))));
    QCOMPARE(r.reportLines,
             QStringList({"statistics:", "   ", "Count time:2024-3-3 21:05:33", ""}) + lines);
    QTEST(r.totalCount, "total");
    QTEST(r.maxCount, "max");
    QCOMPARE(r.distinctCount, lines.size());
    QCOMPARE(r.names.size(), lines.size());
}

QTEST_MAIN(TestPastedInput)
#include "TestPastedInput.moc"
