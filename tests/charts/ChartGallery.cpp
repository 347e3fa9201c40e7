// chart_gallery FOLDER: draws every chart for a few sample results and saves
// them as PNG files in FOLDER, for looking at. Not a test.
#include "charts/Charts.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

TallyResult makeResult(const QList<QPair<QString, QString>>& entries)
{
    TallyResult r;
    for (const auto& [name, count] : entries) {
        r.names << name;
        r.countTexts << count;
        const qint64 v = count.toLongLong();
        r.totalCount += v;
        r.maxCount = std::max(r.maxCount, v);
    }
    r.distinctCount = r.names.size();
    return r;
}

TallyResult manyEntries(int n)
{
    QList<QPair<QString, QString>> entries;
    for (int i = 0; i < n; ++i)
        entries.append({QStringLiteral("Item number %1").arg(i + 1), QString::number(n - i)});
    return makeResult(entries);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(folder);
    const QList<QPair<QString, TallyResult>> samples = {
        {"fruit", makeResult({{"apple", "3"}, {"pear", "1"}, {"Apple", "1"}})},
        {"one", makeResult({{"Only one", "1"}})},
        {"two", makeResult({{"Left half", "2"}, {"Right half", "2"}})},
        {"mood", makeResult({{"Set aside all worries", "77"},
                             {"Thinking", "56"},
                             {"Work", "28"},
                             {"Study", "21"},
                             {"Overall plan", "14"},
                             {"A very long item name that cannot fit anywhere", "3"},
                             {"tiny", "1"}})},
        {"negative", makeResult({{"plus", "+05"}, {"minus", "-3"}, {"zero", "0"}, {"hex", "$A"}})},
        {"scripts", makeResult({{QString::fromUtf8("\u4e2d\u6587\u540d\u5b57"), "5"},
                                {QString::fromUtf8("\u0639\u0631\u0628\u064a"), "4"},
                                {QString::fromUtf8("\U0001F600\U0001F44D"), "3"},
                                {"plain", "2"}})},
        {"many25", manyEntries(25)},
        {"many26", manyEntries(26)},
        {"many60", manyEntries(60)},
    };
    const QList<QPair<QString, Charts::Kind>> kinds = {{"bar", Charts::Kind::Bar},
                                                       {"horizontal", Charts::Kind::Horizontal},
                                                       {"pie", Charts::Kind::Pie}};
    for (const auto& [sampleName, tally] : samples) {
        for (const auto& [kindName, kind] : kinds) {
            const Charts::ChartResult r = Charts::drawChart(kind, tally, Charts::kReferenceSize);
            const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, sampleName, kindName);
            if (r.drawn && r.image.save(path))
                std::printf("%s %dx%d\n", qPrintable(path), r.image.width(), r.image.height());
            else
                std::printf("%s: not drawn %s\n", qPrintable(path), qPrintable(r.error));
        }
    }
    return 0;
}
