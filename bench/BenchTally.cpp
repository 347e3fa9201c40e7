// Times the tally engine on a large title, then morvane-report end to end
// against the shell's sort | uniq -c | sort -rn on the same file.
#include "BenchTiming.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "platform/SafeFile.h"
#include "stats/Tally.h"
#include "titles/TitleText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kItemLines = 1'000'000;
constexpr int kDistinct = 10'000;
constexpr int kDateEvery = 50;
constexpr int kRuns = 5;

// Item lines with a skewed choice of items (a few frequent, many rare) and a
// date line opening every block of kDateEvery lines.
QStringList makeTitle()
{
    QStringList items;
    for (int i = 0; i < kDistinct; ++i)
        items << QStringLiteral("item %1 of the day").arg(i);
    QRandomGenerator rng(20240303);
    QStringList lines;
    lines.reserve(kItemLines + kItemLines / kDateEvery + 1);
    QDate day(2020, 1, 1);
    for (int i = 0; i < kItemLines; ++i) {
        if (i % kDateEvery == 0) {
            lines << QStringLiteral("//%1-%2-%3").arg(day.year()).arg(day.month()).arg(day.day());
            day = day.addDays(1);
        }
        // Every item appears at least once; the rest lean towards low numbers.
        const double u = rng.generateDouble();
        const int pick = i < kDistinct ? i : int(u * u * kDistinct);
        lines << items[pick];
    }
    return lines;
}

double runProcessMs(const QString& program, const QStringList& args, int runs, bool* ok)
{
    return bestMs(runs, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(program, args);
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            *ok = false;
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList lines = makeTitle();
    const DateFormat format(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    const Clock clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(21, 5, 33)));
    const qsizetype distinct = countDistinctItems(lines);
    std::printf("title: %lld lines (%d item lines, %lld distinct items, a date line every %d)\n",
                qlonglong(lines.size()), kItemLines, qlonglong(distinct), kDateEvery);

    TallyOutcome outcome;
    const double engineMs = bestMs(kRuns, [&] {
        outcome = runTally(lines, distinct, QStringLiteral("Bench"), format, clock, TallyResult());
    });
    std::printf("tally engine:         %8.1f ms (best of %d; target < 150 ms)\n", engineMs, kRuns);
    std::printf("  %lld distinct, %lld counted, largest count %lld, %s\n",
                qlonglong(outcome.result.distinctCount), qlonglong(outcome.result.totalCount),
                qlonglong(outcome.result.maxCount), qPrintable(outcome.result.reportLines[3]));
    const double distinctMs = bestMs(kRuns, [&] { countDistinctItems(lines); });
    std::printf("click-list size:      %8.1f ms (distinct items, as the CLI computes it)\n",
                distinctMs);

    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Bench.txt");
    if (!dir.isValid() ||
        !SafeFile::write(SafeFile::Purpose::Title, path, TitleText::encode(lines))) {
        std::fprintf(stderr, "cannot write the benchmark title\n");
        return 1;
    }

    bool ok = true;
    const double cliMs =
        runProcessMs(QStringLiteral(MORVANE_REPORT_BIN),
                     {QStringLiteral("--date-format"), QStringLiteral("yyyy-M-d"), path}, 3, &ok);
    const double sortMs = runProcessMs(QStringLiteral("/bin/sh"),
                                       {QStringLiteral("-c"),
                                        QStringLiteral("LC_ALL=C sort \"$1\" | uniq -c | sort -rn"),
                                        QStringLiteral("sh"), path},
                                       3, &ok);
    if (!ok) {
        std::fprintf(stderr, "a timed process failed\n");
        return 1;
    }
    std::printf("morvane-report:       %8.1f ms (best of 3, whole process)\n", cliMs);
    std::printf("sort | uniq -c | sort -rn: %6.1f ms (best of 3)\n", sortMs);
    std::printf("ratio report / sort:  %8.2f (target <= 0.50)\n", cliMs / sortMs);
    return 0;
}
