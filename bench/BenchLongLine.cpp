// Appends a text file of one long line to a small title in the main window,
// then types a key at the end of that line and draws the bar chart: how long
// each takes, and the longest time the window went without painting. Lines
// past the editor's limit are refused: that costs the reading of the file.
#include "BenchTiming.h"
#include "BenchWindow.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/Program.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

namespace {

double msSince(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);

    const BenchFolders folders;
    const QString data = folders.data();
    const ProgramOptions options = windowBenchOptions(folders.documents());
    QFile(data + QStringLiteral("t.txt")).open(QIODevice::WriteOnly);
    Program program(options);
    program.start();
    if (!QTest::qWaitForWindowExposed(program.form1()))
        return 1;
    TForm1* form1 = program.form1();
    auto* tree = form1->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    auto* editor = form1->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));

    QList<qint64> lengths = {10000, 30000, 1000000};
    if (benchRuns(2) > 1)
        lengths << 100000000; // the line of the report that froze the window
    for (const qint64 length : lengths) {
        QByteArray line;
        line.reserve(length + 2);
        while (line.size() < length)
            line += "word ";
        line.truncate(length);
        const QString file = folders.documents() + QStringLiteral("/long.txt");
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(line + "\r\n");
        out.close();
        QFile(data + QStringLiteral("t.txt")).open(QIODevice::WriteOnly);
        tree->setCurrentItem(tree->topLevelItem(0));
        form1->TreeView1Click();

        Dialogs::clearShownMessages();
        Dialogs::setNextFileName(file);
        QElapsedTimer t;
        t.start();
        GapMeter appendGap;
        form1->AppendText1Click();
        const double append = msSince(t);
        const double gap = appendGap.longest();
        const bool refused = !editor->toPlainText().contains(QStringLiteral("word"));
        std::printf("a line of %lld characters: append %.0f ms, longest time without painting "
                    "%.0f ms%s\n",
                    length, append, gap, refused ? " (refused)" : "");
        if (refused)
            continue;
        // A key typed at the end of the long line, the first line after the date.
        QTextCursor cursor(editor->document()->findBlockByNumber(2));
        cursor.movePosition(QTextCursor::EndOfBlock);
        editor->setTextCursor(cursor);
        t.restart();
        QTest::keyClick(editor, Qt::Key_X);
        QCoreApplication::processEvents();
        const double key = msSince(t);
        t.restart();
        form1->BarChart1Click();
        const double chart = msSince(t);
        std::printf("  then a key at its end %.0f ms, the bar chart (save, total, draw) %.0f ms\n",
                    key, chart);
    }
    return 0;
}
