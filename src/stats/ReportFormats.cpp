#include "ReportFormats.h"

#include "stats/PastedInput.h"
#include "stats/ReportLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>
#include <thread>

namespace ReportFormats {

using TallyCounting::CountedItem;
using TallyCounting::CountedReport;

namespace {

// Reports of many items are written straight into bytes: no string per
// line. With a sink, the bytes go to it a piece at a time, so that a report
// larger than its title is never held whole.
class Writer
{
public:
    explicit Writer(size_t reserve) { grow(std::max<size_t>(reserve, 64)); }
    explicit Writer(const Sink& sink) : m_sink(&sink) { grow(kPiece); }
    // Into the room of bytes written before, which need not be given back
    // to the system and asked for again.
    Writer(QByteArray&& reuse, size_t reserve) : m_out(std::move(reuse))
    {
        m_out.truncate(0);
        grow(std::max<size_t>(reserve, 64));
    }

    Writer& operator<<(std::string_view bytes)
    {
        const size_t n = bytes.size();
        if (n > m_room)
            makeRoom(n);
        copy(m_at, bytes.data(), n);
        m_at += n;
        m_room -= n;
        return *this;
    }
    Writer& operator<<(const char* text) { return *this << std::string_view(text); }
    Writer& operator<<(char c)
    {
        if (m_room == 0)
            makeRoom(1);
        *m_at++ = c;
        --m_room;
        return *this;
    }
    Writer& operator<<(const QString& text)
    {
        const QByteArray utf8 = text.toUtf8(); // a lone surrogate becomes "?"
        return *this << std::string_view(utf8.constData(), size_t(utf8.size()));
    }
    Writer& number(qint64 n)
    {
        constexpr size_t kDigits = 24;
        if (m_room < kDigits)
            makeRoom(kDigits);
        char* const end = std::to_chars(m_at, m_at + kDigits, n).ptr;
        m_room -= size_t(end - m_at);
        m_at = end;
        return *this;
    }
    // count × 100 ÷ total as formatPercent writes it.
    Writer& percent(qint64 count, qint64 total)
    {
        if (total == 0)
            return *this << '0';
        // Below a half per cent, and (for counts so small that the rounding
        // of the quotient cannot tell) the same rounding in integers.
        if (count >= 0 && count < (qint64(1) << 40) && total > 0 && total < (qint64(1) << 31)) {
            if (count * 200 < total)
                return *this << '0';
            const qint64 scaled = count * 200 + total;
            if (scaled <= qint64(std::numeric_limits<quint32>::max())) // a cheaper division
                return number(quint32(scaled) / quint32(total * 2));
            return number(scaled / (total * 2));
        }
        const double rounded = std::round(double(count) * 100.0 / double(total));
        return rounded == 0.0 ? *this << '0' : number(qint64(rounded));
    }
    Writer& csvField(std::string_view text)
    {
        if (!needsQuotes(text))
            return *this << text;
        *this << '"';
        for (const char c : text) {
            if (c == '"')
                *this << '"';
            *this << c;
        }
        return *this << '"';
    }
    // A JSON string, escaped as Qt's own writer escapes it.
    Writer& jsonString(std::string_view text)
    {
        static const char hex[] = "0123456789abcdef";
        *this << '"';
        size_t plain = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const uchar c = uchar(text[i]);
            if (c >= 0x20 && c != '"' && c != '\\')
                continue;
            *this << text.substr(plain, i - plain) << '\\';
            plain = i + 1;
            switch (c) {
            case '"':
                *this << '"';
                break;
            case '\\':
                *this << '\\';
                break;
            case '\b':
                *this << 'b';
                break;
            case '\f':
                *this << 'f';
                break;
            case '\n':
                *this << 'n';
                break;
            case '\r':
                *this << 'r';
                break;
            case '\t':
                *this << 't';
                break;
            default:
                *this << "u00" << hex[c >> 4] << hex[c & 15];
            }
        }
        return *this << text.substr(plain) << '"';
    }
    Writer& jsonString(const QString& text)
    {
        const QByteArray utf8 = text.toUtf8(); // a lone surrogate becomes "?"
        return jsonString(std::string_view(utf8.constData(), size_t(utf8.size())));
    }

