#include "Tally.h"

#include "editor/LineKinds.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/ReportLine.h"
#include "stats/TallyCounter.h"
#include "titles/TitleBytes.h"
#include "titles/TitleLineViews.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

using namespace TallyCounting;

// The outcome of a counted run: the header's values, then per item in report
// order its name and count (nameAt(k), countAt(k) for k below items).
template <typename NameAt, typename CountAt>
TallyOutcome outcomeOf(const CountedReport& counted, size_t items, NameAt nameAt, CountAt countAt,
                       const QString& titleName, const QString& time, const TallyResult& previous)
{
    TallyOutcome out;
    out.countTime = time;
    if (!counted.counted) {
        out.result = previous;
        out.result.reportLines = QStringList{QString::fromLatin1(kNoItemMessage)};
        return out;
    }
    out.counted = true;
    out.uncountedLines = counted.uncountedLines;
    out.fromDate = counted.fromDate;
    out.toDate = counted.toDate;
    out.days = counted.days;

    QStringList report;
    report << QStringLiteral("statistics:") << QStringLiteral("   ") + titleName
           << QStringLiteral("From ") + out.fromDate + QStringLiteral(" to ") + out.toDate
           << QStringLiteral("Counted of days:") + QString::number(out.days)
           << QStringLiteral("Count time:") + time << QString();
    TallyResult& r = out.result;
    r.distinctCount = qint64(items);
    r.totalCount = counted.total;
    r.maxCount = items == 0 ? 0 : countAt(0);
    r.names.reserve(qsizetype(items));
    r.countTexts.reserve(qsizetype(items));
    report.reserve(report.size() + qsizetype(items));
    for (size_t k = 0; k < items; ++k) {
        const QString name = nameAt(k);
        const qint64 count = countAt(k);
        const QString countText = QString::number(count);
        report << reportLine(countText, count, r.totalCount, name);
        r.countTexts << countText;
        r.names << name;
    }
    r.reportLines = std::move(report);
    return out;
}

// The names as the counter holds them, exactly (a UTF-16 title may hold
// what UTF-8 cannot).
template <typename View>
TallyOutcome finish(const Counter<View>& counter, const QString& titleName,
                    const DateFormat& dateFormat, const Clock& clock, const TallyResult& previous)
{
    const CountedReport header = counter.header();
    const std::vector<size_t> order = counter.reportOrder();
    return outcomeOf(
        header, header.counted ? order.size() : 0,
        [&](size_t k) { return textOfKey<View>(counter.keyAt(order[k])); },
        [&](size_t k) { return counter.countAt(order[k]); }, titleName,
        countTime(dateFormat, clock), previous);
}

template <typename Lines>
TallyOutcome tallyText(const Lines& lines, qsizetype capacity, const QString& titleName,
                       const DateFormat& dateFormat, const Clock& clock,
                       const TallyResult& previous)
{
    Counter<QStringView> counter(capacity);
    for (const auto& line : lines) {
        const QStringView t = LineKinds::trimmed(QStringView(line));
        counter.add(classify(t, dateFormat), t);
    }
    return finish(counter, titleName, dateFormat, clock, previous);
}

template <typename Lines> qsizetype distinctItems(const Lines& lines)
{
    ItemIndex seen;
    qsizetype distinct = 0;
    for (const auto& line : lines) {
        const QStringView t = LineKinds::trimmed(line);
        if (!LineKinds::isItem(t))
            continue;
        const std::string_view key = keyOf(t);
        const size_t hash = ItemIndex::hashOf(key);
        if (seen.find(key, hash) == ItemIndex::kMissing) {
            seen.insert(key, hash);
            ++distinct;
        }
    }
    return distinct;
}

} // namespace

TallyOutcome runTally(const QStringList& lines, qsizetype capacity, const QString& titleName,
                      const DateFormat& dateFormat, const Clock& clock, const TallyResult& previous)
{
    return tallyText(lines, capacity, titleName, dateFormat, clock, previous);
}

TallyOutcome runTally(const QList<QStringView>& lines, qsizetype capacity, const QString& titleName,
                      const DateFormat& dateFormat, const Clock& clock, const TallyResult& previous)
{
    return tallyText(lines, capacity, titleName, dateFormat, clock, previous);
}

TallyOutcome runTallyOnFile(QByteArrayView file, qsizetype capacity, const QString& titleName,
                            const DateFormat& dateFormat, const Clock& clock,
                            const TallyResult& previous,
                            const std::function<void(QByteArrayView)>& passed)
{
    // Piece by piece, each checked before its lines are counted, so that a
    // large file is read once and need not be resident as a whole.
    constexpr qsizetype kPiece = 4 << 20;
    Counter<QByteArrayView> counter(capacity);
    const std::optional<QByteArrayView> text = TitleBytes::withoutMark(file);
    bool utf8 = text.has_value();
    TitleBytes::forEachPiece(text.value_or(QByteArrayView()), kPiece, [&](QByteArrayView piece) {
        utf8 = piece.isValidUtf8();
        if (!utf8)
            return false;
        TitleBytes::forEachLine(piece, [&](QByteArrayView line) {
            const QByteArrayView t = trimmed(line);
            counter.add(classify(t, dateFormat), t);
        });
        if (passed)
            passed(piece);
        return true;
    });
    if (!utf8) {
        const TitleLineViews lines(QByteArray::fromRawData(file.data(), file.size()));
        return runTally(lines.lines(), capacity, titleName, dateFormat, clock, previous);
    }
    return finish(counter, titleName, dateFormat, clock, previous);
}

TallyOutcome tallyOutcome(const CountedReport& counted, const QString& titleName,
                          const QString& time, const TallyResult& previous)
{
    return outcomeOf(
        counted, counted.items.size(),
        [&](size_t k) { return textOfKey<QByteArrayView>(counted.items[k].name); },
        [&](size_t k) { return counted.items[k].count; }, titleName, time, previous);
}

qsizetype countDistinctItems(const QStringList& lines)
{
    return distinctItems(lines);
}

qsizetype countDistinctItems(const QList<QStringView>& lines)
{
    return distinctItems(lines);
}
