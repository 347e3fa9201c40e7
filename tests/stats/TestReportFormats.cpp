#include "stats/ReportFormats.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTest>

namespace {

TallyOutcome counted(const QStringList& names, const QStringList& counts, qint64 total)
{
    TallyOutcome o;
    o.counted = true;
    o.result.names = names;
    o.result.countTexts = counts;
    o.result.totalCount = total;
    o.fromDate = "2024-3-1";
    o.toDate = "2024-3-3";
    o.days = 2;
    o.countTime = "2024-3-3 21:05:33";
    return o;
}

// A period's report as one string, for comparing.
QString described(const FileTally::PeriodReport& p)
{
    QString text = p.name + ' ' + p.report.fromDate + ' ' + p.report.toDate + ' ' +
                   QString::number(p.report.days) + ' ' + QString::number(p.report.total);
    for (const TallyCounting::CountedItem& item : p.report.items)
        text += ' ' + QString::fromUtf8(item.name.data(), qsizetype(item.name.size())) + '=' +
                QString::number(item.count);
    return text;
}

} // namespace

class TestReportFormats : public QObject
{
    Q_OBJECT
private slots:
    void csvQuoting_data();
    void csvQuoting();
    void jsonParsesBack();
    void countsAsTyped_data();
    void countsAsTyped();
    void manyPeriods_data();
    void manyPeriods();
};

void TestReportFormats::csvQuoting_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain, blanks kept") << " apple pie "
                                        << " apple pie ";
    QTest::newRow("comma") << "salt, pepper"
                           << "\"salt, pepper\"";
    QTest::newRow("quote doubled") << "say \"hi\""
                                   << "\"say \"\"hi\"\"\"";
    QTest::newRow("CR LF") << "two\r\nlines"
                           << "\"two\r\nlines\"";
    QTest::newRow("lone LF") << "a\nb"
                             << "\"a\nb\"";
}

void TestReportFormats::csvQuoting()
{
    QFETCH(QString, item);
    QFETCH(QString, field);
    const TallyOutcome o = counted({item, "x"}, {"2", "1"}, 3);
    QCOMPARE(ReportFormats::csv(o),
             ("item,count,percent\r\n" + field + ",2,67\r\nx,1,33\r\n").toUtf8());
    TallyOutcome none = o;
    none.counted = false; // the lists then hold an earlier result
    QCOMPARE(ReportFormats::csv(none), QByteArray("item,count,percent\r\n"));
}

void TestReportFormats::jsonParsesBack()
{
    const TallyOutcome o = counted({"a \"b\"\n", "c"}, {"7", "1"}, 8);
    const QByteArray text = ReportFormats::json(o, "Fruit");
    QVERIFY(text.startsWith(R"({"title":"Fruit","from":"2024-3-1","to":"2024-3-3","days":2,)"));
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(text, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.keys(),
             (QStringList{"count_time", "days", "from", "items", "title", "to", "total"}));
    QCOMPARE(root["title"].toString(), "Fruit");
    QCOMPARE(root["from"].toString(), "2024-3-1");
    QCOMPARE(root["to"].toString(), "2024-3-3");
    QCOMPARE(root["days"].toInt(), 2);
    QCOMPARE(root["count_time"].toString(), "2024-3-3 21:05:33");
    QCOMPARE(root["total"].toInt(), 8);
    const QJsonArray items = root["items"].toArray();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0].toObject(),
             (QJsonObject{{"item", "a \"b\"\n"}, {"count", 7}, {"percent", 88}}));
    QCOMPARE(items[1].toObject(), (QJsonObject{{"item", "c"}, {"count", 1}, {"percent", 13}}));

    // What UTF-8 cannot hold (a lone surrogate of a UTF-16 title) is "?", as in the text.
    const QString lone = QString("x") + QChar(0xD800);
    const QByteArray odd = ReportFormats::json(counted({lone}, {"1"}, 1), lone);
    QVERIFY2(!odd.contains("\\u"), odd.constData());
    QCOMPARE(QJsonDocument::fromJson(odd, &error).object()["title"].toString(), "x?");
    QCOMPARE(error.error, QJsonParseError::NoError);
}

// A pasted table's counts may be hexadecimal: CSV and JSON carry their
// values, and the percentages the text report shows.
void TestReportFormats::countsAsTyped_data()
{
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("csvRows");
    QTest::newRow("decimal, sign, leading zero")
        << QStringList{"+01", "3"} << 4LL << "a,1,25\r\nb,3,75\r\n";
    QTest::newRow("0x and $") << QStringList{"0x10", "$ff", "9"} << 280LL
                              << "a,16,6\r\nb,255,91\r\nc,9,3\r\n";
    QTest::newRow("32-bit ends") << QStringList{"-0x80000000", "$7FFFFFFF"} << -1LL
                                 << "a,-2147483648,214748364800\r\nb,2147483647,-214748364700\r\n";
}

