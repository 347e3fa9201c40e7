// The tally over a title of any bytes.
#include "FuzzInput.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/FileTally.h"
#include "stats/Tally.h"
#include "titles/TitleText.h"

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TitleText::Decoded title = TitleText::decode(bytesOf(data, size), "windows-1252");
    static const DateFormat dates(QStringLiteral("yyyy-M-d"));
    const Clock clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(21, 5, 33)));
    const TallyOutcome outcome = runTally(title.lines, countDistinctItems(title.lines),
                                          QStringLiteral("t"), dates, clock, TallyResult());
    // The total is the sum of the counts shown.
    qint64 sum = 0;
    for (const QString& count : outcome.result.countTexts)
        sum += count.toLongLong();
    if (outcome.counted && sum != outcome.result.totalCount)
        __builtin_trap();

    // The file read in three shares, counted apart and joined, reports what
    // one pass over its bytes does.
    const QByteArray bytes = bytesOf(data, size);
    const TallyOutcome whole =
        runTallyOnFile(bytes, kEveryItem, QStringLiteral("t"), dates, clock, TallyResult());
    const int fd = memfd_create("title", 0);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        __builtin_trap();
    FileTally::Options options;
    options.dateFormat = dates;
    options.threads = 3;
    options.splitAbove = 0;
    const FileTally::Result shares =
        FileTally::count(fd, bytes.size(), QStringLiteral("t"), options);
    // Per day, the shares joined give one thread's reports.
    options.by = FileTally::Period::Day;
    const FileTally::Result days = FileTally::count(fd, bytes.size(), QStringLiteral("t"), options);
    options.threads = 1;
    const FileTally::Result oneDays =
        FileTally::count(fd, bytes.size(), QStringLiteral("t"), options);
    ::close(fd);
    if (days.periods.size() != oneDays.periods.size() || days.undatedItems != oneDays.undatedItems)
        __builtin_trap();
    for (size_t i = 0; i < days.periods.size(); ++i) {
        const TallyCounting::CountedReport& a = days.periods[i].report;
        const TallyCounting::CountedReport& b = oneDays.periods[i].report;
        if (days.periods[i].name != oneDays.periods[i].name || a.fromDate != b.fromDate ||
            a.toDate != b.toDate || a.days != b.days || a.total != b.total ||
            a.items.size() != b.items.size())
            __builtin_trap();
        for (size_t k = 0; k < a.items.size(); ++k) {
            if (a.items[k].name != b.items[k].name || a.items[k].count != b.items[k].count)
                __builtin_trap();
        }
    }
    const TallyOutcome joined =
        tallyOutcome(shares.whole, QStringLiteral("t"), whole.countTime, TallyResult());
    if (!shares.error.isEmpty() || joined.counted != whole.counted)
        __builtin_trap();
    for (qsizetype i = 0; i < whole.result.reportLines.size(); ++i) {
        if (QString::fromUtf8(whole.result.reportLines[i].toUtf8()) !=
            joined.result.reportLines.value(i))
            __builtin_trap();
    }
    return 0;
}
