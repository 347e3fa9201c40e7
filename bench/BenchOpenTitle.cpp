// Opens titles of 200,000 and 1,000,000 item lines in the main window: load,
// date line, click list and hotkeys, with the memory the open title holds and
// the longest time the window went without an event-loop turn (no painting).
// Then types a new item and Enter, which must stay cheap, and runs "Total"
// (save, click list, tally, Total.tol). Appends the title to a small one and
// exports it. Prints medians of several runs.
#include "BenchTiming.h"
#include "BenchWindow.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The resident memory of this process now, in bytes.
double residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024;
    }
    return 0;
}

void writeTitle(const QString& path, int itemLines, int distinct)
{
    QByteArray content;
    for (int i = 0; i < itemLines; ++i) {
        if (i % 50 == 0)
            content += "//2024-1-" + QByteArray::number(1 + (i / 50) % 28) + "\r\n";
        content += "item number " + QByteArray::number((qint64(i) * 7919) % distinct) + "\r\n";
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

QTreeWidgetItem* findTitle(QTreeWidget* tree, const QString& name)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->text(0) == name)
            return tree->topLevelItem(i);
    }
    return nullptr;
}

double loadAverage()
{
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);

    const BenchFolders folders;
    const QString data = folders.data();
    writeTitle(data + QStringLiteral("Big.txt"), 200000, 20000);
    writeTitle(data + QStringLiteral("Huge.txt"), 1000000, 20000);
    writeTitle(data + QStringLiteral("Small.txt"), 10, 5);
    writeTitle(data + QStringLiteral("Target.txt"), 10, 5);

    const ProgramOptions options = windowBenchOptions(folders.documents());
    Program program(options);
    program.start();
    if (!QTest::qWaitForWindowExposed(program.form1()))
        return 1;
    TForm1* form1 = program.form1();
    auto* tree = form1->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    auto* editor = form1->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));
    std::printf("load average %.2f (a shared machine's load slows every figure)\n", loadAverage());

    struct Size
    {
        const char* name;
        int lines;
        int runs;
    };
    for (const Size size : {Size{"Big", 200000, 5}, Size{"Huge", 1000000, 3}}) {
        if (benchRuns(size.runs) == 1 && size.lines > 200000)
            continue; // a short run keeps to the smaller title
        tree->setCurrentItem(findTitle(tree, QString::fromLatin1(size.name)));
        std::vector<double> open, openGap, enter, reload, total, charts, append, appendGap,
            exported;
        double titleBytes = 0;
        for (int run = 0; run < benchRuns(size.runs); ++run) {
            // A small title first, so that the memory the large one holds shows.
            tree->setCurrentItem(findTitle(tree, QStringLiteral("Small")));
            form1->TreeView1Click();
            editor->clear();
            QCoreApplication::processEvents();
            malloc_trim(0); // what earlier runs freed would hide what this one takes
            const double before = residentBytes();
            tree->setCurrentItem(findTitle(tree, QString::fromLatin1(size.name)));

            QElapsedTimer t;
            t.start();
            GapMeter openMeter;
            form1->TreeView1Click();
            openGap.push_back(openMeter.longest());
            open.push_back(t.nsecsElapsed() / 1e6);
            titleBytes = std::max(titleBytes, residentBytes() - before);

            t.restart();
            form1->reloadclicklist1Click();
            reload.push_back(t.nsecsElapsed() / 1e6);

            editor->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor, QStringLiteral("a brand new item %1").arg(run));
            t.restart();
            QTest::keyClick(editor, Qt::Key_Return);
            enter.push_back(t.nsecsElapsed() / 1e6);

            // "Total" with the title changed: save, click list, tally, Total.tol.
            t.restart();
            if (!form1->BitBtn8Click() || !program.formpic()->Button1Click())
                return 1;
            total.push_back(t.nsecsElapsed() / 1e6);

            // The three charts of that Total, drawn in the window.
            for (bool (TForm1::*draw)() :
                 {&TForm1::Button23Click, &TForm1::Button5Click, &TForm1::Button21Click}) {
                t.restart();
                (form1->*draw)();
                charts.push_back(t.nsecsElapsed() / 1e6);
            }

            t.restart();
            if (!form1->exportTitle(folders.documents() + QStringLiteral("/exported.txt"),
                                    WholeTitle::NoteOption::NoDateLines, true))
                return 1;
            exported.push_back(t.nsecsElapsed() / 1e6);

            // Append Text of the whole title to a small one (its save included).
            writeTitle(data + QStringLiteral("Target.txt"), 10, 5);
            tree->setCurrentItem(findTitle(tree, QStringLiteral("Target")));
            form1->TreeView1Click();
            Dialogs::setNextFileName(data + QString::fromLatin1(size.name) +
                                     QStringLiteral(".txt"));
            t.restart();
            GapMeter appendMeter;
            form1->AppendText1Click();
            appendGap.push_back(appendMeter.longest());
            append.push_back(t.nsecsElapsed() / 1e6);
            tree->setCurrentItem(findTitle(tree, QStringLiteral("Small")));
            form1->TreeView1Click();
        }
        std::printf("%d-line title:\n", size.lines);
        std::printf("  open (load, date line, click list, hotkeys): %.1f ms, longest time "
                    "without painting %.1f ms\n",
                    median(open), median(openGap));
        std::printf("  editor holds about %.0f bytes a line (%.0f MB resident)\n",
                    titleBytes / size.lines, titleBytes / 1e6);
        std::printf("  reload click list + hotkeys: %.1f ms\n", median(reload));
        std::printf("  Enter adding a new item: %.2f ms\n", median(enter));
        std::printf("  Total (save, click list, tally, Total.tol): %.1f ms (target < 150 on "
                    "1,000,000 lines)\n",
                    median(total));
        // charts holds bar, horizontal bar, pie for each run: the last run's.
        std::printf("  its charts (bar, horizontal bar, pie): %.1f, %.1f, %.1f ms\n",
                    charts[charts.size() - 3], charts[charts.size() - 2], charts.back());
        std::printf("  Export (save, read, filter, write): %.1f ms\n", median(exported));
        std::printf("  Append Text of it to a small title (with the save): %.1f ms, longest "
                    "time without painting %.1f ms\n",
                    median(append), median(appendGap));
    }
    std::printf("load average now %.2f\n", loadAverage());
    return 0;
}
