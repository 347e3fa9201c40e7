// The tally over a title of any bytes.
#include "FuzzInput.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/Tally.h"
#include "titles/TitleText.h"

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
    return 0;
}
