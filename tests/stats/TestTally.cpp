#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/FileTally.h"
#include "stats/Tally.h"
#include "titles/TitleLineViews.h"
#include "titles/TitleText.h"

#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTest>
#include <algorithm>

namespace {

const QDateTime kNow(QDate(2024, 3, 3), QTime(21, 5, 33));
const QString kRule1 = "//Rule:Must press the Enter key, after typing a item each time.";
const QString kRule2 = "//If beginning of a row is \"//\",this row can not be counted.";

// Every test runs twice (see initTestCase_data): over the lines as text, and
// over the bytes of the title file that holds them.
TallyOutcome run(const QStringList& lines, qsizetype capacity, const QString& title,
                 const DateFormat& format, const Clock& clock, const TallyResult& previous)
{
    QFETCH_GLOBAL(bool, fileBytes);
    if (fileBytes)
        return runTallyOnFile(TitleText::encode(lines), capacity, title, format, clock, previous);
    return runTally(lines, capacity, title, format, clock, previous);
}

// A tally as the report commands run it: the click list rebuilt from the same lines.
TallyOutcome tally(const QStringList& lines, const QString& pattern = "yyyy-M-d",
                   const TallyResult& previous = TallyResult())
{
    return run(lines, countDistinctItems(lines), "Fruit", DateFormat(pattern, "HH:mm:ss"),
               Clock::fixed(kNow), previous);
}

TallyResult somePreviousResult()
{
    TallyResult r;
    r.names = QStringList{"old", "older"};
    r.countTexts = QStringList{"4", "2"};
    r.reportLines = QStringList{"statistics:", "   Old"};
    r.distinctCount = 2;
    r.totalCount = 6;
    r.maxCount = 4;
    return r;
}

// The lists must agree with the item lines of the report, entry for entry.
void verifyListsMatchReport(const TallyResult& r)
{
    QCOMPARE(r.names.size(), r.distinctCount);
    QCOMPARE(r.countTexts.size(), r.distinctCount);
    QCOMPARE(r.reportLines.size(), 6 + r.distinctCount);
    qint64 sum = 0;
    for (qsizetype i = 0; i < r.names.size(); ++i) {
        QVERIFY(r.reportLines[6 + i].startsWith(r.countTexts[i] + "--"));
        QVERIFY(r.reportLines[6 + i].endsWith("%--" + r.names[i]));
        sum += r.countTexts[i].toLongLong();
    }
    QCOMPARE(sum, r.totalCount);
    QCOMPARE(r.maxCount, r.countTexts.isEmpty() ? 0 : r.countTexts.first().toLongLong());
}

} // namespace

class TestTally : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void workedExample();
    void header_data();
    void header();
    void datesDaysAndItems_data();
    void datesDaysAndItems();
    void noItemKeepsPreviousResult_data();
    void noItemKeepsPreviousResult();
    void capacity_data();
    void capacity();
    void countsBeyondSixteenBits();
    void longItemsKeptWhole();
    void matchesLiteralCounting_data();
    void matchesLiteralCounting();
    void distinctItems_data();
    void distinctItems();
    void fileBytesAsDecoded_data();
    void fileBytesAsDecoded();
    void fileCutShort_data();
    void fileCutShort();
    void periodNames_data();
    void periodNames();
};

void TestTally::initTestCase_data()
{
    QTest::addColumn<bool>("fileBytes");
    QTest::newRow("lines") << false;
    QTest::newRow("file bytes") << true;
}

void TestTally::workedExample()
{
    const QStringList lines{kRule1,   "",           "//2024-3-1", "apple", "pear",
                            "apple ", "//2024-3-2", "//2024-3-3", "Apple", "apple"};
    const TallyOutcome out = tally(lines, "yyyy-M-d", somePreviousResult());
    QVERIFY(out.counted);
    QCOMPARE(out.uncountedLines, 0);
    const TallyResult& r = out.result;
    const QStringList expected{"statistics:",
                               "   Fruit",
                               "From 2024-3-1 to 2024-3-3",
                               "Counted of days:2",
                               "Count time:2024-3-3 21:05:33",
                               "",
                               "3--60%--apple",
                               "1--20%--pear",
                               "1--20%--Apple"};
    QCOMPARE(r.reportLines, expected);
    QCOMPARE(r.names, (QStringList{"apple", "pear", "Apple"}));
    QCOMPARE(r.countTexts, (QStringList{"3", "1", "1"}));
    QCOMPARE(r.distinctCount, 3);
    QCOMPARE(r.totalCount, 5);
    QCOMPARE(r.maxCount, 3);
}

