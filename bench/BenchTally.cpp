// Times the tally engine on a large title (over its lines and over its file's
// bytes), then morvane-report end to end against mawk's {c[$0]++} on titles
// of several shapes, in every format and per month, with peak memory.
#include "BenchTiming.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "platform/SafeFile.h"
#include "stats/Tally.h"
#include "titles/TitleText.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

const int kRuns = benchRuns(5);
// The count in awk: every distinct line and its count.
const char kMawkCount[] = "{c[$0]++} END{for(k in c) print c[k], k}";
constexpr int kItemLines = 1'000'000;
constexpr int kDistinct = 10'000;
constexpr int kDateEvery = 50;

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

struct ChildRun
{
    double bestMs = 1e300;
    double bestCpuMs = 1e300; // user and system time
    long peakKb = 0;          // the largest resident set of one run
    bool ok = true;
};

// Runs a program with its output thrown away, several times; wait4 gives each
// run's own peak resident memory. A child's peak starts at the resident size of
// the process that spawns it, so this runs in a small process of its own
// ("--measure", see main) rather than in the one holding the title.
ChildRun runChild(char** args, int runs)
{
    ChildRun r;
    for (int i = 0; i < runs && r.ok; ++i) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        QElapsedTimer t;
        t.start();
        int status = 0;
        rusage usage{};
        r.ok = posix_spawnp(&pid, args[0], &actions, nullptr, args, environ) == 0 &&
               wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
        r.bestMs = std::min(r.bestMs, t.nsecsElapsed() / 1e6);
        const auto ms = [](const timeval& tv) { return tv.tv_sec * 1e3 + tv.tv_usec / 1e3; };
        r.bestCpuMs = std::min(r.bestCpuMs, ms(usage.ru_utime) + ms(usage.ru_stime));
        r.peakKb = std::max(r.peakKb, usage.ru_maxrss);
        posix_spawn_file_actions_destroy(&actions);
    }
    return r;
}

