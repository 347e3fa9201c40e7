#include "FileTally.h"

#include "titles/TitleBytes.h"
#include "titles/TitleLineViews.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <thread>
#include <unistd.h>
#include <utility>

namespace FileTally {

using namespace TallyCounting;

namespace {

// Small enough to stay in the cache while its lines are counted, large
// enough that reading costs few system calls.
constexpr qsizetype kPiece = 1 << 18;
// Fewer counts than this are put in report order on one thread.
constexpr size_t kItemsForTwoThreads = 100'000;

qint64 periodKey(const QDate& date, Period by)
{
    switch (by) {
    case Period::None:
        return 0;
    case Period::Day:
        return date.toJulianDay();
    case Period::Week: {
        int year = 0;
        const int week = date.weekNumber(&year);
        return qint64(year) * 100 + week;
    }
    case Period::Month: {
        int year = 0;
        int month = 0;
        date.getDate(&year, &month, nullptr); // one conversion from the day number
        return qint64(year) * 100 + month;
    }
    case Period::Year:
        return date.year();
    }
    return 0;
}

// An item's count in one run of a period's lines, the item by its number
// among the segment's names. Small, as there is one per item and period; a
// count that fills it goes on in a second entry.
struct Tallied
{
    quint32 id;
    quint32 count;
};

// A period's counts as they were settled: each item's number and count in
// turn, as variable-length integers (7 bits a byte). Most numbers and counts
// are small, and memory new to the process costs far more than decoding.
class PackedCounts
{
public:
    static constexpr size_t kMostBytes = 10; // of one entry

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    // Appends bytes of entries that encode() wrote.
    void append(const uchar* begin, const uchar* end, size_t entries)
    {
        if (m_bytes.empty())
            m_bytes.reserve(size_t(end - begin)); // most periods are settled once
        m_bytes.insert(m_bytes.end(), begin, end);
        m_size += entries;
    }

    static uchar* encode(uchar* at, quint32 id, quint32 count) { return put(put(at, id), count); }

    // Calls f(id, count) for each entry in turn.
    template <typename F> void forEach(F&& f) const
    {
        const uchar* at = m_bytes.data();
        for (size_t i = 0; i < m_size; ++i) {
            const quint32 id = get(at);
            const quint32 count = get(at);
            f(id, count);
        }
    }

    void clear()
    {
        std::vector<uchar>().swap(m_bytes);
        m_size = 0;
    }

private:
    static uchar* put(uchar* at, quint32 value)
    {
        while (value >= 0x80) {
            *at++ = uchar(value | 0x80);
            value >>= 7;
        }
        *at++ = uchar(value);
        return at;
    }

    static quint32 get(const uchar*& at)
    {
        quint32 value = *at & 0x7F;
        for (int shift = 7; *at++ & 0x80; shift += 7)
            value |= quint32(*at & 0x7F) << shift;
        return value;
    }

    std::vector<uchar> m_bytes;
    size_t m_size = 0;
};

// A period's counts: those settled here, and those a later share counted,
// each with the table from that share's item numbers to these. They are
// renumbered as they are read, so that merging the shares copies no count.
class PeriodItems
{
public:
    using Numbers = std::shared_ptr<const std::vector<quint32>>;

    size_t size() const
    {
        size_t n = 0;
        for (const Part& part : m_parts)
            n += part.counts.size();
        return n;
    }
    bool empty() const { return size() == 0; }

    void append(const uchar* begin, const uchar* end, size_t entries)
    {
        if (m_parts.empty() || m_parts.back().numbers)
            m_parts.emplace_back();
        m_parts.back().counts.append(begin, end, entries);
    }

    // Takes later's counts, whose item numbers numbers maps to these. The
    // shares are joined to the first one by one, so later holds only counts
    // of its own.
    void adopt(PeriodItems&& later, const Numbers& numbers)
    {
        for (Part& part : later.m_parts) {
            Q_ASSERT(!part.numbers);
            if (part.counts.empty())
                continue;
            part.numbers = numbers;
            m_parts.push_back(std::move(part));
        }
        later.clear();
    }

    // Calls f(id, count) for each entry in turn, in these numbers.
    template <typename F> void forEach(F&& f) const
    {
        for (const Part& part : m_parts) {
            if (!part.numbers) {
                part.counts.forEach(f);
                continue;
            }
            const quint32* const numbers = part.numbers->data();
            part.counts.forEach([&](quint32 id, quint32 count) { f(numbers[id], count); });
        }
    }