void TestTally::header_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("titleLine");
    QTest::addColumn<QString>("timeLine");
    QTest::newRow("title and time") << "yyyy-M-d"
                                    << "Fruit" << kNow << "   Fruit"
                                    << "Count time:2024-3-3 21:05:33";
    QTest::newRow("group clicked last: no title")
        << "dd/MM/yyyy"
        << "" << QDateTime(QDate(2008, 5, 3), QTime(7, 8, 9)) << "   "
        << "Count time:03/05/2008 07:08:09";
    QTest::newRow("title with blanks kept")
        << "M/d/yy"
        << " My mood " << QDateTime(QDate(2024, 12, 31), QTime(0, 0, 0)) << "    My mood "
        << "Count time:12/31/24 00:00:00";
}

void TestTally::header()
{
    QFETCH(QString, pattern);
    QFETCH(QString, title);
    QFETCH(QDateTime, now);
    QFETCH(QString, titleLine);
    QFETCH(QString, timeLine);
    const TallyOutcome out = run(QStringList{"a"}, 1, title, DateFormat(pattern, "HH:mm:ss", 2024),
                                 Clock::fixed(now), TallyResult());
    QCOMPARE(out.result.reportLines.size(), 7);
    QCOMPARE(out.result.reportLines[0], "statistics:");
    QCOMPARE(out.result.reportLines[1], titleLine);
    QCOMPARE(out.result.reportLines[4], timeLine);
    QCOMPARE(out.result.reportLines[5], "");
}