    // Bytes another writer made, in turn.
    Writer& pass(QByteArrayView bytes)
    {
        if (!m_sink)
            return *this << std::string_view(bytes.data(), size_t(bytes.size()));
        if (!m_failed && used() > 0)
            m_failed = !(*m_sink)(QByteArrayView(m_out.constData(), used()));
        reset();
        if (!m_failed && !bytes.isEmpty())
            m_failed = !(*m_sink)(bytes);
        return *this;
    }

    // The bytes written so far, and a start afresh in the same room.
    std::string_view view() const { return {m_out.constData(), size_t(used())}; }
    void clear() { reset(); }

    QByteArray take()
    {
        m_out.truncate(used());
        return std::move(m_out);
    }

    // Hands the rest to the sink; false when any of it could not be written.
    bool finish()
    {
        if (m_sink && !m_failed && used() > 0)
            m_failed = !(*m_sink)(QByteArrayView(m_out.constData(), used()));
        reset();
        return !m_failed;
    }

private:
    static constexpr size_t kPiece = 1 << 17;

    // A comma, a quote or a line break; one comparison passes most bytes, as
    // all four come before the letters and digits.
    static bool needsQuotes(std::string_view text)
    {
        for (const char c : text) {
            if (uchar(c) <= uchar(',') && (c == ',' || c == '"' || c == '\n' || c == '\r'))
                return true;
        }
        return false;
    }

    // Names are short: copies of a fixed size, which need no call, do most.
    static void copy(char* to, const char* from, size_t n)
    {
        if (n >= 8 && n <= 16) {
            std::memcpy(to, from, 8);
            std::memcpy(to + n - 8, from + n - 8, 8);
        } else if (n > 16 && n <= 32) {
            std::memcpy(to, from, 16);
            std::memcpy(to + n - 16, from + n - 16, 16);
        } else if (n >= 4 && n < 8) {
            std::memcpy(to, from, 4);
            std::memcpy(to + n - 4, from + n - 4, 4);
        } else if (n < 4) {
            for (size_t i = 0; i < n; ++i)
                to[i] = from[i];
        } else {
            std::memcpy(to, from, n);
        }
    }

    qsizetype used() const { return qsizetype(m_at - m_out.constData()); }

    void reset()
    {
        m_at = m_out.data();
        m_room = size_t(m_out.size());
    }

    void grow(size_t size)
    {
        const qsizetype kept = m_out.isEmpty() ? 0 : used();
        m_out.resize(qsizetype(size));
        m_at = m_out.data() + kept;
        m_room = size - size_t(kept);
    }

    void makeRoom(size_t needed)
    {
        if (m_sink) {
            // After a failed write the rest is dropped: the caller is told at finish().
            if (!m_failed && used() > 0)
                m_failed = !(*m_sink)(QByteArrayView(m_out.constData(), used()));
            reset();
            if (m_room >= needed)
                return;
        }
        grow(std::max(size_t(m_out.size()) * 2, size_t(used()) + needed));
    }