    void clear() { std::vector<Part>().swap(m_parts); }

private:
    struct Part
    {
        PackedCounts counts;
        Numbers numbers; // none: counted here
    };
    std::vector<Part> m_parts;
};

// An item's count in a whole period.
struct Summed
{
    quint32 id;
    qint64 count;
};

// The lines of one period (or those above the first date line): the header's
// dates and days, and the counts, whose names the segment keeps once for all
// periods, so that many periods of many items stay small.
template <typename View> struct PeriodCounter
{
    QDate firstDate;      // any date of the period, for its name
    Counter<View> header; // noted only: its own table stays empty
    PeriodItems items;    // in order of first appearance
    qint64 total = 0;
    bool repeats = false; // an item may stand in items more than once
};

// What one run of lines (the whole title, or one thread's share) counted.
template <typename View> class Segment
{
public:
    explicit Segment(const Options& options)
        : m_options(&options), m_routing(options.from || options.to || options.by != Period::None)
    {
    }

    void line(View raw) { counted(trimmed(raw), nullptr); }

    // Lines in turn, as line() counts them (each is trimmed where it stands);
    // the lookups of their items overlap, each step of each item's lookup
    // asked for before any is found.
    void lines(View* t, size_t n)
    {
        Q_ASSERT(n <= kBatch);
        size_t hash[kBatch];
        bool item[kBatch];
        const ItemIndex& index = m_routing ? m_names : m_whole.index();
        for (size_t i = 0; i < n; ++i) {
            t[i] = trimmed(t[i]);
            item[i] = mayBeItem(t[i]);
            if (item[i]) {
                hash[i] = ItemIndex::hashOf(keyOf(t[i]));
                index.prefetchSlot(hash[i]);
            }
        }
        for (size_t i = 0; i < n; ++i) {
            if (item[i])
                index.prefetchStart(hash[i]);
        }
        for (size_t i = 0; i < n; ++i) {
            if (item[i])
                index.prefetchKey(hash[i]);
        }
        for (size_t i = 0; i < n; ++i)
            counted(t[i], item[i] ? &hash[i] : nullptr);
    }

    static constexpr size_t kBatch = 32;

private:
    // An item line, as classify() tells one apart, needs its key's hash.
    static bool mayBeItem(View t)
    {
        if constexpr (std::is_same_v<View, QByteArrayView>)
            return isItem(t);
        else
            return false;
    }

    // Counts a trimmed line; hash: its key's, when it was hashed already.
    void counted(View t, const size_t* hash)
    {
        if (!m_routing) {
            const LineClass kind = classify(t, m_options->dateFormat);
            if (hash)
                m_whole.add(kind, t, *hash);
            else
                m_whole.add(kind, t);
            return;
        }
        QDate date;
        const LineClass kind = classify(t, m_options->dateFormat, &date);
        if (kind == LineClass::Date) {
            const bool included = (!m_options->from || date >= *m_options->from) &&
                                  (!m_options->to || date <= *m_options->to);
            const qint64 key = periodKey(date, m_options->by);
            // Blocks of one period in a row are counted as one run.
            if (!included || !m_sawBlock || !m_target || key != m_lastKey) {
                settle();
                m_target = included ? &periodAt(key, date) : nullptr;
            }
            m_sawBlock = true;
            m_lastIncluded = included;
            m_lastKey = key;
            m_lastDate = date;
        }
        if (PeriodCounter<View>* target = m_sawBlock ? m_target : &m_lead)
            tally(*target, kind, t, hash);
    }

public:
    // Adds what later counted of the lines that follow these.
    void append(Segment&& later)
    {
        if (!m_routing) {
            m_whole.append(later.m_whole);
            return;
        }
        settle();
        later.settle();
        auto numbers = std::make_shared<std::vector<quint32>>(size_t(later.m_names.size()));
        for (size_t id = 0; id < numbers->size(); ++id)
            (*numbers)[id] = idOf(later.nameOf(quint32(id)));
        const PeriodItems::Numbers ids = std::move(numbers);
        // Lines above the later share's first date line belong to the day
        // these end in.
        if (!m_sawBlock)
            absorb(m_lead, later.m_lead, ids);
        else if (m_lastIncluded)
            absorb(periodAt(m_lastKey, m_lastDate), later.m_lead, ids);
        for (auto& [key, period] : later.m_periods) {
            auto it = m_periods.find(key);
            if (it == m_periods.end()) {
                PeriodItems items;
                items.adopt(std::move(period.items), ids);
                period.items = std::move(items);
                m_periods.emplace(key, std::move(period));
            } else {
                absorb(it->second, period, ids);
            }
        }
        if (later.m_sawBlock) {
            m_sawBlock = true;
            m_lastIncluded = later.m_lastIncluded;
            m_lastKey = later.m_lastKey;
            m_lastDate = later.m_lastDate;
        }
        m_target = nullptr;
    }

    // The reports; the counts are given up as they are written into them.
    void fill(Result& result)
    {
        if (!m_routing) {
            result.whole = m_whole.report();
            result.undatedItems = m_whole.hasDateLine() ? 0 : m_whole.itemLines();
            return;
        }
        settle();
        result.undatedItems = m_lead.header.itemLines();
        if (m_options->by == Period::None) {
            const auto it = m_periods.find(0);
            if (it != m_periods.end())
                result.whole = reportOf(it->second, m_slot);
            return;
        }
        std::vector<PeriodCounter<View>*> counted;
        size_t items = 0;
        for (auto& [key, period] : m_periods) {
            if (period.header.itemLines() > 0) {
                counted.push_back(&period);
                items += period.items.size();
            }
        }
        if (m_options->periodsOnDemand) {
            for (const PeriodCounter<View>* period : counted)
                result.periodSizes.push_back(period->items.size());
            const Period by = m_options->by;
            result.periodReport = [this, by, counted = std::move(counted)](size_t i) {
                thread_local std::vector<quint32> marks; // all 0, as reportOf() leaves them
                if (marks.size() < m_slot.size())
                    marks.resize(m_slot.size(), 0);
                return PeriodReport{periodName(counted[i]->firstDate, by),
                                    reportOf(*counted[i], marks)};
            };
            return;
        }
        result.periods.resize(counted.size());
        const auto report = [&](size_t begin, size_t end, std::vector<quint32>& marks) {
            for (size_t i = begin; i < end; ++i)
                result.periods[i] = {periodName(counted[i]->firstDate, m_options->by),
                                     reportOf(*counted[i], marks)};
        };
        // Many periods of many items are sorted on two threads, half the items each.
        size_t half = counted.size();
        if (m_options->threads > 1 && items > kItemsForTwoThreads) {
            size_t sum = 0;
            for (half = 0; half < counted.size() && sum < items / 2; ++half)
                sum += counted[half]->items.size();
        }
        std::thread helper;
        std::vector<quint32> helperMarks;
        if (half < counted.size()) {
            helperMarks.assign(m_slot.size(), 0);
            helper = std::thread(report, half, counted.size(), std::ref(helperMarks));
        }
        report(0, half, m_slot);
        if (helper.joinable())
            helper.join();
    }

    bool routing() const { return m_routing; }

private:
    PeriodCounter<View>& periodAt(qint64 key, const QDate& date)
    {
        auto it = m_periods.find(key);
        if (it == m_periods.end()) {
            it = m_periods.emplace(key, PeriodCounter<View>()).first;
            it->second.firstDate = date;
        }
        return it->second;
    }

    quint32 idOf(std::string_view key) { return idOf(key, ItemIndex::hashOf(key)); }

    quint32 idOf(std::string_view key, size_t hash)
    {
        const qsizetype found = m_names.find(key, hash);
        if (found != ItemIndex::kMissing)
            return quint32(found);
        m_slot.push_back(0);
        return quint32(m_names.insert(key, hash));
    }

    std::string_view nameOf(quint32 id) const { return m_names.keyAt(id); }

    // Counts into the run of the current target, which settle() hands over.
    void tally(PeriodCounter<View>& target, LineClass kind, View t, const size_t* hash)
    {
        if (!target.header.note(kind, t))
            return;
        const std::string_view key = keyOf(t);
        const quint32 id = hash ? idOf(key, *hash) : idOf(key);
        ++target.total;
        quint32& count = m_slot[id];
        if (count == 0)
            m_run.push_back(id);
        // A full count ends the run; the period then merges its runs.
        if (++count == std::numeric_limits<quint32>::max()) {
            settle();
            target.repeats = true;
        }
    }

    // Hands the current run's counts to its period.
    void settle()
    {
        PeriodCounter<View>* target = m_sawBlock ? m_target : &m_lead;
        if (target && !m_run.empty()) {
            target->repeats = target->repeats || !target->items.empty();
            m_packing.resize(m_run.size() * PackedCounts::kMostBytes);
            uchar* at = m_packing.data();
            for (const quint32 id : m_run)
                at = PackedCounts::encode(at, id, m_slot[id]);
            target->items.append(m_packing.data(), at, m_run.size());
        }
        for (const quint32 id : m_run)
            m_slot[id] = 0;
        m_run.clear();
    }

    // Adds later's counts (its items numbered by ids) to into.
    static void absorb(PeriodCounter<View>& into, PeriodCounter<View>& later,
                       const PeriodItems::Numbers& ids)
    {
        into.header.append(later.header);
        into.repeats =
            into.repeats || later.repeats || (!into.items.empty() && !later.items.empty());
        into.items.adopt(std::move(later.items), ids);
        into.total += later.total;
    }

    // marks: all 0, one per item number; left so.
    CountedReport reportOf(PeriodCounter<View>& period, std::vector<quint32>& marks) const
    {
        CountedReport r = period.header.header();
        if (!r.counted)
            return r;
        r.total = period.total;
        if (period.repeats) {
            // One entry per item, where it first appeared.
            std::vector<Summed> items;
            period.items.forEach([&](quint32 id, quint32 count) {
                quint32& slot = marks[id];
                if (slot == 0) {
                    items.push_back({id, count});
                    slot = quint32(items.size());
                } else {
                    items[slot - 1].count += count;
                }
            });
            for (const Summed& item : items)
                marks[item.id] = 0;
            period.items.clear();
            fillItems(r, items);
        } else {
            // Decoded into memory used again for every period.
            thread_local std::vector<Tallied> items;
            items.resize(period.items.size());
            Tallied* at = items.data();
            period.items.forEach([&](quint32 id, quint32 count) { *at++ = {id, count}; });
            period.items.clear();
            fillItems(r, items);
        }
        return r;
    }

    // The entries' places in report order: largest count first, equal
    // counts in order of first appearance. Most counts of a period are
    // small, so they are mostly put in order by counting.
    // order: its room is used again from period to period.
    template <typename Entry>
    static void reportOrder(const std::vector<Entry>& entries, std::vector<quint32>& order)
    {
        qint64 most = 0;
        for (const Entry& e : entries)
            most = std::max<qint64>(most, qint64(e.count));
        order.resize(entries.size());
        if (most > qint64(entries.size()) * 4 + 64) {
            for (size_t i = 0; i < order.size(); ++i)
                order[i] = quint32(i);
            std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
                return entries[a].count > entries[b].count;
            });
            return;
        }
        // By most - count: where the next entry of each half goes. Most
        // counts are equal, so the halves are counted side by side, each a
        // chain of additions of its own; each count's places hold the first
        // half's entries before the second's, which keeps the order stable.
        thread_local std::vector<quint32> first;
        thread_local std::vector<quint32> second;
        const size_t buckets = size_t(most) + 1;
        first.assign(buckets, 0);
        second.assign(buckets, 0);
        const size_t n = entries.size();
        const size_t half = n / 2;
        const auto bucket = [&](size_t i) { return size_t(most - qint64(entries[i].count)); };
        for (size_t i = 0; i < half; ++i) {
            ++first[bucket(i)];
            ++second[bucket(half + i)];
        }
        if (n % 2)
            ++second[bucket(n - 1)];
        quint32 sum = 0;
        for (size_t b = 0; b < buckets; ++b) {
            const quint32 inFirst = first[b];
            first[b] = sum;
            sum += inFirst;
            const quint32 inSecond = second[b];
            second[b] = sum;
            sum += inSecond;
        }
        for (size_t i = 0; i < half; ++i) {
            order[first[bucket(i)]++] = quint32(i);
            order[second[bucket(half + i)]++] = quint32(half + i);
        }
        if (n % 2)
            order[second[bucket(n - 1)]++] = quint32(n - 1);
    }