void TestTally::datesDaysAndItems_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("fromTo");
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("no date lines")
        << "yyyy-M-d" << QStringList{"apple", "pear", "apple"} << "From  to " << 0
        << QStringList{"2--67%--apple", "1--33%--pear"};
    QTest::newRow("items above the first date line")
        << "yyyy-M-d" << QStringList{"x", "y", "//2024-3-1", "x", "z"}
        << "From 2024-3-1 to 2024-3-1" << 1 << QStringList{"2--50%--x", "1--25%--y", "1--25%--z"};
    QTest::newRow("date lines below the last item are no end date")
        << "yyyy-M-d" << QStringList{"//2024-3-1", "a", "//2024-3-2", "//2024-3-3", ""}
        << "From 2024-3-1 to 2024-3-1" << 1 << QStringList{"1--100%--a"};
    QTest::newRow("two date lines in a row: one day, the lower starts")
        << "yyyy-M-d" << QStringList{"//2024-3-1", "//2024-3-2", "a", "b"}
        << "From 2024-3-2 to 2024-3-2" << 1 << QStringList{"1--50%--a", "1--50%--b"};
    QTest::newRow("date lines only below the items")
        << "yyyy-M-d" << QStringList{"a", "//2024-3-1", "//2024-3-2"} << "From 2024-3-2 to " << 0
        << QStringList{"1--100%--a"};
    QTest::newRow("same date twice gives two days")
        << "yyyy-M-d" << QStringList{"//2024-3-1", "a", "//2024-3-1", "a"}
        << "From 2024-3-1 to 2024-3-1" << 2 << QStringList{"2--100%--a"};
    QTest::newRow("start stops at the first dated item; empty days count nothing")
        << "yyyy-M-d" << QStringList{"//2024-3-1", "a", "//2024-3-2", "//2024-3-4", "b",
                                     "//2024-3-5", "",  "c",          "//2024-3-6"}
        << "From 2024-3-1 to 2024-3-5" << 3 << QStringList{"1--33%--a", "1--33%--b", "1--33%--c"};
    QTest::newRow("8-character date line: end date only")
        << "M/d/yy" << QStringList{"//1/2/24", "a"} << "From  to 1/2/24" << 0
        << QStringList{"1--100%--a"};
    QTest::newRow("8-character date line opens no day and does not start")
        << "M/d/yy" << QStringList{"//1/12/24", "a", "//1/2/24", "b", "//1/2/24", "c"}
        << "From 1/12/24 to 1/2/24" << 1 << QStringList{"1--33%--a", "1--33%--b", "1--33%--c"};
    QTest::newRow("sample title rule lines are skipped")
        << "yyyy-M-d" << QStringList{kRule1, kRule2, "", "//2024-3-1", kRule1, "a", kRule2}
        << "From 2024-3-1 to 2024-3-1" << 1 << QStringList{"1--100%--a"};
    QTest::newRow("comments the date parser refuses")
        << "yyyy-M-d" << QStringList{"//2024-13-1", "a", "//2024-2-30", "b", "//2024-3-1x"}
        << "From  to " << 0 << QStringList{"1--50%--a", "1--50%--b"};
    QTest::newRow("trimming: blanks, tabs, carriage returns, blank after slashes")
        << "yyyy-M-d"
        << QStringList{"  //2024-3-1\t", "// 2024-3-2 ", "\tapple\r", "apple  ", "Apple"}
        << "From 2024-3-2 to 2024-3-2" << 1 << QStringList{"2--67%--apple", "1--33%--Apple"};
    QTest::newRow("a single slash begins an item")
        << "yyyy-M-d" << QStringList{"/x", "//", "/", "x", "/ /"} << "From  to " << 0
        << QStringList{"1--25%--/x", "1--25%--/", "1--25%--x", "1--25%--/ /"};
    QTest::newRow("equal counts in order of first appearance")
        << "yyyy-M-d" << QStringList{"c", "b", "a", "b", "a", "d"} << "From  to " << 0
        << QStringList{"2--33%--b", "2--33%--a", "1--17%--c", "1--17%--d"};
    QTest::newRow("one distinct item is 100%")
        << "yyyy-M-d" << QStringList{"//2024-3-1", "only", "only  "} << "From 2024-3-1 to 2024-3-1"
        << 1 << QStringList{"2--100%--only"};
    QTest::newRow("each percentage rounded alone, halves up")
        << "yyyy-M-d" << QStringList{"a", "b", "b", "b", "b", "b", "b", "b"} << "From  to " << 0
        << QStringList{"7--88%--b", "1--13%--a"};
    QTest::newRow("another date format")
        << "d.M.yyyy" << QStringList{"//3.1.2024", "a", "//2024-3-1", "b"}
        << "From 3.1.2024 to 3.1.2024" << 1 << QStringList{"1--50%--a", "1--50%--b"};
}

void TestTally::datesDaysAndItems()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, lines);
    QFETCH(QString, fromTo);
    QFETCH(int, days);
    QFETCH(QStringList, items);
    const TallyOutcome out = tally(lines, pattern);
    QVERIFY(out.counted);
    const TallyResult& r = out.result;
    QCOMPARE(r.reportLines.mid(6), items);
    QCOMPARE(r.reportLines[2], fromTo);
    QCOMPARE(r.reportLines[3], QString("Counted of days:%1").arg(days));
    verifyListsMatchReport(r);
}

void TestTally::noItemKeepsPreviousResult_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty text") << QStringList{};
    QTest::newRow("blank lines") << QStringList{"", "   ", "\t\r"};
    QTest::newRow("comments and date lines") << QStringList{kRule1, kRule2, "", "//2024-3-1", "//"};
}

void TestTally::noItemKeepsPreviousResult()
{
    QFETCH(QStringList, lines);
    const TallyResult previous = somePreviousResult();
    const TallyOutcome out = tally(lines, "yyyy-M-d", previous);
    QVERIFY(!out.counted);
    const TallyResult& r = out.result;
    QCOMPARE(r.reportLines, QStringList{"You have not typed in any demand yet"});
    QCOMPARE(r.names, previous.names);
    QCOMPARE(r.countTexts, previous.countTexts);
    QCOMPARE(r.distinctCount, previous.distinctCount);
    QCOMPARE(r.totalCount, previous.totalCount);
    QCOMPARE(r.maxCount, previous.maxCount);
}

