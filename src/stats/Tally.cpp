#include "Tally.h"

#include "editor/LineKinds.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/ReportLine.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

namespace {

// What the date and item scans need to know of a line. A date line is told
// apart by its trimmed length: 8 characters serve only as an end date.
enum class LineClass : quint8
{
    Other,
    Item,
    ShortDate,
    Date
};

LineClass classify(const QString& line, const DateFormat& dateFormat)
{
    const QStringView t = LineKinds::trimmed(line);
    if (t.isEmpty())
        return LineClass::Other;
    if (!LineKinds::isComment(t))
        return LineClass::Item;
    if (t.size() < 8 || !dateFormat.parse(LineKinds::commentRest(t)))
        return LineClass::Other;
    return t.size() >= 9 ? LineClass::Date : LineClass::ShortDate;
}

QString dateText(const QString& line)
{
    return LineKinds::commentRest(LineKinds::trimmed(line)).toString();
}

// The last date line above the first item line that has a date line above it.
qsizetype findStartDate(const std::vector<LineClass>& classes)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < qsizetype(classes.size()); ++i) {
        if (classes[i] == LineClass::Date)
            found = i;
        else if (classes[i] == LineClass::Item && found >= 0)
            break;
    }
    return found;
}

qsizetype findLastItem(const std::vector<LineClass>& classes)
{
    for (qsizetype i = qsizetype(classes.size()) - 1; i >= 0; --i) {
        if (classes[i] == LineClass::Item)
            return i;
    }
    return -1;
}

// The nearest date line (8 characters are enough here) at or above from.
qsizetype findEndDate(const std::vector<LineClass>& classes, qsizetype from)
{
    for (qsizetype i = from; i >= 0; --i) {
        if (classes[i] == LineClass::Date || classes[i] == LineClass::ShortDate)
            return i;
    }
    return -1;
}

qint64 countDays(const std::vector<LineClass>& classes)
{
    qint64 days = 0;
    bool open = false;
    for (const LineClass c : classes) {
        if (c == LineClass::Date) {
            open = true;
        } else if (c == LineClass::Item && open) {
            open = false;
            ++days;
        }
    }
    return days;
}

struct Entry
{
    QStringView name; // points into the caller's lines, which outlive the run
    qint64 count;
};

} // namespace

TallyOutcome runTally(const QStringList& lines, qsizetype capacity, const QString& titleName,
                      const DateFormat& dateFormat, const Clock& clock, const TallyResult& previous)
{
    TallyOutcome out;

    // Every scan below reads the same trimmed lines; classify (and parse) each once.
    std::vector<LineClass> classes;
    classes.reserve(lines.size());
    qsizetype itemLines = 0;
    for (const QString& line : lines) {
        classes.push_back(classify(line, dateFormat));
        if (classes.back() == LineClass::Item)
            ++itemLines;
    }

    if (itemLines == 0) {
        out.result = previous;
        out.result.reportLines = QStringList{QString::fromLatin1(kNoItemMessage)};
        return out;
    }
    out.counted = true;

    const qsizetype start = findStartDate(classes);
    const qsizetype end = findEndDate(classes, findLastItem(classes));
    const qint64 days = countDays(classes);

    const QDateTime now = clock.now();
    QStringList report;
    report << QStringLiteral("statistics:") << QStringLiteral("   ") + titleName
           << QStringLiteral("From ") + (start >= 0 ? dateText(lines[start]) : QString()) +
                  QStringLiteral(" to ") + (end >= 0 ? dateText(lines[end]) : QString())
           << QStringLiteral("Counted of days:") + QString::number(days)
           << QStringLiteral("Count time:") + dateFormat.formatDate(now.date()) + QLatin1Char(' ') +
                  dateFormat.formatTime(now.time())
           << QString();

    // Entries in order of first appearance; the hash replaces the search
    // through all used entries for every line.
    capacity = std::max<qsizetype>(capacity, 0);
    std::vector<Entry> table;
    table.reserve(std::min(capacity, itemLines));
    QHash<QStringView, qsizetype> index;
    index.reserve(std::min(capacity, itemLines));
    qint64 total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (classes[i] != LineClass::Item)
            continue;
        const QStringView item = LineKinds::trimmed(lines[i]);
        const auto it = index.constFind(item);
        if (it != index.constEnd()) {
            ++table[*it].count;
        } else if (qsizetype(table.size()) < capacity) {
            index.insert(item, qsizetype(table.size()));
            table.push_back({item, 1});
        } else {
            ++out.uncountedLines;
            continue;
        }
        ++total;
    }

    // Largest count first; a stable sort keeps equal counts in order of first appearance.
    std::vector<qsizetype> order(table.size());
    for (qsizetype i = 0; i < qsizetype(order.size()); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&table](qsizetype a, qsizetype b) {
        return table[a].count > table[b].count;
    });

    TallyResult& r = out.result;
    r.distinctCount = qint64(table.size());
    r.totalCount = total;
    r.maxCount = order.empty() ? 0 : table[order.front()].count;
    r.names.reserve(order.size());
    r.countTexts.reserve(order.size());
    report.reserve(report.size() + qsizetype(order.size()));
    for (const qsizetype i : order) {
        const QString name = table[i].name.toString();
        const QString countText = QString::number(table[i].count);
        report << reportLine(countText, table[i].count, total, name);
        r.countTexts << countText;
        r.names << name;
    }
    r.reportLines = std::move(report);
    return out;
}

qsizetype countDistinctItems(const QStringList& lines)
{
    QSet<QStringView> seen;
    for (const QString& line : lines) {
        const QStringView t = LineKinds::trimmed(line);
        if (LineKinds::isItem(t))
            seen.insert(t);
    }
    return seen.size();
}