    template <typename Entry>
    void fillItems(CountedReport& r, const std::vector<Entry>& entries) const
    {
        thread_local std::vector<quint32> order;
        reportOrder(entries, order);
        r.items.reserve(order.size());
        if constexpr (std::is_same_v<View, QStringView>) {
            std::vector<qsizetype> offsets;
            offsets.reserve(order.size() + 1);
            for (const quint32 k : order) {
                offsets.push_back(r.ownedNames.size());
                r.ownedNames += textOfKey<View>(nameOf(entries[k].id)).toUtf8();
            }
            offsets.push_back(r.ownedNames.size());
            for (size_t k = 0; k < order.size(); ++k)
                r.items.push_back({std::string_view(r.ownedNames.constData() + offsets[k],
                                                    size_t(offsets[k + 1] - offsets[k])),
                                   qint64(entries[order[k]].count)});
        } else {
            r.items.resize(order.size());
            TallyCounting::CountedItem* item = r.items.data();
            for (const quint32 k : order)
                *item++ = {nameOf(entries[k].id), qint64(entries[k].count)};
        }
    }

    const Options* m_options;
    bool m_routing;
    Counter<View> m_whole; // without periods: every line
    // With periods: the lines above the first date line, and each period's.
    PeriodCounter<View> m_lead;
    std::map<qint64, PeriodCounter<View>> m_periods;
    PeriodCounter<View>* m_target = nullptr; // where the lines go, once a date line was met
    // Every item once, by number, for all periods.
    ItemIndex m_names;
    // The items of the lines since the target last changed, in order of
    // first appearance, and each item's count among those lines (0 for none).
    std::vector<quint32> m_run;
    std::vector<uchar> m_packing; // a run's entries on their way to the period
    std::vector<quint32> m_slot;
    bool m_sawBlock = false;
    bool m_lastIncluded = false;
    qint64 m_lastKey = 0;
    QDate m_lastDate;
};