void TestTally::capacity_data()
{
    QTest::addColumn<qsizetype>("capacity");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<qint64>("uncounted");

    QTest::newRow("click-list size")
        << qsizetype(3) << QStringList{"a", "b", "c"} << QStringList{"3", "2", "1"} << 0LL;
    QTest::newRow("more room than items")
        << qsizetype(100) << QStringList{"a", "b", "c"} << QStringList{"3", "2", "1"} << 0LL;
    QTest::newRow("full table leaves a new item out")
        << qsizetype(2) << QStringList{"a", "b"} << QStringList{"3", "2"} << 1LL;
    QTest::newRow("no room at all") << qsizetype(0) << QStringList{} << QStringList{} << 6LL;
    QTest::newRow("negative is no room") << qsizetype(-5) << QStringList{} << QStringList{} << 6LL;
}

void TestTally::capacity()
{
    QFETCH(qsizetype, capacity);
    QFETCH(QStringList, names);
    QFETCH(QStringList, counts);
    QFETCH(qint64, uncounted);
    const QStringList lines{"a", "b", "a", "c", "b", "a"};
    const TallyOutcome out = run(lines, capacity, "T", DateFormat("yyyy-M-d", "HH:mm:ss"),
                                 Clock::fixed(kNow), somePreviousResult());
    QVERIFY(out.counted); // there are item lines: Total.tol is rewritten
    QCOMPARE(out.uncountedLines, uncounted);
    QCOMPARE(out.result.names, names);
    QCOMPARE(out.result.countTexts, counts);
    QCOMPARE(out.result.totalCount, qint64(lines.size()) - uncounted);
    verifyListsMatchReport(out.result);
}

void TestTally::countsBeyondSixteenBits()
{
    QStringList lines{"//2024-3-1"};
    for (int i = 0; i < 70000; ++i)
        lines << "coffee";
    lines << "tea";
    const TallyResult r = tally(lines).result;
    QCOMPARE(r.countTexts, (QStringList{"70000", "1"}));
    QCOMPARE(r.maxCount, 70000);
    QCOMPARE(r.totalCount, 70001);
    QCOMPARE(r.reportLines.mid(6), (QStringList{"70000--100%--coffee", "1--0%--tea"}));
}

void TestTally::longItemsKeptWhole()
{
    // Two 300-character items that agree in their first 255 characters stay apart.
    const QString first = QString(299, 'x') + '1';
    const QString second = QString(299, 'x') + '2';
    const TallyResult r = tally(QStringList{first, second, "  " + first}).result;
    QCOMPARE(r.names, (QStringList{first, second}));
    QCOMPARE(r.countTexts, (QStringList{"2", "1"}));
    QCOMPARE(r.reportLines[6], "2--67%--" + first);
    QCOMPARE(r.reportLines[6].size(), 8 + 300);
}

void TestTally::matchesLiteralCounting_data()
{
    QTest::addColumn<int>("pool");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("few items") << 5 << 1u;
    QTest::newRow("hundreds of items, index grows") << 700 << 2u;
    QTest::newRow("mostly distinct") << 5000 << 3u;
}

// Random titles against the counting done literally: a search through the used
// entries for every line, then every count from the largest down.
void TestTally::matchesLiteralCounting()
{
    QFETCH(int, pool);
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    QStringList lines;
    for (int i = 0; i < 3000; ++i) {
        const int n = rng.bounded(pool);
        switch (rng.bounded(6)) {
        case 0:
            lines << QString("//%1").arg(n);
            break;
        case 1:
            lines << QString("  item %1\t").arg(n);
            break;
        case 2:
            lines << QString("Item %1").arg(n);
            break;
        default:
            lines << QString("item %1").arg(n);
        }
    }

    QStringList names;
    QList<qint64> counts;
    for (const QString& line : lines) {
        const QString item = line.trimmed();
        if (item.startsWith("//"))
            continue;
        const qsizetype at = names.indexOf(item);
        if (at >= 0) {
            ++counts[at];
        } else {
            names << item;
            counts << 1;
        }
    }
    QStringList expectedNames;
    QStringList expectedCounts;
    for (qint64 c = *std::max_element(counts.begin(), counts.end()); c >= 1; --c) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (counts[i] == c) {
                expectedNames << names[i];
                expectedCounts << QString::number(c);
            }
        }
    }

    const TallyResult r = tally(lines).result;
    QCOMPARE(r.names, expectedNames);
    QCOMPARE(r.countTexts, expectedCounts);
    verifyListsMatchReport(r);
}