// Runs argv in a fresh "--measure" process of this program and reads back its figures.
ChildRun measure(const QStringList& argv, int runs)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            QStringList{QStringLiteral("--measure"), QString::number(runs)} + argv);
    ChildRun r;
    r.ok = p.waitForFinished(-1) && p.exitCode() == 0;
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (r.ok && f.size() == 3) {
        r.bestMs = f[0].toDouble();
        r.bestCpuMs = f[1].toDouble();
        r.peakKb = f[2].toLong();
    }
    return r;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A title of lines item lines drawn from distinct items (every one at least
// once where there is room, the rest leaning towards the first), a date line
// opening each day of kDateEvery lines. An itemLength below 0 makes short
// lines: the item's number alone.
QByteArray shapedTitle(int lines, int distinct, int itemLength)
{
    if (lines == 1)
        return QByteArrayLiteral("//2024-3-1\r\napple\r\n");
    QRandomGenerator rng(20240303);
    const QByteArray padding(std::max(itemLength, 0), 'x');
    QByteArray out;
    out.reserve(qsizetype(lines) * (24 + itemLength));
    QDate day(2020, 1, 1);
    for (int i = 0; i < lines; ++i) {
        if (i % kDateEvery == 0) {
            out += "//" + QByteArray::number(day.year()) + '-' + QByteArray::number(day.month()) +
                   '-' + QByteArray::number(day.day()) + "\r\n";
            day = day.addDays(1);
        }
        const double u = rng.generateDouble();
        const int pick = i < distinct ? i : int(u * u * distinct);
        if (itemLength < 0)
            out += QByteArray::number(pick) + "\r\n";
        else
            out += "item " + QByteArray::number(pick) + " of the day" + padding + "\r\n";
    }
    return out;
}

double loadAverage()
{
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 3 && std::strcmp(argv[1], "--measure") == 0) {
        const ChildRun r = runChild(argv + 3, std::atoi(argv[2]));
        std::printf("%.2f %.2f %ld\n", r.bestMs, r.bestCpuMs, r.peakKb);
        return r.ok ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    const QStringList lines = makeTitle();
    const QByteArray bytes = TitleText::encode(lines);
    const DateFormat format(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    const Clock clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(21, 5, 33)));
    const qsizetype distinct = countDistinctItems(lines);
    std::printf("title: %lld lines, %.1f MB (%d item lines, %lld distinct items, a date line "
                "every %d); load average %.2f\n",
                qlonglong(lines.size()), bytes.size() / 1e6, kItemLines, qlonglong(distinct),
                kDateEvery, loadAverage());

    TallyOutcome outcome;
    const double engineMs = bestMs(kRuns, [&] {
        outcome = runTally(lines, distinct, QStringLiteral("Bench"), format, clock, TallyResult());
    });
    std::printf("tally over lines:     %8.1f ms (best of %d)\n", engineMs, kRuns);
    std::printf("  %lld distinct, %lld counted, largest count %lld, %s\n",
                qlonglong(outcome.result.distinctCount), qlonglong(outcome.result.totalCount),
                qlonglong(outcome.result.maxCount), qPrintable(outcome.result.reportLines[3]));
    TallyOutcome fromBytes;
    const double bytesMs = bestMs(kRuns, [&] {
        fromBytes = runTallyOnFile(bytes, kEveryItem, QStringLiteral("Bench"), format, clock,
                                   TallyResult());
    });
    std::printf("tally over the file's bytes: %.1f ms (best of %d), %s\n", bytesMs, kRuns,
                fromBytes.result.reportLines == outcome.result.reportLines ? "same report"
                                                                           : "REPORTS DIFFER");
    const double distinctMs = bestMs(kRuns, [&] { countDistinctItems(lines); });
    std::printf("click-list size:      %8.1f ms (distinct items)\n", distinctMs);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder for the benchmark titles\n");
        return 1;
    }
    // mawk is the yardstick; a short run (as in the tests) goes on without it.
    const bool haveMawk = !QStandardPaths::findExecutable(QStringLiteral("mawk")).isEmpty();
    if (!haveMawk && qEnvironmentVariableIsSet("MORVANE_BENCH_SHORT")) {
        std::printf("mawk is not installed: the comparison with it is skipped\n");
        return 0;
    }
    const ChildRun floor = measure({QStringLiteral("true")}, 1);
    std::printf("a spawned process starts at %.1f MB here\n", floor.peakKb * 1.024e-3);

    // morvane-report against mawk on titles of several shapes, runs of the
    // two alternating so that a change of load meets both alike.
    const bool shortRun = qEnvironmentVariableIsSet("MORVANE_BENCH_SHORT");
    const int scale = shortRun ? 10 : 1;
    struct Shape
    {
        const char* name;
        int lines;
        int distinct;
        int itemLength; // extra characters per item
    };
    const Shape shapes[] = {
        {"1M lines, 10k items", 1'000'000 / scale, 10'000, 0},
        {"1M lines, 300k items", 1'000'000 / scale, 300'000 / scale, 0},
        {"10M lines, 10k items", 10'000'000 / scale / (shortRun ? 10 : 1), 10'000, 0},
        {"200k long lines, 50 items", 200'000 / scale, 50, 180},
        {"2M short lines, 1k items", 2'000'000 / scale, 1000, -1},
        {"two lines", 1, 1, 0},
    };
    const QStringList variants[] = {{},
                                    {QStringLiteral("--format"), QStringLiteral("csv")},
                                    {QStringLiteral("--format"), QStringLiteral("json")},
                                    {QStringLiteral("--by"), QStringLiteral("month")}};
    const char* variantNames[] = {"text", "csv", "json", "--by month"};
    const int pairs = shortRun ? 1 : 7;
    std::printf("\nmawk runs '%s'\n%-26s %-11s %9s %9s %7s %9s %9s %9s %8s\n", kMawkCount, "title",
                "report", "ours ms", "mawk ms", "ratio", "cpu ms", "mawk cpu", "peak/file",
                "peak MB");
    bool ok = true;
    for (const Shape& shape : shapes) {
        const QString path = dir.path() + QStringLiteral("/Shape.txt");
        const QByteArray title = shapedTitle(shape.lines, shape.distinct, shape.itemLength);
        if (!SafeFile::write(SafeFile::Purpose::Title, path, title)) {
            std::fprintf(stderr, "cannot write the benchmark title\n");
            return 1;
        }
        const double fileMb = std::max<double>(title.size() / 1e6, 1e-6);
        std::printf("%s: %.1f MB; load average %.2f\n", shape.name, title.size() / 1e6,
                    loadAverage());
        for (int v = 0; v < 4; ++v) {
            std::vector<double> ours, theirs, ratios, cpu, theirCpu;
            long peakKb = 0;
            for (int i = 0; i < pairs && ok; ++i) {
                const ChildRun report = measure(QStringList{QStringLiteral(MORVANE_REPORT_BIN),
                                                            QStringLiteral("--date-format"),
                                                            QStringLiteral("yyyy-M-d")} +
                                                    variants[v] + QStringList{path},
                                                1);
                const ChildRun mawk =
                    measure({QStringLiteral("mawk"), QLatin1String(kMawkCount), path}, 1);
                ok = report.ok && mawk.ok;
                ours.push_back(report.bestMs);
                theirs.push_back(mawk.bestMs);
                ratios.push_back(report.bestMs / mawk.bestMs);
                cpu.push_back(report.bestCpuMs);
                theirCpu.push_back(mawk.bestCpuMs);
                peakKb = std::max(peakKb, report.peakKb);
            }
            if (!ok)
                break;
            std::printf("%-26s %-11s %9.1f %9.1f %7.2f %9.1f %9.1f %9.2f %8.1f\n", shape.name,
                        variantNames[v], median(ours), median(theirs), median(ratios), median(cpu),
                        median(theirCpu), shape.lines > 1 ? peakKb * 1.024e-3 / fileMb : 0.0,
                        peakKb * 1.024e-3);
        }
        if (!ok)
            break;
    }
    if (!ok) {
        std::fprintf(stderr, "a timed process failed (is mawk installed?)\n");
        return 1;
    }
    // The floor under the two-line figure: the last title written is that one.
    {
        std::vector<double> ratios, alone;
        for (int i = 0; i < pairs * 3; ++i) {
            const ChildRun qt = measure({QStringLiteral(MORVANE_QTCORE_ALONE_BIN)}, 1);
            const ChildRun mawk = measure(
                {QStringLiteral("mawk"), QLatin1String(kMawkCount), dir.path() + "/Shape.txt"}, 1);
            alone.push_back(qt.bestMs);
            ratios.push_back(qt.bestMs / mawk.bestMs);
        }
        std::printf("%-26s %-11s %9.1f %9s %7.2f  (a program that only loads Qt Core)\n",
                    "two lines", "Qt Core", median(alone), "", median(ratios));
    }
    std::printf("medians of %d alternating runs (ratio: median of ours / mawk's per pair); "
                "targets: ratio <= 0.33 on the big titles, <= 3 on two lines, peak < 2x "
                "the file; load average now %.2f\n",
                pairs, loadAverage());
    return 0;
}