QString shrankError(const QString& path)
{
    return QStringLiteral("Cannot read file \"%1\". It changed size while it was read.")
        .arg(QFileInfo(path).absoluteFilePath());
}

QString readError(const QString& path, int code)
{
    return QStringLiteral("Cannot read file \"%1\". %2")
        .arg(QFileInfo(path).absoluteFilePath(), QString::fromLocal8Bit(std::strerror(code)));
}

// Reads exactly length bytes at offset; false with the reason when it cannot.
bool readAt(int fd, char* to, qint64 length, qint64 offset, const QString& path, QString* error)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, to, size_t(length), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? readError(path, errno) : shrankError(path);
            return false;
        }
        to += n;
        length -= n;
        offset += n;
    }
    return true;
}

// Bytes read into again and again; a resize keeps what it holds.
class Buffer
{
public:
    explicit Buffer(size_t size) : m_bytes(new char[size]), m_size(size) {}
    char* data() { return m_bytes.get(); }
    size_t size() const { return m_size; }
    void resize(size_t size)
    {
        std::unique_ptr<char[]> bigger(new char[size]);
        std::memcpy(bigger.get(), m_bytes.get(), m_size);
        m_bytes = std::move(bigger);
        m_size = size;
    }

private:
    std::unique_ptr<char[]> m_bytes;
    size_t m_size;
};

