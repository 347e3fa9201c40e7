#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>
#include <vector>

// The user's short date format (for date lines) and long time format (for the
// report's count time). Formatting and parsing always use the same pattern.
// Purely numeric patterns (d, dd, M, MM, yy, yyyy and separators) are parsed by
// a small hand-written reader, because a tally parses thousands of date lines.
// A four-digit year field also reads a two-digit year, so date lines written
// while the format had two-digit years still count.
class DateFormat
{
public:
    // The formats of the system locale. Two-digit years are read in the
    // hundred years around pivotYear (normally this year).
    static DateFormat system(int pivotYear);

    // The locale's short date, with four-digit years where it has two (a
    // date line of "//" + M/d/yy is often too short to count), and its long
    // time without the time zone.
    static DateFormat fromLocale(const QLocale& locale, int pivotYear);

    explicit DateFormat(const QString& shortDatePattern,
                        const QString& longTimePattern = QStringLiteral("HH:mm:ss"),
                        int pivotYear = 2000);

    QString formatDate(const QDate& date) const;
    QString formatTime(const QTime& time) const;

    // True when the whole text is one valid date in the short format.
    bool parse(QStringView text, QDate* date = nullptr) const;

    const QString& shortDatePattern() const { return m_datePattern; }
    const QString& longTimePattern() const { return m_timePattern; }
    int pivotYear() const { return m_pivotYear; }

private:
    enum class Field { Day, Month, Year2, Year4, Literal };
    struct Token
    {
        Field field;
        int minDigits;
        int maxDigits;
        QString literal;
    };

    bool parseFast(QStringView text, QDate* date) const;
    bool parseWithLocale(QStringView text, QDate* date) const;
    int windowTwoDigitYear(int yy) const;

    QString m_datePattern;
    QString m_timePattern;
    int m_pivotYear;
    bool m_numeric = false;
    bool m_twoDigitYear = false;
    QString m_shortYearPattern; // the pattern with yy for yyyy, for the locale's reader
    std::vector<Token> m_tokens;
};
