// Opens a title of 200,000 item lines (20,000 distinct) in the main window:
// load, date line, click list and hotkeys. Then types a new item and Enter,
// which must stay cheap. Prints medians of several runs.
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/Program.h"
#include "app/TForm1.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    Dialogs::setScripted(true);

    QTemporaryDir docs;
    const QString data = docs.path() + QStringLiteral("/Morvane/");
    QDir().mkpath(data);
    QByteArray content;
    for (int i = 0; i < 200000; ++i) {
        if (i % 50 == 0)
            content += "//2024-1-" + QByteArray::number(1 + (i / 50) % 28) + "\r\n";
        content += "item number " + QByteArray::number((i * 7919) % 20000) + "\r\n";
    }
    QFile file(data + QStringLiteral("Big.txt"));
    file.open(QIODevice::WriteOnly);
    file.write(content);
    file.close();

    ProgramOptions options;
    options.documentsFolder = docs.path();
    options.dates = DateFormat(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    options.clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(12, 0)));
    Program program(options);
    program.start();
    if (!QTest::qWaitForWindowExposed(program.form1()))
        return 1;
    TForm1* form1 = program.form1();
    auto* tree = form1->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    auto* editor = form1->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));
    tree->setCurrentItem(tree->topLevelItem(0));

    std::vector<double> open, enter, reload;
    for (int run = 0; run < benchRuns(5); ++run) {
        QElapsedTimer t;
        t.start();
        form1->TreeView1Click();
        QCoreApplication::processEvents();
        open.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        form1->reloadclicklist1Click();
        reload.push_back(t.nsecsElapsed() / 1e6);

        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral("a brand new item %1").arg(run));
        t.restart();
        QTest::keyClick(editor, Qt::Key_Return);
        enter.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("open 200,000-line title (load, date line, click list, hotkeys): %.1f ms "
                "(target < 1000)\n",
                median(open));
    std::printf("reload click list + hotkeys in the window: %.1f ms\n", median(reload));
    std::printf("Enter adding a new item: %.2f ms\n", median(enter));
    return 0;
}