// Calls f(piece) for pieces of [begin, end) that end after a LF (the last
// at end), each read into one buffer that is used again. Stops, returning
// true, when f returns false; false with *error when the file cannot be read.
template <typename F>
bool forEachPiece(int fd, qint64 begin, qint64 end, const QString& path, QString* error, F&& f)
{
    // Not zeroed: every byte used is read first.
    Buffer buffer(size_t(std::min<qint64>(kPiece, end - begin)));
    qsizetype kept = 0; // the start of a line, carried to the next piece
    qint64 at = begin;
    while (at < end) {
        if (kept == qsizetype(buffer.size()))
            buffer.resize(buffer.size() * 2); // a line longer than the buffer
        const qint64 length = std::min<qint64>(qint64(buffer.size()) - kept, end - at);
        if (!readAt(fd, buffer.data() + kept, length, at, path, error))
            return false;
        at += length;
        const qsizetype filled = kept + qsizetype(length);
        qsizetype cut = filled;
        if (at < end) {
            const char* lf = static_cast<const char*>(memrchr(buffer.data(), '\n', size_t(filled)));
            if (!lf) {
                kept = filled;
                continue;
            }
            cut = lf + 1 - buffer.data();
        }
        if (!f(QByteArrayView(buffer.data(), cut)))
            return true;
        kept = filled - cut;
        std::memmove(buffer.data(), buffer.data() + cut, size_t(kept));
    }
    if (kept > 0 && !f(QByteArrayView(buffer.data(), kept)))
        return true;
    return true;
}

// The first byte after the LF at or after offset, or -1 when there is none.
qint64 lineStartAfter(int fd, qint64 offset, qint64 size)
{
    char chunk[1 << 16];
    while (offset < size) {
        const qint64 n = std::min<qint64>(sizeof chunk, size - offset);
        QString ignored;
        if (!readAt(fd, chunk, n, offset, QString(), &ignored))
            return -1;
        if (const void* lf = std::memchr(chunk, '\n', size_t(n)))
            return offset + (static_cast<const char*>(lf) - chunk) + 1;
        offset += n;
    }
    return -1;
}

