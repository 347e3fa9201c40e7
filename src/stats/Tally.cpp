#include "Tally.h"

#include "editor/LineKinds.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/ReportLine.h"
#include "titles/TitleBytes.h"
#include "titles/TitleLineViews.h"
#include "editor/ItemIndex.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
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

LineClass classify(QStringView line, const DateFormat& dateFormat)
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

// The same rules over UTF-8: the characters trimmed and the slashes are ASCII,
// so only comments long enough to be a date need decoding.
QByteArrayView trimmedBytes(QByteArrayView line)
{
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && uchar(line[b]) <= 32)
        ++b;
    while (e > b && uchar(line[e - 1]) <= 32)
        --e;
    return line.sliced(b, e - b);
}

LineClass classify(QByteArrayView trimmed, const DateFormat& dateFormat)
{
    if (trimmed.isEmpty())
        return LineClass::Other;
    if (!trimmed.startsWith("//"))
        return LineClass::Item;
    if (trimmed.size() < 8) // never more characters than bytes
        return LineClass::Other;
    return classify(QString::fromUtf8(trimmed), dateFormat);
}

QString textOf(QStringView line)
{
    return line.toString();
}

QString textOf(QByteArrayView line)
{
    // QString::fromUtf8 would drop a byte-order mark that starts the line.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(line);
}

// An item's bytes as the table compares and hashes them, and back.
std::string_view keyOf(QStringView item)
{
    return ItemIndex::keyOf(item);
}

std::string_view keyOf(QByteArrayView item)
{
    return {item.data(), size_t(item.size())};
}

template <typename View> QString textOfKey(std::string_view key);

template <> QString textOfKey<QStringView>(std::string_view key)
{
    // memcpy, as the copy need not be aligned for char16_t.
    QString text(qsizetype(key.size() / sizeof(char16_t)), Qt::Uninitialized);
    std::memcpy(text.data(), key.data(), key.size());
    return text;
}

template <> QString textOfKey<QByteArrayView>(std::string_view key)
{
    return textOf(QByteArrayView(key.data(), qsizetype(key.size())));
}

// One pass over the lines, in order: the items' counts and the date lines that
// give the start, the end and the days. View is a line as the caller holds it
// (text or UTF-8 bytes); the lines must outlive the counter.
template <typename View> class Counter
{
public:
    explicit Counter(qsizetype capacity) : m_capacity(std::max<qsizetype>(capacity, 0)) {}

    void add(LineClass kind, View trimmed)
    {
        switch (kind) {
        case LineClass::Other:
            return;
        case LineClass::Date:
            // The last date line above the first item line that has a date line above it.
            if (!m_startFixed)
                m_start = trimmed;
            m_open = true;
            m_lastDate = trimmed; // 8 characters are enough for the end
            return;
        case LineClass::ShortDate:
            m_lastDate = trimmed;
            return;
        case LineClass::Item:
            break;
        }
        m_startFixed = m_startFixed || m_start.has_value();
        m_end = m_lastDate; // the nearest date line above the last item
        if (m_open) {
            m_open = false;
            ++m_days;
        }
        ++m_itemLines;
        count(trimmed);
    }

    TallyOutcome finish(const QString& titleName, const DateFormat& dateFormat, const Clock& clock,
                        const TallyResult& previous) const;

private:
    // An entry's name is the index's copy of its key: the lines need not be
    // read again (a large file's pages may be gone from memory by then).
    struct Entry
    {
        size_t keyOffset;
        size_t keyLength;
        qint64 count;
    };

    void count(View item)
    {
        const std::string_view key = keyOf(item);
        const size_t hash = ItemIndex::hashOf(key);
        const qsizetype entry = m_index.find(key, hash);
        if (entry != ItemIndex::kMissing) {
            ++m_table[size_t(entry)].count;
        } else if (qsizetype(m_table.size()) < m_capacity) {
            const size_t offset = m_index.insert(key, hash, qsizetype(m_table.size()));
            m_table.push_back({offset, key.size(), 1});
        } else {
            ++m_uncounted;
            return;
        }
        ++m_total;
    }

    static QString dateText(const std::optional<View>& line)
    {
        return line ? LineKinds::commentRest(LineKinds::trimmed(textOf(*line))).toString()
                    : QString();
    }

    qsizetype m_capacity;
    ItemIndex m_index;
    std::vector<Entry> m_table; // in order of first appearance
    qint64 m_total = 0;
    qint64 m_uncounted = 0;
    qint64 m_itemLines = 0;
    qint64 m_days = 0;
    bool m_open = false; // a date line waits for its first item
    bool m_startFixed = false;
    std::optional<View> m_start, m_end, m_lastDate;
};

template <typename View>
TallyOutcome Counter<View>::finish(const QString& titleName, const DateFormat& dateFormat,
                                   const Clock& clock, const TallyResult& previous) const
{
    TallyOutcome out;
    out.countTime = countTime(dateFormat, clock);
    if (m_itemLines == 0) {
        out.result = previous;
        out.result.reportLines = QStringList{QString::fromLatin1(kNoItemMessage)};
        return out;
    }
    out.counted = true;
    out.uncountedLines = m_uncounted;
    out.fromDate = dateText(m_start);
    out.toDate = dateText(m_end);
    out.days = m_days;

    QStringList report;
    report << QStringLiteral("statistics:") << QStringLiteral("   ") + titleName
           << QStringLiteral("From ") + out.fromDate + QStringLiteral(" to ") + out.toDate
           << QStringLiteral("Counted of days:") + QString::number(m_days)
           << QStringLiteral("Count time:") + out.countTime << QString();

    // Largest count first; a stable sort keeps equal counts in order of first appearance.
    std::vector<qsizetype> order(m_table.size());
    for (qsizetype i = 0; i < qsizetype(order.size()); ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
        return m_table[size_t(a)].count > m_table[size_t(b)].count;
    });

    TallyResult& r = out.result;
    r.distinctCount = qint64(m_table.size());
    r.totalCount = m_total;
    r.maxCount = order.empty() ? 0 : m_table[size_t(order.front())].count;
    r.names.reserve(qsizetype(order.size()));
    r.countTexts.reserve(qsizetype(order.size()));
    report.reserve(report.size() + qsizetype(order.size()));
    for (const qsizetype i : order) {
        const Entry& e = m_table[size_t(i)];
        const QString name = textOfKey<View>(m_index.keyAt(e.keyOffset, e.keyLength));
        const QString countText = QString::number(e.count);
        report << reportLine(countText, e.count, m_total, name);
        r.countTexts << countText;
        r.names << name;
    }
    r.reportLines = std::move(report);
    return out;
}

template <typename Lines>
TallyOutcome tallyText(const Lines& lines, qsizetype capacity, const QString& titleName,
                       const DateFormat& dateFormat, const Clock& clock, const TallyResult& previous)
{
    Counter<QStringView> counter(capacity);
    for (const auto& line : lines) {
        const QStringView view(line);
        counter.add(classify(view, dateFormat), LineKinds::trimmed(view));
    }
    return counter.finish(titleName, dateFormat, clock, previous);
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
        if (seen.find(key, hash) == ItemIndex::kMissing)
            seen.insert(key, hash, distinct++);
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
            const QByteArrayView t = trimmedBytes(line);
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
    return counter.finish(titleName, dateFormat, clock, previous);
}

qsizetype countDistinctItems(const QStringList& lines)
{
    return distinctItems(lines);
}

qsizetype countDistinctItems(const QList<QStringView>& lines)
{
    return distinctItems(lines);
}
