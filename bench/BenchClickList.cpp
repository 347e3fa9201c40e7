// Click list and hotkeys on a large title: 200,000 item lines holding 20,000
// distinct items, with a date line before every twenty items. Rebuilding the
// list and assigning the hotkeys happens at every opening and every report;
// adding one item and reassigning the hotkeys happens at every Enter.

#include "editor/ClickList.h"
#include "editor/EditorLines.h"
#include "editor/Hotkeys.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QString randomWord(QRandomGenerator& rng)
{
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789  éü");
    const int length = 4 + rng.bounded(20);
    QString w;
    for (int i = 0; i < length; ++i)
        w += letters.at(rng.bounded(int(letters.size())));
    return w.trimmed().isEmpty() ? QStringLiteral("x") : w.trimmed();
}

QStringList makeTitle(int itemLines, int distinct)
{
    QRandomGenerator rng(20240301);
    QStringList items;
    QSet<QString> seen;
    auto addItem = [&](const QString& w) {
        if (items.size() < distinct && !seen.contains(w)) {
            seen.insert(w);
            items << w;
        }
    };
    while (items.size() < distinct) {
        // Some items differ only in case, as typed items do.
        const QString w = randomWord(rng);
        addItem(w);
        if (rng.bounded(10) == 0)
            addItem(w.toUpper());
    }
    QStringList lines{
        QStringLiteral("//Rule:Must press the Enter key, after typing a item each time."),
        QString()};
    QDate day(2000, 1, 1);
    for (int i = 0; i < itemLines; ++i) {
        if (i % 20 == 0) {
            lines << QStringLiteral("//") + day.toString(QStringLiteral("yyyy-M-d"));
            day = day.addDays(1);
        }
        // Every item at least once, then a skewed choice as real tallies are.
        const int pick = i < distinct ? i : int(rng.bounded(distinct) * rng.generateDouble());
        QString line = items.at(pick);
        if (rng.bounded(8) == 0)
            line = QStringLiteral("  ") + line + QLatin1Char(' ');
        lines << line;
    }
    lines << QString();
    return lines;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QStringList lines = makeTitle(200000, 20000);

    ClickList list(locale);
    HotkeyColumn hotkeys;
    std::vector<double> rebuild, assign, both;
    for (int run = 0; run < benchRuns(7); ++run) {
        QElapsedTimer t;
        t.start();
        list.rebuild(lines);
        const qint64 a = t.nsecsElapsed();
        hotkeys = AssignHotkeys(list.entries(), locale);
        const QStringList column = hotkeys.texts();
        const qint64 b = t.nsecsElapsed();
        rebuild.push_back(a / 1e6);
        assign.push_back((b - a) / 1e6);
        both.push_back(b / 1e6);
    }
    out << "title: " << lines.size() << " lines, " << list.size() << " distinct items, "
        << hotkeys.assigned().size() << " hotkeys\n";
    out << "rebuild click list:        median " << median(rebuild) << " ms\n";
    out << "assign hotkeys:            median " << median(assign) << " ms\n";
    out << "rebuild + assign hotkeys:  median " << median(both) << " ms, best "
        << *std::min_element(both.begin(), both.end()) << " ms (budget 100 ms)\n";

    // Enter on a new item: add it, then assign all hotkeys again.
    QRandomGenerator rng(7);
    std::vector<double> enter;
    for (int i = 0; i < benchRuns(500); ++i) {
        const QString typed = QStringLiteral("  new ") + randomWord(rng) + QString::number(i);
        QElapsedTimer t;
        t.start();
        const EditorLines::Collected got = EditorLines::collectEntered(list, typed);
        if (got.reassignHotkeys) {
            hotkeys = AssignHotkeys(list.entries(), locale);
            const QStringList column = hotkeys.texts();
        }
        enter.push_back(t.nsecsElapsed() / 1e3);
    }
    out << "Enter with a new item (add + assign hotkeys): median " << median(enter) << " us, worst "
        << *std::max_element(enter.begin(), enter.end()) << " us\n";

    // Enter on an item already in the list: one lookup.
    std::vector<double> known;
    for (int i = 0; i < benchRuns(500); ++i) {
        QElapsedTimer t;
        t.start();
        EditorLines::collectEntered(list, list.at(i * 37 % list.size()));
        known.push_back(t.nsecsElapsed() / 1e3);
    }
    out << "Enter with a known item: median " << median(known) << " us\n";
    return 0;
}