// One thread's share: counts its lines as long as they are valid UTF-8.
struct Share
{
    qint64 begin = 0;
    qint64 end = 0;
    bool utf8 = true;
    QString error;
};

void countShare(int fd, const QString& path, Share& share, Segment<QByteArrayView>& segment)
{
    forEachPiece(fd, share.begin, share.end, path, &share.error, [&](QByteArrayView piece) {
        share.utf8 = piece.isValidUtf8();
        if (share.utf8) {
            using S = Segment<QByteArrayView>;
            QByteArrayView batch[S::kBatch];
            size_t n = 0;
            TitleBytes::forEachLine(piece, [&](QByteArrayView line) {
                batch[n++] = line;
                if (n == S::kBatch) {
                    segment.lines(batch, n);
                    n = 0;
                }
            });
            segment.lines(batch, n);
        }
        return share.utf8;
    });
}

Result countDecoded(int fd, qint64 size, const QString& path, const Options& options)
{
    Result result;
    QByteArray bytes(size, Qt::Uninitialized);
    if (!readAt(fd, bytes.data(), size, 0, path, &result.error))
        return result;
    struct Decoded
    {
        Decoded(const QByteArray& bytes, const Options& options) : lines(bytes), segment(options) {}
        TitleLineViews lines;
        Segment<QStringView> segment;
    };
    auto decoded = std::make_shared<Decoded>(bytes, options);
    for (const QStringView line : decoded->lines.lines())
        decoded->segment.line(line);
    decoded->segment.fill(result);
    result.storage = decoded;
    return result;
}

} // namespace

QString periodName(const QDate& date, Period by)
{
    switch (by) {
    case Period::None:
        return QString();
    case Period::Day:
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    case Period::Week: {
        int year = 0;
        const int week = date.weekNumber(&year);
        return QStringLiteral("%1-W%2")
            .arg(year, 4, 10, QLatin1Char('0'))
            .arg(week, 2, 10, QLatin1Char('0'));
    }
    case Period::Month:
        return date.toString(QStringLiteral("yyyy-MM"));
    case Period::Year:
        return date.toString(QStringLiteral("yyyy"));
    }
    return QString();
}

Result count(int fd, qint64 size, const QString& path, const Options& options)
{
    Result result;
    char head[6] = {};
    const qint64 headSize = std::min<qint64>(size, sizeof head);
    if (!readAt(fd, head, headSize, 0, path, &result.error))
        return result;
    const std::optional<QByteArrayView> text =
        TitleBytes::withoutMark(QByteArrayView(head, headSize));
    if (!text)
        return countDecoded(fd, size, path, options);

    std::vector<Share> shares(1);
    shares[0].begin = headSize - text->size();
    shares[0].end = size;
    if (size > options.splitAbove) {
        // Each share starts at a line's start.
        for (int k = 1; k < options.threads; ++k) {
            const qint64 split =
                lineStartAfter(fd, std::max(shares.back().begin, size * k / options.threads), size);
            if (split <= shares.back().begin || split >= size)
                break;
            shares.back().end = split;
            shares.push_back({split, size, true, QString()});
        }
    }
    struct Counted
    {
        std::vector<Segment<QByteArrayView>> segments;
    };
    auto counted = std::make_shared<Counted>();
    counted->segments.reserve(shares.size());
    for (size_t i = 0; i < shares.size(); ++i)
        counted->segments.emplace_back(options);
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < shares.size(); ++i)
        helpers.emplace_back(countShare, fd, std::cref(path), std::ref(shares[i]),
                             std::ref(counted->segments[i]));
    countShare(fd, path, shares[0], counted->segments[0]);
    for (std::thread& helper : helpers)
        helper.join();
    for (const Share& share : shares) {
        if (!share.error.isEmpty()) {
            result.error = share.error;
            return result;
        }
    }
    for (const Share& share : shares) {
        if (!share.utf8)
            return countDecoded(fd, size, path, options);
    }
    for (size_t i = 1; i < counted->segments.size(); ++i) {
        counted->segments[0].append(std::move(counted->segments[i]));
        // Its names were copied: its table goes before the reports are made.
        counted->segments[i] = Segment<QByteArrayView>(options);
    }
    counted->segments[0].fill(result);
    result.storage = counted;
    return result;
}

} // namespace FileTally
