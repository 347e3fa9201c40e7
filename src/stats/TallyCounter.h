#pragma once

#include "editor/ItemIndex.h"
#include "editor/LineKinds.h"
#include "platform/DateFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The tally's one pass over a title's lines, shared by the tally over lines
// and the one over a file's bytes. Internal to the statistics code.
namespace TallyCounting {

// What the date and item scans need to know of a line. A date line is told
// apart by its trimmed length: 8 characters serve only as an end date.
enum class LineClass : quint8
{
    Other,
    Item,
    ShortDate,
    Date
};

inline LineClass classify(QStringView trimmed, const DateFormat& dateFormat, QDate* date = nullptr)
{
    if (trimmed.isEmpty())
        return LineClass::Other;
    if (!LineKinds::isComment(trimmed))
        return LineClass::Item;
    if (trimmed.size() < 8 || !dateFormat.parse(LineKinds::commentRest(trimmed), date))
        return LineClass::Other;
    return trimmed.size() >= 9 ? LineClass::Date : LineClass::ShortDate;
}

// The same rules over UTF-8: the characters trimmed and the slashes are ASCII,
// so only comments long enough to be a date need decoding.
inline QByteArrayView trimmed(QByteArrayView line)
{
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && uchar(line[b]) <= 32)
        ++b;
    while (e > b && uchar(line[e - 1]) <= 32)
        --e;
    return line.sliced(b, e - b);
}

inline QStringView trimmed(QStringView line)
{
    return LineKinds::trimmed(line);
}

// Whether classify() takes a trimmed line of bytes for an item: it is not
// empty and not a comment.
inline bool isItem(QByteArrayView trimmed)
{
    return !trimmed.isEmpty() && (trimmed.size() < 2 || trimmed[0] != '/' || trimmed[1] != '/');
}

inline LineClass classify(QByteArrayView trimmed, const DateFormat& dateFormat,
                          QDate* date = nullptr)
{
    if (trimmed.isEmpty())
        return LineClass::Other;
    if (isItem(trimmed))
        return LineClass::Item;
    if (trimmed.size() < 8) // never more characters than bytes
        return LineClass::Other;
    return classify(QStringView(QString::fromUtf8(trimmed)), dateFormat, date);
}

// An item's bytes as the table compares and hashes them.
inline std::string_view keyOf(QStringView item)
{
    return ItemIndex::keyOf(item);
}

inline std::string_view keyOf(QByteArrayView item)
{
    return {item.data(), size_t(item.size())};
}

// A key back as text. UTF-8 is decoded keeping a byte-order mark that starts
// the line, which QString::fromUtf8 would drop.
template <typename View> QString textOfKey(std::string_view key)
{
    if constexpr (std::is_same_v<View, QStringView>) {
        // memcpy, as the copy need not be aligned for char16_t.
        QString text(qsizetype(key.size() / sizeof(char16_t)), Qt::Uninitialized);
        std::memcpy(text.data(), key.data(), key.size());
        return text;
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(QByteArrayView(key.data(), qsizetype(key.size())));
    }
}

// One item of a report, in report order; name is UTF-8 for any title.
struct CountedItem
{
    std::string_view name;
    qint64 count = 0;
};

// A report's numbers without its text: what the text, CSV and JSON forms
// are written from.
struct CountedReport
{
    bool counted = false; // false: no item line, nothing else is set
    QString fromDate;
    QString toDate;
    qint64 days = 0;
    qint64 total = 0;
    qint64 uncountedLines = 0;
    std::vector<CountedItem> items;
    // The names, where they had to be converted to UTF-8; shared, so that
    // the items' views stay valid when the report is copied or moved.
    QByteArray ownedNames;
};