    const Sink* m_sink = nullptr;
    bool m_failed = false;
    QByteArray m_out; // its size is the room; the bytes written end at m_at
    char* m_at = nullptr;
    size_t m_room = 0;
};

// What a line writes of its count, made once for each run of equal counts:
// a report lists equal counts together.
class CountText
{
public:
    template <typename Make> std::string_view of(qint64 count, Make&& make)
    {
        if (!m_made || count != m_count) {
            m_text.clear();
            make(m_text);
            m_count = count;
            m_made = true;
        }
        return m_text.view();
    }

private:
    Writer m_text{size_t(64)};
    qint64 m_count = 0;
    bool m_made = false;
};

size_t namesSize(const CountedReport& report)
{
    size_t size = 0;
    for (const CountedItem& item : report.items)
        size += item.name.size() + 24;
    return size;
}

void textLines(Writer& w, const CountedReport& r, const char* indent)
{
    CountText head;
    for (const CountedItem& item : r.items) {
        const std::string_view start = head.of(item.count, [&](Writer& t) {
            t << indent;
            t.number(item.count) << "--";
            t.percent(item.count, r.total) << "%--";
        });
        w << start << item.name << '\n';
    }
}

// A CSV line's end: ",count,percent" and CR LF.
std::string_view csvTail(CountText& tail, qint64 count, qint64 total)
{
    return tail.of(count, [&](Writer& t) {
        t << ',';
        t.number(count) << ',';
        t.percent(count, total) << "\r\n";
    });
}

void jsonItems(Writer& w, const CountedReport& r)
{
    w << '[';
    CountText tail;
    for (size_t i = 0; i < r.items.size(); ++i) {
        const qint64 count = r.items[i].count;
        w << (i > 0 ? ",{\"item\":" : "{\"item\":");
        w.jsonString(r.items[i].name) << tail.of(count, [&](Writer& t) {
            t << ",\"count\":";
            t.number(count) << ",\"percent\":";
            t.percent(count, r.total) << '}';
        });
    }
    w << ']';
}

// A result of a pasted table as a report to write: names in UTF-8 and
// the counts' values.
CountedReport countedOf(const TallyOutcome& outcome)
{
    CountedReport r;
    r.counted = outcome.counted;
    r.fromDate = outcome.fromDate;
    r.toDate = outcome.toDate;
    r.days = outcome.days;
    if (!outcome.counted)
        return r;
    r.total = outcome.result.totalCount;
    std::vector<qsizetype> offsets;
    for (const QString& name : outcome.result.names) {
        offsets.push_back(r.ownedNames.size());
        r.ownedNames += name.toUtf8();
    }
    offsets.push_back(r.ownedNames.size());
    for (qsizetype i = 0; i < outcome.result.names.size(); ++i)
        r.items.push_back({std::string_view(r.ownedNames.constData() + offsets[size_t(i)],
                                            size_t(offsets[size_t(i) + 1] - offsets[size_t(i)])),
                           countOf(outcome.result.countTexts.value(i))});
    return r;
}

} // namespace

qint64 countOf(const QString& countText)
{
    bool ok = false;
    const qint64 value = countText.toLongLong(&ok);
    if (ok)
        return value;
    qint32 pasted = 0;
    return PastedInput::parseCount(countText, &pasted) ? pasted : 0;
}

namespace {

void writeText(Writer& w, const CountedReport& r, const QString& titleName,
               const QString& countTime)
{
    if (!r.counted) {
        w << kNoItemMessage << '\n';
        return;
    }
    w << "statistics:\n   " << titleName << "\nFrom " << r.fromDate << " to " << r.toDate
      << "\nCounted of days:";
    w.number(r.days) << "\nCount time:" << countTime << "\n\n";
    textLines(w, r, "");
}

void writeCsv(Writer& w, const CountedReport& r)
{
    w << "item,count,percent\r\n";
    CountText tail;
    for (const CountedItem& item : r.items)
        w.csvField(item.name) << csvTail(tail, item.count, r.total);
}

void writeJson(Writer& w, const CountedReport& r, const QString& titleName,
               const QString& countTime)
{
    w << "{\"title\":";
    w.jsonString(titleName) << ",\"from\":";
    w.jsonString(r.fromDate) << ",\"to\":";
    w.jsonString(r.toDate) << ",\"days\":";
    w.number(r.days) << ",\"count_time\":";
    w.jsonString(countTime) << ",\"total\":";
    w.number(r.total) << ",\"items\":";
    jsonItems(w, r);
    w << "}\n";
}

// A report written whole into bytes, or to a sink a piece at a time.
template <typename F> QByteArray inBytes(size_t reserve, F&& write)
{
    Writer w(reserve);
    write(w);
    return w.take();
}

template <typename F> bool toSink(const Sink& sink, F&& write)
{
    Writer w(sink);
    write(w);
    return w.finish();
}

} // namespace

QByteArray text(const CountedReport& r, const QString& titleName, const QString& countTime)
{
    return inBytes(namesSize(r) + 256, [&](Writer& w) { writeText(w, r, titleName, countTime); });
}

bool text(const CountedReport& r, const QString& titleName, const QString& countTime,
          const Sink& sink)
{
    return toSink(sink, [&](Writer& w) { writeText(w, r, titleName, countTime); });
}

QByteArray csv(const CountedReport& r)
{
    return inBytes(namesSize(r) + 32, [&](Writer& w) { writeCsv(w, r); });
}

bool csv(const CountedReport& r, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) { writeCsv(w, r); });
}

QByteArray json(const CountedReport& r, const QString& titleName, const QString& countTime)
{
    return inBytes(namesSize(r) + 256, [&](Writer& w) { writeJson(w, r, titleName, countTime); });
}

