#include "FileTally.h"

#include "titles/TitleBytes.h"
#include "titles/TitleLineViews.h"

#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <thread>
#include <unistd.h>

namespace FileTally {

using namespace TallyCounting;

namespace {

// Small enough to stay in the cache while its lines are counted, large
// enough that reading costs few system calls.
constexpr qsizetype kPiece = 1 << 20;

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
    case Period::Month:
        return qint64(date.year()) * 100 + date.month();
    case Period::Year:
        return date.year();
    }
    return 0;
}

// What one run of lines (the whole title, or one thread's share) counted.
template <typename View> class Segment
{
public:
    explicit Segment(const Options& options)
        : m_options(&options), m_routing(options.from || options.to || options.by != Period::None)
    {
    }

    void line(View raw)
    {
        const View t = trimmed(raw);
        if (!m_routing) {
            m_whole.add(classify(t, m_options->dateFormat), t);
            return;
        }
        QDate date;
        const LineClass kind = classify(t, m_options->dateFormat, &date);
        if (kind == LineClass::Date) {
            m_sawBlock = true;
            m_lastIncluded = (!m_options->from || date >= *m_options->from) &&
                             (!m_options->to || date <= *m_options->to);
            m_lastKey = periodKey(date, m_options->by);
            m_lastDate = date;
            m_target = m_lastIncluded ? &periodAt(m_lastKey, date) : nullptr;
        } else if (!m_sawBlock) {
            m_lead.add(kind, t);
            return;
        }
        if (m_target)
            m_target->add(kind, t);
    }

    // Adds what later counted of the lines that follow these.
    void append(Segment&& later)
    {
        if (!m_routing) {
            m_whole.append(later.m_whole);
            return;
        }
        // Lines above the later share's first date line belong to the day
        // these end in.
        if (!m_sawBlock)
            m_lead.append(later.m_lead);
        else if (m_lastIncluded)
            periodAt(m_lastKey, m_lastDate).append(later.m_lead);
        for (auto& [key, period] : later.m_periods) {
            auto it = m_periods.find(key);
            if (it == m_periods.end())
                m_periods.emplace(key, std::move(period));
            else
                it->second.counter.append(period.counter);
        }
        if (later.m_sawBlock) {
            m_sawBlock = true;
            m_lastIncluded = later.m_lastIncluded;
            m_lastKey = later.m_lastKey;
            m_lastDate = later.m_lastDate;
        }
        m_target = nullptr;
    }

    void fill(Result& result) const
    {
        if (!m_routing) {
            result.whole = m_whole.report();
            result.undatedItems = m_whole.hasDateLine() ? 0 : m_whole.itemLines();
            return;
        }
        result.undatedItems = m_lead.itemLines();
        if (m_options->by == Period::None) {
            const auto it = m_periods.find(0);
            if (it != m_periods.end())
                result.whole = it->second.counter.report();
            return;
        }
        for (const auto& [key, period] : m_periods) {
            if (period.counter.itemLines() > 0)
                result.periods.push_back(
                    {periodName(period.firstDate, m_options->by), period.counter.report()});
        }
    }

    bool routing() const { return m_routing; }

private:
    struct PeriodCounter
    {
        QDate firstDate; // any date of the period, for its name
        Counter<View> counter;
    };

    Counter<View>& periodAt(qint64 key, const QDate& date)
    {
        auto it = m_periods.find(key);
        if (it == m_periods.end())
            it = m_periods.emplace(key, PeriodCounter{date, Counter<View>()}).first;
        return it->second.counter;
    }

    const Options* m_options;
    bool m_routing;
    Counter<View> m_whole; // without periods: every line
    Counter<View> m_lead;  // with periods: the lines above the first date line
    std::map<qint64, PeriodCounter> m_periods;
    Counter<View>* m_target = nullptr;
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

// Calls f(piece) for pieces of [begin, end) that end after a LF (the last
// at end), each read into one buffer that is used again. Stops, returning
// true, when f returns false; false with *error when the file cannot be read.
template <typename F>
bool forEachPiece(int fd, qint64 begin, qint64 end, const QString& path, QString* error, F&& f)
{
    std::vector<char> buffer(size_t(std::min<qint64>(kPiece, end - begin)));
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
        if (share.utf8)
            TitleBytes::forEachLine(piece, [&](QByteArrayView line) { segment.line(line); });
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
    for (size_t i = 1; i < counted->segments.size(); ++i)
        counted->segments[0].append(std::move(counted->segments[i]));
    counted->segments[0].fill(result);
    result.storage = counted;
    return result;
}

} // namespace FileTally