// One pass over the lines, in order: the items' counts and the date lines that
// give the start, the end and the days. View is a line as the caller holds it
// (text or UTF-8 bytes). The counter keeps copies of what it needs, so a line
// may go once it has been added.
template <typename View> class Counter
{
public:
    explicit Counter(qsizetype capacity = std::numeric_limits<qsizetype>::max())
        : m_capacity(std::max<qsizetype>(capacity, 0))
    {
    }

    void add(LineClass kind, View trimmed)
    {
        if (note(kind, trimmed))
            count(keyOf(trimmed));
    }
    // The same, the item's key hashed already (ItemIndex::hashOf).
    void add(LineClass kind, View trimmed, size_t hash)
    {
        if (note(kind, trimmed))
            countHashed(keyOf(trimmed), hash);
    }

    const ItemIndex& index() const { return m_index; }

    // All of add() but the item's count: true for an item line, which a
    // caller that keeps the counts elsewhere then counts itself.
    bool note(LineClass kind, View trimmed)
    {
        switch (kind) {
        case LineClass::Other:
            return false;
        case LineClass::Date:
            m_hasDate = true;
            // The last date line above the first item line that has a date line above it.
            if (!m_startFixed)
                m_start.assign(keyOf(trimmed));
            m_open = true;
            setLastDate(trimmed); // 8 characters are enough for the end
            return false;
        case LineClass::ShortDate:
            setLastDate(trimmed);
            return false;
        case LineClass::Item:
            break;
        }
        if (!m_hasDate && m_itemLines == 0)
            m_itemBeforeDate = true;
        m_startFixed = m_startFixed || !m_start.empty();
        m_endIsLastDate = true; // the nearest date line above the last item
        if (m_open) {
            m_open = false;
            ++m_days;
        }
        ++m_itemLines;
        return true;
    }

    // Adds the lines another counter counted, as if they followed these: the
    // result is that of one counter over both runs of lines in turn.
    void append(const Counter& later)
    {
        if (!m_startFixed) {
            if (!m_start.empty() && later.m_itemBeforeDate) {
                m_startFixed = true;
            } else if (!later.m_start.empty()) {
                m_start = later.m_start;
                m_startFixed = later.m_startFixed;
            }
        }
        if (later.m_itemLines > 0) {
            // Its own end, or else the last date line above all its lines.
            m_end = later.ownEnd().empty() ? m_lastDate : later.ownEnd();
            m_endIsLastDate = false;
        } else if (m_endIsLastDate && !later.m_lastDate.empty()) {
            // Date lines alone: the end stays the date line above our last item.
            m_end = m_lastDate;
            m_endIsLastDate = false;
        }
        if (!later.m_lastDate.empty())
            m_lastDate = later.m_lastDate;
        m_days += later.m_days + (m_open && later.m_itemBeforeDate ? 1 : 0);
        m_open = later.m_hasDate ? later.m_open : m_open && later.m_itemLines == 0;
        if (!m_hasDate && m_itemLines == 0)
            m_itemBeforeDate = later.m_itemBeforeDate;
        m_hasDate = m_hasDate || later.m_hasDate;
        m_itemLines += later.m_itemLines;
        m_uncounted += later.m_uncounted;
        for (size_t i = 0; i < later.m_table.size(); ++i)
            count(later.keyAt(i), later.m_table[i]);
    }

    qint64 itemLines() const { return m_itemLines; }
    bool hasDateLine() const { return m_hasDate; }

    // The counts in report order (largest first; equal counts in order of
    // first appearance) and the header's values.
    CountedReport report() const
    {
        CountedReport r = header();
        if (!r.counted)
            return r;
        const std::vector<size_t> order = reportOrder();
        r.items.reserve(order.size());
        if constexpr (std::is_same_v<View, QStringView>) {
            std::vector<qsizetype> offsets;
            offsets.reserve(order.size() + 1);
            for (const size_t i : order) {
                offsets.push_back(r.ownedNames.size());
                r.ownedNames += textOfKey<View>(keyAt(i)).toUtf8();
            }
            offsets.push_back(r.ownedNames.size());
            for (size_t k = 0; k < order.size(); ++k)
                r.items.push_back({std::string_view(r.ownedNames.constData() + offsets[k],
                                                    size_t(offsets[k + 1] - offsets[k])),
                                   m_table[order[k]]});
        } else {
            for (const size_t i : order)
                r.items.push_back({keyAt(i), m_table[i]});
        }
        return r;
    }

    // The report without its items.
    CountedReport header() const
    {
        CountedReport r;
        if (m_itemLines == 0)
            return r;
        r.counted = true;
        r.fromDate = dateText(m_start);
        r.toDate = endText();
        r.days = m_days;
        r.total = m_total;
        r.uncountedLines = m_uncounted;
        return r;
    }

    // Entries in report order.
    std::vector<size_t> reportOrder() const
    {
        std::vector<size_t> order(m_table.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        // A stable sort keeps equal counts in order of first appearance.
        std::stable_sort(order.begin(), order.end(),
                         [this](size_t a, size_t b) { return m_table[a] > m_table[b]; });
        return order;
    }

    std::string_view keyAt(size_t entry) const { return m_index.keyAt(qsizetype(entry)); }
    qint64 countAt(size_t entry) const { return m_table[entry]; }
    qint64 total() const { return m_total; }
    qint64 uncounted() const { return m_uncounted; }
    qint64 days() const { return m_days; }
    QString startText() const { return dateText(m_start); }
    QString endText() const { return dateText(ownEnd()); }

private:
    void setLastDate(View trimmed)
    {
        if (m_endIsLastDate) {
            m_end = m_lastDate; // the end so far, before the date line moves on
            m_endIsLastDate = false;
        }
        m_lastDate.assign(keyOf(trimmed));
    }

    // The nearest date line above the last item line, among these lines.
    const std::string& ownEnd() const { return m_endIsLastDate ? m_lastDate : m_end; }

    void count(std::string_view key, qint64 n = 1) { countHashed(key, ItemIndex::hashOf(key), n); }

    void countHashed(std::string_view key, size_t hash, qint64 n = 1)
    {
        const qsizetype entry = m_index.find(key, hash);
        if (entry != ItemIndex::kMissing) {
            m_table[size_t(entry)] += n;
        } else if (qsizetype(m_table.size()) < m_capacity) {
            m_index.insert(key, hash);
            m_table.push_back(n);
        } else {
            m_uncounted += n;
            return;
        }
        m_total += n;
    }

    static QString dateText(const std::string& line)
    {
        if (line.empty())
            return QString();
        const QString text = textOfKey<View>(line);
        return LineKinds::commentRest(LineKinds::trimmed(text)).toString();
    }

    qsizetype m_capacity;
    // An entry's name is the index's copy of its key (its number there is
    // the entry's): the lines need not be read again.
    ItemIndex m_index;
    std::vector<qint64> m_table; // the counts, in order of first appearance
    qint64 m_total = 0;
    qint64 m_uncounted = 0;
    qint64 m_itemLines = 0;
    qint64 m_days = 0;
    bool m_open = false; // a date line waits for its first item
    bool m_startFixed = false;
    bool m_hasDate = false;        // a date line that opens a day was met
    bool m_itemBeforeDate = false; // an item line came before the first such date line
    bool m_endIsLastDate = false;  // the end is m_lastDate (no date line since the last item)
    // Date lines as their key bytes (a date line is never empty, so empty
    // means none).
    std::string m_start, m_end, m_lastDate;
};

} // namespace TallyCounting
