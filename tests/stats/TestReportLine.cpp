#include "stats/ReportLine.h"

#include <QTest>

class TestReportLine : public QObject
{
    Q_OBJECT
private slots:
    void percent_data();
    void percent();
    void line_data();
    void line();
};

void TestReportLine::percent_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 of 8, half up") << 1LL << 8LL << "13";
    QTest::newRow("3 of 8, half up") << 3LL << 8LL << "38";
    QTest::newRow("5 of 8, half up") << 5LL << 8LL << "63";
    QTest::newRow("1 of 40, half up (2.5)") << 1LL << 40LL << "3";
    QTest::newRow("1 of 200, half up (0.5)") << 1LL << 200LL << "1";
    QTest::newRow("1 of 3") << 1LL << 3LL << "33";
    QTest::newRow("2 of 3") << 2LL << 3LL << "67";
    QTest::newRow("1 of 201") << 1LL << 201LL << "0";
    QTest::newRow("all") << 5LL << 5LL << "100";
    QTest::newRow("none") << 0LL << 5LL << "0";
    QTest::newRow("70000 of 70001") << 70000LL << 70001LL << "100";
    QTest::newRow("more than the total") << 3LL << 2LL << "150";
    QTest::newRow("negative half away from zero") << -1LL << 8LL << "-13";
    QTest::newRow("negative total") << 1LL << -8LL << "-13";
    QTest::newRow("small negative is 0, not -0") << -1LL << 201LL << "0";
    QTest::newRow("total 0") << 3LL << 0LL << "0";
    QTest::newRow("huge counts") << 4'000'000'000'000LL << 8'000'000'000'000LL << "50";
}

void TestReportLine::percent()
{
    QFETCH(qint64, count);
    QFETCH(qint64, total);
    QFETCH(QString, expected);
    QCOMPARE(formatPercent(count, total), expected);
}

void TestReportLine::line_data()
{
    QTest::addColumn<QString>("countText");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("worked example") << "3" << 3LL << 5LL << "apple"
                                    << "3--60%--apple";
    QTest::newRow("name with dashes and blanks") << "1" << 1LL << 8LL << "a -- b  "
                                                 << "1--13%--a -- b  ";
    QTest::newRow("empty name") << "2" << 2LL << 2LL << ""
                                << "2--100%--";
    QTest::newRow("count text as given") << "007" << 7LL << 7LL << "x"
                                         << "007--100%--x";
}

void TestReportLine::line()
{
    QFETCH(QString, countText);
    QFETCH(qint64, count);
    QFETCH(qint64, total);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(reportLine(countText, count, total, name), expected);
}

QTEST_GUILESS_MAIN(TestReportLine)
#include "TestReportLine.moc"