void TestTally::distinctItems_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("none") << QStringList{"", "//a", "  //2024-3-1"} << qsizetype(0);
    QTest::newRow("trimmed, case kept")
        << QStringList{"apple", " apple\t", "Apple", "app le", "//apple"} << qsizetype(3);
}

void TestTally::distinctItems()
{
    QFETCH(QStringList, lines);
    QFETCH(qsizetype, expected);
    QCOMPARE(countDistinctItems(lines), expected);
}

// What only a file holds: marks, line breaks, multi-byte and legacy text.
void TestTally::fileBytesAsDecoded_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("byte-order mark, LF") << QByteArray("\xEF\xBB\xBF"
                                                       "a\nb\na\n");
    QTest::newRow("two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                             "a\r\n\xEF\xBB\xBF"
                                             "a");
    QTest::newRow("lone CR, CR CR LF, no last break") << QByteArray("a\rb\r\r\na\r\n\rb");
    QTest::newRow("multi-byte items, 8 bytes but 7 characters of date")
        << QByteArray("//1/2/\xC3\xA9\r\n//1/2/24\r\n\xC3\xA9t\xC3\xA9\r\n caf\xC3\xA9\t\r\n"
                      "\xE2\x82\xAC\r\ncaf\xC3\xA9\xE2\x80\xA8\r\n");
    QTest::newRow("legacy code page") << QByteArray("//1/2/24\r\ncaf\xE9\r\nna\xEFve\r\ncaf\xE9");
    QTest::newRow("invalid at the very end") << QByteArray("a\r\nb\xC3");
    QTest::newRow("NUL and control bytes trimmed") << QByteArray("\0a\x01\r\na\r\n\x1f", 9);
    QTest::newRow("NUL bytes in an item of a file that is no UTF-8")
        << QByteArray("\xEF\xBB\xBFx\0\0y\r\n\xFF\xFE\r\nx\0\0y\r\n", 19);
    QTest::newRow("empty file") << QByteArray();
    // Random files of pieces that matter to the rules, valid UTF-8 or not.
    const char* pieces[] = {
        "a",    "b",        "//",           "1/2/24",       " ",   "\t", "\r", "\n",
        "\r\n", "\xC3\xA9", "\xEF\xBB\xBF", "\xE2\x80\xA8", "\xFF"};
    for (quint32 seed = 1; seed <= 4; ++seed) {
        QRandomGenerator rng(seed);
        QByteArray file;
        while (file.size() < 3000)
            file += pieces[rng.bounded(int(std::size(pieces)) - (seed % 2))];
        QTest::addRow("random %s, seed %u", seed % 2 ? "UTF-8" : "bytes", seed) << file;
    }
    // Large files are checked and counted in pieces of a few megabytes.
    const QByteArray block("apple\r\n//1/2/24\r\nb\rcaf\xC3\xA9\n pear \r\n");
    QTest::newRow("several pieces") << block.repeated((9 << 19) / block.size());
    QTest::newRow("several pieces, legacy byte in the last")
        << block.repeated((9 << 19) / block.size()) + "caf\xE9\r\n";
    // The second share holds a date line and no item: the end stays the date
    // line above the last item (none here).
    QTest::newRow("date line after the last item") << QByteArray("apple pie\r\n//1/2/24\r\n");
    QTest::newRow("lines of 15 to 17 bytes") << QByteArray("abcdefghijklmno\r\nabcdefghijklmnop\r"
                                                           "abcdefghijklmnopq\nabcdefghijklmnop\r");
}