bool json(const CountedReport& r, const QString& titleName, const QString& countTime,
          const Sink& sink)
{
    return toSink(sink, [&](Writer& w) { writeJson(w, r, titleName, countTime); });
}

QByteArray csv(const TallyOutcome& outcome)
{
    return csv(countedOf(outcome));
}

QByteArray json(const TallyOutcome& outcome, const QString& titleName)
{
    return json(countedOf(outcome), titleName, outcome.countTime);
}

namespace {

// Counts enough for a batch of periods to outweigh handing it over.
constexpr size_t kBatchItems = 1 << 12;
// Fewer counts than this are written on one thread.
constexpr size_t kItemsForTwoThreads = 1 << 17;

// The periods' reports, from a list or made one by one as they are written.
struct Periods
{
    const std::vector<FileTally::PeriodReport>* list = nullptr;
    const FileTally::Result* made = nullptr; // with periodReport

    static Periods of(const FileTally::Result& result)
    {
        return result.periodReport ? Periods{nullptr, &result} : Periods{&result.periods, nullptr};
    }
    size_t count() const { return list ? list->size() : made->periodSizes.size(); }
    size_t weight(size_t i) const
    {
        return list ? (*list)[i].report.items.size() : made->periodSizes[i];
    }
    template <typename F> void visit(size_t i, F&& f) const
    {
        if (list) {
            f((*list)[i]);
        } else {
            const FileTally::PeriodReport report = made->periodReport(i);
            f(report);
        }
    }
};

// Writes body(writer, i, report) for each period in order. Many periods of many
// items are written on two threads, in batches: a helper writes every other
// batch into a buffer of its own, passed on in its turn; at most two such
// buffers wait, so a large report is never held whole.
template <typename Body> void writeEach(Writer& w, const Periods& periods, Body&& body)
{
    std::vector<size_t> starts{0}; // batch b is periods starts[b]..starts[b + 1]
    size_t items = 0;
    size_t inBatch = 0;
    const size_t count = periods.count();
    for (size_t i = 0; i < count; ++i) {
        const size_t n = periods.weight(i) + 1;
        items += n;
        inBatch += n;
        if (inBatch >= kBatchItems && i + 1 < count) {
            starts.push_back(i + 1);
            inBatch = 0;
        }
    }
    starts.push_back(count);
    const size_t batches = starts.size() - 1;
    const auto writeBatch = [&](Writer& to, size_t b) {
        for (size_t i = starts[b]; i < starts[b + 1]; ++i)
            periods.visit(i, [&](const FileTally::PeriodReport& p) { body(to, i, p); });
    };
    if (items < kItemsForTwoThreads || batches < 2) {
        for (size_t b = 0; b < batches; ++b)
            writeBatch(w, b);
        return;
    }
    std::mutex lock;
    std::condition_variable changed;
    std::deque<QByteArray> ready;
    std::vector<QByteArray> spare; // buffers passed on, to write into again
    std::thread helper([&] {
        for (size_t b = 1; b < batches; b += 2) {
            QByteArray room;
            {
                std::unique_lock<std::mutex> guard(lock);
                changed.wait(guard, [&] { return ready.size() < 2; });
                if (!spare.empty()) {
                    room = std::move(spare.back());
                    spare.pop_back();
                }
            }
            Writer batch(std::move(room), kBatchItems * 48);
            writeBatch(batch, b);
            QByteArray bytes = batch.take();
            std::lock_guard<std::mutex> guard(lock);
            ready.push_back(std::move(bytes));
            changed.notify_all();
        }
    });
    for (size_t b = 0; b < batches; ++b) {
        if (b % 2 == 0) {
            writeBatch(w, b);
            continue;
        }
        QByteArray bytes;
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [&] { return !ready.empty(); });
            bytes = std::move(ready.front());
            ready.pop_front();
            changed.notify_all();
        }
        w.pass(bytes);
        std::lock_guard<std::mutex> guard(lock);
        spare.push_back(std::move(bytes));
    }
    helper.join();
}

size_t periodsSize(const std::vector<FileTally::PeriodReport>& periods)
{
    size_t size = 256;
    for (const FileTally::PeriodReport& p : periods)
        size += namesSize(p.report) + 128;
    return size;
}

