#include "PastedInput.h"

#include "editor/LineKinds.h"
#include "stats/ReportLine.h"

#include <algorithm>
#include <limits>

namespace PastedInput {

QStringList inputLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

bool parseCount(QStringView text, qint32* value)
{
    bool negative = false;
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return false;
    // The magnitude may reach 2^31 only for a negative number.
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (base == 16 && u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        else if (base == 16 && u >= 'A' && u <= 'F')
            digit = u - 'A' + 10;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    if (value)
        *value = qint32(negative ? -magnitude : magnitude);
    return true;
}

Parsed parse(const QStringList& lines)
{
    Parsed parsed;
    parsed.rows.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView t = LineKinds::trimmed(lines.at(i));
        qsizetype separator = t.indexOf(QLatin1Char('\t'));
        if (separator < 0)
            separator = t.indexOf(QLatin1Char(','));
        Row row;
        QStringView countText = t;
        if (separator >= 0) {
            row.name = LineKinds::trimmed(t.left(separator)).toString();
            countText = LineKinds::trimmed(t.mid(separator + 1));
        }
        if (!parseCount(countText, &row.count)) {
            parsed.rows.clear();
            parsed.errorLine = i;
            return parsed;
        }
        row.countText = countText.toString();
        parsed.rows << row;
    }
    return parsed;
}

TallyResult report(const QList<Row>& rows, const DateFormat& dateFormat, const Clock& clock)
{
    TallyResult r;
    r.distinctCount = rows.size();
    r.maxCount = 1;
    for (const Row& row : rows) {
        r.names << row.name;
        r.countTexts << row.countText;
        r.totalCount += row.count;
        r.maxCount = std::max<qint64>(r.maxCount, row.count);
    }
    r.reportLines << QStringLiteral("statistics:") << QStringLiteral("   ")
                  << countTimeLine(dateFormat, clock) << QString();
    for (const Row& row : rows)
        r.reportLines << reportLine(row.countText, row.count, r.totalCount, row.name);
    return r;
}

} // namespace PastedInput
