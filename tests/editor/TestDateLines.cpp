#include "editor/DateLines.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"

#include <QTest>

class TestDateLines : public QObject
{
    Q_OBJECT
private slots:
    void todayLine_data();
    void todayLine();
    void todayTextFromClock();
    void protection_data();
    void protection();
    void protectCaretLine_data();
    void protectCaretLine();
};

void TestDateLines::todayLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("today");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<bool>("dateAdded");

    const QString t = QStringLiteral("2008-5-3");
    QTest::newRow("empty title") << QStringList{} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("new day below an item")
        << QStringList{"//2008-5-2", "Apple"} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("new day after an empty line")
        << QStringList{"//2008-5-2", "Apple", ""} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("blank last line is empty")
        << QStringList{"Apple", "  \t"} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("today far above later items")
        << QStringList{"//2008-5-3", "Apple", "Banana", "//note", "Cherry"} << t << QStringList{""}
        << false;
    QTest::newRow("today, ends empty")
        << QStringList{"//2008-5-3", "Apple", ""} << t << QStringList{} << false;
    QTest::newRow("today, blanks around")
        << QStringList{"  //  2008-5-3 \t", "x"} << t << QStringList{""} << false;
    QTest::newRow("today's date inside an item")
        << QStringList{"2008-5-3"} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("date with more text")
        << QStringList{"//2008-5-3 x"} << t << QStringList{"//2008-5-3", ""} << true;
    QTest::newRow("comparison is case-sensitive")
        << QStringList{"//3 may 2008"} << "3 May 2008" << QStringList{"//3 May 2008", ""} << true;
    QTest::newRow("eight-character date line found")
        << QStringList{"//1/2/03", "Pear"} << "1/2/03" << QStringList{""} << false;
    QTest::newRow("short date format found")
        << QStringList{"//3/5", "Pear"} << "3/5" << QStringList{""} << false;
}

void TestDateLines::todayLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, today);
    QFETCH(QStringList, appended);
    QFETCH(bool, dateAdded);

    QStringList after = lines;
    const DateLines::TodayLine change = DateLines::appendTodayLine(after, today);
    QCOMPARE(change.appendedLines, appended);
    QCOMPARE(after, lines + appended);
    QCOMPARE(change.dateLineAdded, dateAdded);
    QCOMPARE(change.emptyLineAdded, !appended.isEmpty() && appended.last().isEmpty());
    QCOMPARE(change.changed(), !appended.isEmpty());
    // The window appends the text to its QTextDocument instead of reloading it.
    QCOMPARE(lines.join(QLatin1Char('\n')) + change.appendedText, after.join(QLatin1Char('\n')));
    // A second opening on the same day adds nothing.
    QVERIFY(!DateLines::todayLineFor(after, today).changed());
    QVERIFY(DateLines::hasTodayLine(after, today));
}

void TestDateLines::todayTextFromClock()
{
    const Clock clock = Clock::fixed(QDateTime(QDate(2003, 1, 2), QTime(23, 59)));
    const DateFormat format(QStringLiteral("M/d/yy"), QStringLiteral("HH:mm:ss"), 2026);
    QCOMPARE(DateLines::todayText(format, clock), QStringLiteral("1/2/03"));
}

void TestDateLines::protection_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isProtected");

    QTest::newRow("date line") << "yyyy-M-d"
                               << "//2024-3-1" << true;
    QTest::newRow("blanks around") << "yyyy-M-d"
                                   << "  \t//2024-3-1  " << true;
    QTest::newRow("blank after slashes") << "yyyy-M-d"
                                         << "// 2024-3-1" << true;
    QTest::newRow("text after date") << "yyyy-M-d"
                                     << "//2024-3-1 x" << false;
    QTest::newRow("no such day") << "yyyy-M-d"
                                 << "//2023-2-29" << false;
    QTest::newRow("other format") << "yyyy-M-d"
                                  << "//3/1/2024" << false;
    QTest::newRow("header rule")
        << "yyyy-M-d"
        << "//Rule:Must press the Enter key, after typing a item each time." << false;
    QTest::newRow("no slashes") << "yyyy-M-d"
                                << "2024-3-1" << false;
    QTest::newRow("one slash") << "yyyy-M-d"
                               << "/2024-3-1" << false;
    QTest::newRow("slashes inside") << "yyyy-M-d"
                                    << "x//2024-3-1" << false;
    QTest::newRow("exactly eight characters") << "M/d/yy"
                                              << "//1/2/03" << false;
    QTest::newRow("nine characters") << "M/d/yy"
                                     << "//12/2/03" << true;
    QTest::newRow("eight, blank padded") << "M/d/yy"
                                         << "  //1/2/03  " << false;
    QTest::newRow("empty") << "M/d/yy"
                           << "" << false;
}

void TestDateLines::protection()
{
    QFETCH(QString, pattern);
    QFETCH(QString, line);
    QFETCH(bool, isProtected);
    const DateFormat format(pattern, QStringLiteral("HH:mm:ss"), 2026);
    QCOMPARE(DateLines::isProtectedDateLine(line, format), isProtected);
}

void TestDateLines::protectCaretLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QStringList>("after");

    const QStringList day{"//2024-3-1", "Apple"};
    QTest::newRow("on the date line") << day << 0 << QStringList{"//2024-3-1", "", "Apple"};
    QTest::newRow("on an item") << day << 1 << day;
    QTest::newRow("last line") << QStringList{"Apple", "//2024-3-1"} << 1
                               << QStringList{"Apple", "//2024-3-1", ""};
    QTest::newRow("below the text") << day << 2 << day;
    QTest::newRow("no lines") << QStringList{} << 0 << QStringList{};
    QTest::newRow("negative") << day << -1 << day;
}

void TestDateLines::protectCaretLine()
{
    QFETCH(QStringList, lines);
    QFETCH(int, caretLine);
    QFETCH(QStringList, after);
    const DateFormat format(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2026);
    QStringList edited = lines;
    QCOMPARE(DateLines::protectDateLine(edited, caretLine, format), after != lines);
    QCOMPARE(edited, after);
    // Every further check on the same line warns again and adds one more.
    if (after != lines) {
        QVERIFY(DateLines::protectDateLine(edited, caretLine, format));
        QCOMPARE(edited.size(), lines.size() + 2);
    }
}

QTEST_GUILESS_MAIN(TestDateLines)
#include "TestDateLines.moc"