void TestTally::fileBytesAsDecoded()
{
    QFETCH(QByteArray, file);
    const DateFormat format("M/d/yy", "HH:mm:ss", 2024);
    const TitleLineViews decoded(file);
    const TallyOutcome expected = runTally(decoded.lines(), kEveryItem, "T", format,
                                           Clock::fixed(kNow), somePreviousResult());
    const TallyOutcome out =
        runTallyOnFile(file, kEveryItem, "T", format, Clock::fixed(kNow), somePreviousResult());
    QCOMPARE(out.counted, expected.counted);
    QCOMPARE(out.result.reportLines, expected.result.reportLines);
    QCOMPARE(out.result.names, expected.result.names);
    QCOMPARE(out.result.countTexts, expected.result.countTexts);

    // Read from the file in one share or several, each counted apart and
    // then joined: the same report (names as UTF-8 writes them).
    QTemporaryFile onDisk;
    QVERIFY(onDisk.open() && onDisk.write(file) == file.size() && onDisk.flush());
    QStringList utf8Lines = expected.result.reportLines;
    for (QString& line : utf8Lines)
        line = QString::fromUtf8(line.toUtf8());
    for (const int shares : {1, 2, 3, 7}) {
        FileTally::Options options;
        options.dateFormat = format;
        options.threads = shares;
        options.splitAbove = 0;
        const FileTally::Result counted =
            FileTally::count(onDisk.handle(), file.size(), onDisk.fileName(), options);
        QCOMPARE(counted.error, QString());
        const TallyOutcome joined =
            tallyOutcome(counted.whole, "T", expected.countTime, somePreviousResult());
        QCOMPARE(joined.counted, expected.counted);
        QCOMPARE(joined.result.reportLines, utf8Lines);
    }
}

// A file that shrinks while it is read is an error, never a crash.
void TestTally::fileCutShort_data()
{
    QTest::addColumn<int>("shares");
    QTest::addColumn<qint64>("missing");
    QTest::newRow("last byte gone") << 1 << 1LL;
    QTest::newRow("second share gone") << 2 << 5000LL;
    QTest::newRow("all but the first piece gone") << 1 << 3000000LL;
}

void TestTally::fileCutShort()
{
    QFETCH(int, shares);
    QFETCH(qint64, missing);
    const QByteArray file = QByteArray("apple\r\n//2024-3-1\r\n").repeated(500);
    QTemporaryFile onDisk;
    QVERIFY(onDisk.open() && onDisk.write(file) == file.size() && onDisk.flush());
    FileTally::Options options;
    options.threads = shares;
    options.splitAbove = 0;
    const FileTally::Result counted =
        FileTally::count(onDisk.handle(), file.size() + missing, onDisk.fileName(), options);
    QVERIFY2(counted.error.contains("changed size while it was read"), qPrintable(counted.error));
    QVERIFY(counted.error.contains(onDisk.fileName()));
}

void TestTally::periodNames_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("by");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* tag, QDate date, FileTally::Period by, const char* name) {
        QTest::newRow(tag) << date << int(by) << QString(name);
    };
    row("day", QDate(2026, 3, 1), FileTally::Period::Day, "2026-03-01");
    row("month", QDate(2026, 3, 1), FileTally::Period::Month, "2026-03");
    row("year", QDate(2026, 3, 1), FileTally::Period::Year, "2026");
    row("week", QDate(2026, 3, 1), FileTally::Period::Week, "2026-W09");
    row("week of the next year", QDate(2024, 12, 30), FileTally::Period::Week, "2025-W01");
    row("week of the last year", QDate(2021, 1, 3), FileTally::Period::Week, "2020-W53");
}

// Weeks are ISO 8601 weeks, named by the year they belong to.
void TestTally::periodNames()
{
    QFETCH(QDate, date);
    QFETCH(int, by);
    QTEST(FileTally::periodName(date, FileTally::Period(by)), "name");
}

QTEST_GUILESS_MAIN(TestTally)
#include "TestTally.moc"
