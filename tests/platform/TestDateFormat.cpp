#include "platform/DateFormat.h"

#include <QTest>

class TestDateFormat : public QObject
{
    Q_OBJECT
private slots:
    void formatAndParse_data();
    void formatAndParse();
    void rejects_data();
    void rejects();
    void twoDigitYears_data();
    void twoDigitYears();
    void fromLocale_data();
    void fromLocale();
};

void TestDateFormat::formatAndParse_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("iso-like short") << "yyyy-M-d" << QDate(2008, 5, 3) << "2008-5-3";
    QTest::newRow("us") << "M/d/yyyy" << QDate(2008, 5, 3) << "5/3/2008";
    QTest::newRow("us two-digit year") << "M/d/yy" << QDate(2008, 5, 3) << "5/3/08";
    QTest::newRow("german") << "dd.MM.yy" << QDate(2024, 3, 1) << "01.03.24";
    QTest::newRow("quoted literal") << "yyyy'y'MM" << QDate(2024, 3, 1) << "2024y03";
    QTest::newRow("no separators") << "yyyyMMdd" << QDate(2024, 12, 31) << "20241231";
}

void TestDateFormat::formatAndParse()
{
    QFETCH(QString, pattern);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    const DateFormat f(pattern, QStringLiteral("HH:mm:ss"), 2026);
    QCOMPARE(f.formatDate(date), text);
    QDate parsed;
    QVERIFY(f.parse(text, &parsed));
    QCOMPARE(parsed, date);
}

void TestDateFormat::rejects_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "yyyy-M-d"
                           << "";
    QTest::newRow("trailing text") << "yyyy-M-d"
                                   << "2024-3-1 x";
    QTest::newRow("leading text") << "yyyy-M-d"
                                  << "x2024-3-1";
    QTest::newRow("time appended") << "yyyy-M-d"
                                   << "2024-3-1 10:00";
    QTest::newRow("rule line") << "yyyy-M-d"
                               << "Rule:Must press the Enter key";
    QTest::newRow("no such day") << "yyyy-M-d"
                                 << "2023-2-29";
    QTest::newRow("month 13") << "M/d/yy"
                              << "13/1/08";
    QTest::newRow("wrong separator") << "yyyy-M-d"
                                     << "2024/3/1";
    QTest::newRow("three-digit year for yyyy") << "yyyy-M-d"
                                               << "124-3-1";
    QTest::newRow("one-digit year for yyyy") << "yyyy-M-d"
                                             << "4-3-1";
    QTest::newRow("names pattern") << "d MMM yyyy"
                                   << "1 Foo 2024";
}

void TestDateFormat::rejects()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    const DateFormat f(pattern, QStringLiteral("HH:mm:ss"), 2026);
    QVERIFY(!f.parse(text));
}

void TestDateFormat::twoDigitYears_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");
    // A date line of 29 February 2000 must not be read as 1900 (no such day).
    QTest::newRow("leap day 2000") << "M/d/yy"
                                   << "2/29/00" << QDate(2000, 2, 29);
    QTest::newRow("recent") << "dd.MM.yy"
                            << "03.05.08" << QDate(2008, 5, 3);
    QTest::newRow("near future") << "M/d/yy"
                                 << "1/1/70" << QDate(2070, 1, 1);
    QTest::newRow("far past") << "M/d/yy"
                              << "1/1/90" << QDate(1990, 1, 1);
    QTest::newRow("names pattern") << "d MMM yy"
                                   << "3 May 08" << QDate(2008, 5, 3);
    // Lines written before the format had four-digit years still count.
    QTest::newRow("old line, yyyy") << "M/d/yyyy"
                                    << "3/3/24" << QDate(2024, 3, 3);
    QTest::newRow("old line, names") << "d MMM yyyy"
                                     << "3 May 08" << QDate(2008, 5, 3);
}

void TestDateFormat::twoDigitYears()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const DateFormat f(pattern, QStringLiteral("HH:mm:ss"), 2026);
    QDate parsed;
    QVERIFY(f.parse(text, &parsed));
    QCOMPARE(parsed, expected);
}

void TestDateFormat::fromLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("us") << "en_US"
                        << "M/d/yyyy"
                        << "h:mm:ss AP";
    QTest::newRow("german") << "de_DE"
                            << "dd.MM.yyyy"
                            << "HH:mm:ss";
    QTest::newRow("zone first") << "zh_CN"
                                << "yyyy/M/d"
                                << "HH:mm:ss";
    QTest::newRow("korean") << "ko_KR"
                            << "yyyy. M. d."
                            << "AP h시 m분 s초";
    QTest::newRow("c") << "C"
                       << "d MMM yyyy"
                       << "HH:mm:ss";
}

void TestDateFormat::fromLocale()
{
    QFETCH(QString, locale);
    const DateFormat f = DateFormat::fromLocale(QLocale(locale), 2026);
    QTEST(f.shortDatePattern(), "date");
    QTEST(f.longTimePattern(), "time");
    // The US date line of 3 March 2024 is long enough to count as one.
    if (locale == "en_US")
        QCOMPARE(f.formatDate(QDate(2024, 3, 3)), QString("3/3/2024"));
}

QTEST_GUILESS_MAIN(TestDateFormat)
#include "TestDateFormat.moc"
