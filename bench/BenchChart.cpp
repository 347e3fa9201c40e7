// Times the three charts and the BMP encoding for a typical result and for
// very long ones (where the horizontal chart must refuse, quickly).
#include "BenchTiming.h"
#include "charts/ChartFonts.h"
#include "charts/Charts.h"
#include "charts/PictureOutput.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRuns = 5;

TallyResult makeResult(int entries)
{
    TallyResult r;
    for (int i = 0; i < entries; ++i) {
        r.names << QStringLiteral("item %1 of the day").arg(i);
        r.countTexts << QString::number(entries - i);
        r.totalCount += entries - i;
    }
    r.distinctCount = entries;
    r.maxCount = entries;
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    // Charts need fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ChartFonts::ensureLoaded();
    const struct
    {
        const char* name;
        Charts::Kind kind;
    } kinds[] = {{"bar", Charts::Kind::Bar},
                 {"horizontal", Charts::Kind::Horizontal},
                 {"pie", Charts::Kind::Pie}};
    for (int entries : {7, 25, 2000, 100000}) {
        const TallyResult tally = makeResult(entries);
        for (const auto& k : kinds) {
            Charts::ChartResult last;
            const double ms = bestMs(entries > 10000 ? 1 : kRuns, [&] {
                last = Charts::drawChart(k.kind, tally, Charts::kReferenceSize);
            });
            std::printf("%-10s %6d entries: %9.2f ms  %s\n", k.name, entries, ms,
                        last.drawn ? qPrintable(QStringLiteral("%1 x %2")
                                                    .arg(last.image.width())
                                                    .arg(last.image.height()))
                                   : "refused");
        }
    }
    const Charts::ChartResult grown =
        Charts::drawHorizontalBarChart(makeResult(2000), Charts::kReferenceSize);
    const double ms = bestMs(kRuns, [&] { PictureOutput::bmpBytes(grown.image); });
    std::printf("BMP encoding of %d x %d: %.2f ms\n", grown.image.width(), grown.image.height(),
                ms);
    return 0;
}