void writePeriodsText(Writer& w, const Periods& periods, const QString& titleName,
                      const QString& by, const QString& countTime)
{
    w << "statistics by " << by << ":\n   " << titleName << "\nCount time:" << countTime << '\n';
    if (periods.count() == 0)
        w << '\n' << kNoItemMessage << '\n';
    writeEach(w, periods, [&](Writer& to, size_t, const FileTally::PeriodReport& p) {
        const CountedReport& r = p.report;
        to << '\n' << p.name << ": From " << r.fromDate << " to " << r.toDate << ", days ";
        to.number(r.days) << ", total ";
        to.number(r.total) << '\n';
        textLines(to, r, "  ");
    });
}

void writePeriodsCsv(Writer& w, const Periods& periods)
{
    w << "period,item,count,percent\r\n";
    writeEach(w, periods, [&](Writer& to, size_t, const FileTally::PeriodReport& p) {
        const QByteArray name = p.name.toUtf8() + ',';
        CountText tail;
        for (const CountedItem& item : p.report.items) {
            to << std::string_view(name.constData(), size_t(name.size()));
            to.csvField(item.name) << csvTail(tail, item.count, p.report.total);
        }
    });
}

void writePeriodsJson(Writer& w, const Periods& periods, const QString& titleName,
                      const QString& by, qint64 undatedItems)
{
    w << "{\"title\":";
    w.jsonString(titleName) << ",\"by\":";
    w.jsonString(by) << ",\"periods\":[";
    writeEach(w, periods, [&](Writer& to, size_t i, const FileTally::PeriodReport& p) {
        const CountedReport& r = p.report;
        to << (i > 0 ? ",{\"period\":" : "{\"period\":");
        to.jsonString(p.name) << ",\"from\":";
        to.jsonString(r.fromDate) << ",\"to\":";
        to.jsonString(r.toDate) << ",\"days\":";
        to.number(r.days) << ",\"total\":";
        to.number(r.total) << ",\"items\":";
        jsonItems(to, r);
        to << '}';
    });
    w << "],\"undated\":";
    w.number(undatedItems) << "}\n";
}

} // namespace

QByteArray periodsText(const std::vector<FileTally::PeriodReport>& periods,
                       const QString& titleName, const QString& by, const QString& countTime)
{
    return inBytes(periodsSize(periods), [&](Writer& w) {
        writePeriodsText(w, Periods{&periods, nullptr}, titleName, by, countTime);
    });
}

bool periodsText(const std::vector<FileTally::PeriodReport>& periods, const QString& titleName,
                 const QString& by, const QString& countTime, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) {
        writePeriodsText(w, Periods{&periods, nullptr}, titleName, by, countTime);
    });
}

QByteArray periodsCsv(const std::vector<FileTally::PeriodReport>& periods)
{
    return inBytes(periodsSize(periods), [&](Writer& w) {
        writePeriodsCsv(w, Periods{&periods, nullptr});
    });
}

bool periodsCsv(const std::vector<FileTally::PeriodReport>& periods, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) { writePeriodsCsv(w, Periods{&periods, nullptr}); });
}

QByteArray periodsJson(const std::vector<FileTally::PeriodReport>& periods,
                       const QString& titleName, const QString& by, qint64 undatedItems)
{
    return inBytes(periodsSize(periods), [&](Writer& w) {
        writePeriodsJson(w, Periods{&periods, nullptr}, titleName, by, undatedItems);
    });
}

bool periodsJson(const std::vector<FileTally::PeriodReport>& periods, const QString& titleName,
                 const QString& by, qint64 undatedItems, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) {
        writePeriodsJson(w, Periods{&periods, nullptr}, titleName, by, undatedItems);
    });
}

bool periodsText(const FileTally::Result& counted, const QString& titleName, const QString& by,
                 const QString& countTime, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) {
        writePeriodsText(w, Periods::of(counted), titleName, by, countTime);
    });
}

bool periodsCsv(const FileTally::Result& counted, const Sink& sink)
{
    return toSink(sink, [&](Writer& w) { writePeriodsCsv(w, Periods::of(counted)); });
}

bool periodsJson(const FileTally::Result& counted, const QString& titleName, const QString& by,
                 const Sink& sink)
{
    return toSink(sink, [&](Writer& w) {
        writePeriodsJson(w, Periods::of(counted), titleName, by, counted.undatedItems);
    });
}

} // namespace ReportFormats