void TestReportFormats::countsAsTyped()
{
    QFETCH(QStringList, counts);
    QFETCH(qint64, total);
    QFETCH(QString, csvRows);
    const QStringList names = QStringList{"a", "b", "c"}.mid(0, counts.size());
    const TallyOutcome o = counted(names, counts, total);
    QCOMPARE(QString::fromUtf8(ReportFormats::csv(o)), "item,count,percent\r\n" + csvRows);
    const QJsonArray items =
        QJsonDocument::fromJson(ReportFormats::json(o, "T")).object()["items"].toArray();
    QCOMPARE(items.size(), counts.size());
    const QStringList rows = csvRows.split("\r\n");
    for (qsizetype i = 0; i < counts.size(); ++i) {
        const QStringList fields = rows[i].split(',');
        QCOMPARE(items[i]["count"].toInteger(), fields[1].toLongLong());
        QCOMPARE(items[i]["percent"].toInteger(), fields[2].toLongLong());
    }
}

void TestReportFormats::manyPeriods_data()
{
    QTest::addColumn<bool>("inOrder");
    QTest::newRow("days in date order") << true;
    QTest::newRow("days in any order, periods met again") << false;
}

// A title of many days of many items is counted on two threads and its
// report written on two: the same reports, in the same order, as one thread
// counts and as each period written alone gives.
void TestReportFormats::manyPeriods()
{
    QFETCH(bool, inOrder);
    QRandomGenerator rng(7);
    QByteArray file = "before\r\nany date\r\n";
    const QDate first(2020, 1, 1);
    for (int day = 0; day < 4000; ++day) {
        const QDate date = first.addDays(inOrder ? day : rng.bounded(2000));
        file += "//" + date.toString("yyyy-M-d").toUtf8() + "\r\n";
        for (int k = 0; k < 60; ++k)
            file += "item " + QByteArray::number(rng.bounded(3000)) + "\r\n";
    }
    QTemporaryFile onDisk;
    QVERIFY(onDisk.open() && onDisk.write(file) == file.size() && onDisk.flush());
    const auto count = [&](int threads, bool onDemand = false) {
        FileTally::Options options;
        options.by = FileTally::Period::Day;
        options.threads = threads;
        options.splitAbove = 0;
        options.periodsOnDemand = onDemand;
        return FileTally::count(onDisk.handle(), file.size(), onDisk.fileName(), options);
    };
    const FileTally::Result one = count(1);
    const FileTally::Result two = count(2);
    const FileTally::Result three = count(3); // the second and third joined to the first
    QVERIFY(two.periods.size() > 1000);
    for (const FileTally::Result* joined : {&two, &three}) {
        QCOMPARE(joined->error, QString());
        QCOMPARE(joined->undatedItems, 2);
        QCOMPARE(joined->periods.size(), one.periods.size());
        for (size_t i = 0; i < one.periods.size(); ++i)
            QCOMPARE(described(joined->periods[i]), described(one.periods[i]));
    }

    const QByteArray csv = ReportFormats::periodsCsv(two.periods);
    QByteArray alone = "period,item,count,percent\r\n";
    for (const FileTally::PeriodReport& p : two.periods)
        alone += ReportFormats::periodsCsv({p}).mid(alone.indexOf('\n') + 1);
    QCOMPARE(csv, alone);

    // Written to a sink, a piece at a time; a failed piece is told.
    QByteArray pieces;
    int calls = 0;
    QVERIFY(ReportFormats::periodsCsv(two.periods, [&](QByteArrayView piece) {
        pieces += piece;
        return ++calls > 0;
    }));
    QVERIFY(calls > 1);
    QCOMPARE(pieces, csv);
    // Each period's report made as it is written.
    QByteArray made;
    QVERIFY(ReportFormats::periodsCsv(count(2, true), [&](QByteArrayView piece) {
        made += piece;
        return true;
    }));
    QCOMPARE(made, csv);
    calls = 0;
    QVERIFY(!ReportFormats::periodsText(two.periods, "T", "day", "now",
                                        [&](QByteArrayView) { return ++calls != 2; }));
}

QTEST_GUILESS_MAIN(TestReportFormats)
#include "TestReportFormats.moc"
