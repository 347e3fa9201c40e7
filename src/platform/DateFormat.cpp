#include "DateFormat.h"

namespace {
// A run of one unquoted pattern letter: where it starts and how long it is.
struct Run
{
    int start;
    int length;
};

// The runs of the letter outside quoted text.
std::vector<Run> letterRuns(const QString& pattern, QChar letter)
{
    std::vector<Run> runs;
    bool quoted = false;
    for (int i = 0; i < pattern.size();) {
        if (pattern.at(i) == QLatin1Char('\'')) {
            quoted = !quoted;
            ++i;
            continue;
        }
        int j = i + 1;
        if (!quoted && pattern.at(i) == letter) {
            while (j < pattern.size() && pattern.at(j) == letter)
                ++j;
            runs.push_back({i, j - i});
        }
        i = j;
    }
    return runs;
}

// The pattern with every year field of `from` digits written with `to`.
QString withYearDigits(QString pattern, int from, int to)
{
    const std::vector<Run> runs = letterRuns(pattern, QLatin1Char('y'));
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
        if (it->length == from)
            pattern.replace(it->start, from, QString(to, QLatin1Char('y')));
    return pattern;
}

// Drops the zone ("t" runs) with the blanks that set it apart.
QString withoutTimeZone(QString pattern)
{
    const std::vector<Run> runs = letterRuns(pattern, QLatin1Char('t'));
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        int from = it->start;
        int to = it->start + it->length;
        while (from > 0 && pattern.at(from - 1).isSpace())
            --from;
        if (from == 0)
            while (to < pattern.size() && pattern.at(to).isSpace())
                ++to;
        pattern.remove(from, to - from);
    }
    return pattern;
}
} // namespace

DateFormat DateFormat::system(int pivotYear)
{
    return fromLocale(QLocale::system(), pivotYear);
}

DateFormat DateFormat::fromLocale(const QLocale& locale, int pivotYear)
{
    return DateFormat(withYearDigits(locale.dateFormat(QLocale::ShortFormat), 2, 4),
                      withoutTimeZone(locale.timeFormat(QLocale::LongFormat)), pivotYear);
}

DateFormat::DateFormat(const QString& shortDatePattern, const QString& longTimePattern,
                       int pivotYear)
    : m_datePattern(shortDatePattern), m_timePattern(longTimePattern), m_pivotYear(pivotYear),
      m_shortYearPattern(withYearDigits(shortDatePattern, 4, 2))
{
    // Split the pattern into numeric fields and literal text; anything else
    // (month names, weekday names) leaves parsing to QLocale.
    m_numeric = true;
    const QString& p = m_datePattern;
    for (int i = 0; i < p.size();) {
        const QChar c = p.at(i);
        if (c == QLatin1Char('\'')) {
            int j = i + 1;
            QString lit;
            while (j < p.size()) {
                if (p.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < p.size() && p.at(j + 1) == QLatin1Char('\'')) {
                        lit += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                lit += p.at(j++);
            }
            if (j == i + 1 && j < p.size()) // '' is a literal quote
                lit = QStringLiteral("'");
            m_tokens.push_back({Field::Literal, 0, 0, lit});
            i = j + 1;
            continue;
        }
        if (c.isLetter()) {
            int j = i;
            while (j < p.size() && p.at(j) == c)
                ++j;
            const int run = j - i;
            if (c == QLatin1Char('d') && run <= 2)
                m_tokens.push_back({Field::Day, run, 2, {}});
            else if (c == QLatin1Char('M') && run <= 2)
                m_tokens.push_back({Field::Month, run, 2, {}});
            else if (c == QLatin1Char('y') && run == 2)
                m_tokens.push_back({Field::Year2, 2, 2, {}});
            else if (c == QLatin1Char('y') && run == 4)
                m_tokens.push_back({Field::Year4, 2, 4, {}});
            else
                m_numeric = false;
            if (c == QLatin1Char('y') && run == 2)
                m_twoDigitYear = true;
            i = j;
            continue;
        }
        if (!m_tokens.empty() && m_tokens.back().field == Field::Literal)
            m_tokens.back().literal += c;
        else
            m_tokens.push_back({Field::Literal, 0, 0, QString(c)});
        ++i;
    }
}

QString DateFormat::formatDate(const QDate& date) const
{
    // Numeric patterns are written with ASCII digits so that they read back
    // the same whatever digits the locale prefers.
    return m_numeric ? QLocale::c().toString(date, m_datePattern)
                     : QLocale::system().toString(date, m_datePattern);
}

QString DateFormat::formatTime(const QTime& time) const
{
    return QLocale::system().toString(time, m_timePattern);
}

bool DateFormat::parse(QStringView text, QDate* date) const
{
    if (text.isEmpty())
        return false;
    return m_numeric ? parseFast(text, date) : parseWithLocale(text, date);
}

int DateFormat::windowTwoDigitYear(int yy) const
{
    // Read "08" as the year nearest to the pivot: 2008 rather than 1908.
    int year = (m_pivotYear / 100) * 100 + yy;
    if (year > m_pivotYear + 50)
        year -= 100;
    else if (year <= m_pivotYear - 50)
        year += 100;
    return year;
}

bool DateFormat::parseFast(QStringView text, QDate* date) const
{
    int day = 1, month = 1, year = 1900;
    bool haveDay = false, haveMonth = false, haveYear = false;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    for (const Token& t : m_tokens) {
        if (t.field == Field::Literal) {
            if (n - pos < t.literal.size() || text.mid(pos, t.literal.size()) != t.literal)
                return false;
            pos += t.literal.size();
            continue;
        }
        int value = 0;
        int digits = 0;
        while (pos < n && digits < t.maxDigits) {
            const char16_t ch = text.at(pos).unicode();
            if (ch < u'0' || ch > u'9')
                break;
            value = value * 10 + (ch - u'0');
            ++digits;
            ++pos;
        }
        if (digits < t.minDigits || digits == 0)
            return false;
        switch (t.field) {
        case Field::Day:
            day = value;
            haveDay = true;
            break;
        case Field::Month:
            month = value;
            haveMonth = true;
            break;
        case Field::Year2:
            year = windowTwoDigitYear(value);
            haveYear = true;
            break;
        case Field::Year4:
            if (digits == 3)
                return false;
            year = digits == 2 ? windowTwoDigitYear(value) : value;
            haveYear = true;
            break;
        case Field::Literal:
            break;
        }
    }
    if (pos != n || !(haveDay || haveMonth || haveYear))
        return false;
    if (!QDate::isValid(year, month, day))
        return false;
    if (date)
        *date = QDate(year, month, day);
    return true;
}

bool DateFormat::parseWithLocale(QStringView text, QDate* date) const
{
    QDate d = QLocale::system().toDate(text.toString(), m_datePattern);
    bool shortYear = m_twoDigitYear;
    if (!d.isValid() && m_shortYearPattern != m_datePattern) {
        d = QLocale::system().toDate(text.toString(), m_shortYearPattern);
        shortYear = true;
    }
    if (!d.isValid())
        return false;
    if (shortYear && d.year() >= 1900 && d.year() < 2000) {
        const QDate windowed(windowTwoDigitYear(d.year() % 100), d.month(), d.day());
        if (windowed.isValid())
            d = windowed;
    }
    if (date)
        *date = d;
    return true;
}
