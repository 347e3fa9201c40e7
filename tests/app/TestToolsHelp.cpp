#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/TForm1.h"
#include "app/TFormOpt.h"
#include "app/TFormhlp.h"
#include "app/TFormpic.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {
QString pageOf(QWidget* window)
{
    return window->findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName();
}

QCheckBox* box(ProgramFixture& f, const QString& name)
{
    return f.program->formOpt()->findChild<QCheckBox*>(name);
}

QPushButton* helpButton(ProgramFixture& f, const QString& caption)
{
    for (QPushButton* b : f.program->formhlp()->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    qFatal("no help button %s", qPrintable(caption));
}

// A launcher as an older copy of the program left it.
void writeOldLauncher(ProgramFixture& f, const QString& relative)
{
    f.home.writeFile(relative, "[Desktop Entry]\nType=Application\nName=Morvane\n"
                               "Exec=/old/place/morvane /paramstr\n");
}

bool pointsAtThisProgram(ProgramFixture& f, const QString& relative)
{
    return f.home.readFile(relative).contains(
        "Exec=" + QCoreApplication::applicationFilePath().toUtf8() + " /paramstr\n");
}
} // namespace

class TestToolsHelp : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void shortcutBoxes_data();
    void shortcutBoxes();
    void refresh_data();
    void refresh();
    void linksSayWhatCannotBeOpened_data();
    void linksSayWhatCannotBeOpened();
    void firstStartWritesDesktopLauncher();
    void startupHelp_data();
    void startupHelp();
    void doNotDisplayAtStartup_data();
    void doNotDisplayAtStartup();
    void helpButtons_data();
    void helpButtons();
    void dialogsOverHelp_data();
    void dialogsOverHelp();
};

void TestToolsHelp::shortcutBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder"); // made beforehand, as a desktop has it
    QTest::addColumn<QString>("launcher");
    QTest::newRow("DeskTop") << "CheckBox1"
                             << "Desktop"
                             << "Desktop/Morvane.desktop";
    QTest::newRow("Start Menu") << "CheckBox2"
                                << ""
                                << ".local/share/applications/Morvane.desktop";
    QTest::newRow("Programs") << "CheckBox3"
                              << ""
                              << ".local/share/applications/Morvane-programs.desktop";
    QTest::newRow("Quick Start") << "CheckBox4"
                                 << ".config/autostart"
                                 << ".config/autostart/Morvane.desktop";
}

void TestToolsHelp::shortcutBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, launcher);
    ProgramFixture f;
    f.start();
    if (!folder.isEmpty())
        f.home.writeFile(folder + "/.keep", "");
    f.form1()->action("Short1")->trigger();
    QCOMPARE(f.program->formOpt()->windowTitle(), QString("Create Shortcut"));
    QCOMPARE(pageOf(f.program->formOpt()), QString("short"));
    QCheckBox* b = box(f, name);
    QVERIFY(!b->isChecked());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    QVERIFY(b->isChecked());
    QVERIFY(pointsAtThisProgram(f, launcher));
    QVERIFY(QFileInfo(f.home.path() + launcher).permissions() & QFile::ExeOwner);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    QVERIFY(!b->isChecked());
    QVERIFY(!f.home.exists(launcher));
}

void TestToolsHelp::refresh_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("rewritten");
    QTest::addColumn<QString>("missing"); // the folder a message names; empty: nothing said
    QTest::newRow("removed by hand, page shown again")
        << "removed" << false << false << false << "";
    QTest::newRow("old launcher, first showing") << "old" << true << true << true << "";
    QTest::newRow("old launcher, right click") << "rightclick" << true << true << true << "";
    QTest::newRow("launcher cannot be written")
        << "nofolder" << false << false << false << "Desktop";
    // Another page of the tools window never passes through the shortcut page.
    QTest::newRow("old launcher, about page") << "about" << false << true << false << "";
}

void TestToolsHelp::refresh()
{
    QFETCH(QString, how);
    QFETCH(bool, ticked);
    QFETCH(bool, exists);
    QFETCH(bool, rewritten);
    QFETCH(QString, missing);
    const QString launcher = "Desktop/Morvane.desktop";
    ProgramFixture f;
    f.start();
    if (how != "nofolder")
        f.home.writeFile("Desktop/.keep", "");
    if (how == "old" || how == "about")
        writeOldLauncher(f, launcher);
    TFormOpt* opt = f.program->formOpt();
    f.form1()->action(how == "about" ? "About1" : "Short1")->trigger();
    QCheckBox* desk = box(f, "CheckBox1");
    if (how == "removed" || how == "nofolder") {
        QTest::mouseClick(desk, Qt::LeftButton, {}, QPoint(8, desk->height() / 2));
        QFile::remove(f.home.path() + launcher);
        if (how == "removed") {
            opt->hide();
            f.form1()->action("Short1")->trigger();
        }
    }
    if (how == "rightclick") {
        writeOldLauncher(f, launcher);
        QWidget* page = opt->findChild<QWidget*>("short");
        // Through the window, as the platform delivers it, so a context menu event follows.
        QTest::mouseClick(opt->windowHandle(), Qt::RightButton, {},
                          page->mapTo(opt, QPoint(400, 300)));
    }
    QCOMPARE(desk->isChecked(), ticked);
    QCOMPARE(f.home.exists(launcher), exists);
    QCOMPARE(pointsAtThisProgram(f, launcher), rewritten);
    QCOMPARE(Dialogs::shownMessages().size(), missing.isEmpty() ? 0 : 1);
    if (!missing.isEmpty())
        QVERIFY2(Dialogs::shownMessages().constFirst().contains(f.home.path() + missing),
                 qPrintable(Dialogs::shownMessages().constFirst()));
}

void TestToolsHelp::linksSayWhatCannotBeOpened_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target"); // the help link's; "data": the data folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("help, please visit") << "Label3"
                                        << "README.md"
                                        << "xdg-open";
    QTest::newRow("help, no documentation installed") << "Label3"
                                                      << ""
                                                      << "not installed";
    QTest::newRow("documents folder") << "Label8"
                                      << "data"
                                      << "xdg-open";
    QTest::newRow("program folder") << "Label10" << QCoreApplication::applicationDirPath() + "/"
                                    << "xdg-open";
}

// Where no launcher exists, a link says it could not open what it names.
void TestToolsHelp::linksSayWhatCannotBeOpened()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    ProgramFixture f;
    f.start();
    QStringList tried;
    Shell::setOpenHandlerForTesting([&](const QString& t) {
        tried << t;
        return false;
    });
    QLabel* label = nullptr;
    if (link == "Label3") {
        f.form1()->action("help2")->trigger();
        QTest::mouseClick(helpButton(f, "Other help or suggest"), Qt::LeftButton);
        label = f.program->formhlp()->findChild<QLabel*>(link);
        if (!target.isEmpty())
            target = f.docs.writeFile(target, "# Morvane\n"); // as if installed with the program
        label->setProperty("target", target);
    } else {
        f.form1()->action("Uninstall1")->trigger();
        label = f.program->formOpt()->findChild<QLabel*>(link);
        if (target == "data")
            target = f.dataFolder();
    }
    Dialogs::clearShownMessages();
    QTest::mouseClick(label, Qt::LeftButton);
    Shell::setOpenHandlerForTesting({});
    QCOMPARE(tried, target.isEmpty() ? QStringList() : QStringList{target});
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    const QString said = Dialogs::shownMessages().constFirst();
    QVERIFY2(said.startsWith((target.isEmpty() ? "README.md" : target) + " could not be opened."),
             qPrintable(said));
    QVERIFY2(said.contains(reason), qPrintable(said));
}

void TestToolsHelp::firstStartWritesDesktopLauncher()
{
    ProgramFixture f;
    f.home.writeFile("Desktop/.keep", "");
    f.start();
    QVERIFY(pointsAtThisProgram(f, "Desktop/Morvane.desktop"));
    // A later start over the existing data folder leaves the desktop alone.
    f.stop();
    QFile::remove(f.home.path() + "Desktop/Morvane.desktop");
    f.start();
    QVERIFY(!f.home.exists("Desktop/Morvane.desktop"));
}

void TestToolsHelp::startupHelp_data()
{
    QTest::addColumn<bool>("tipFile");
    QTest::addColumn<bool>("question"); // a question is open when the timer fires
    QTest::newRow("no tip.cnt: help opens") << false << false;
    QTest::newRow("tip.cnt: help stays closed") << true << false;
    QTest::newRow("a question open: help waits for it") << false << true;
}

void TestToolsHelp::startupHelp()
{
    QFETCH(bool, tipFile);
    QFETCH(bool, question);
    ProgramFixture f;
    if (tipFile)
        f.writeData("tip.cnt", "No\r\n");
    f.start();
    TFormhlp* help = f.program->formhlp();
    auto* timer1 = help->findChild<QTimer*>("Timer1");
    QCOMPARE(timer1->isActive(), !tipFile);
    QCOMPARE(timer1->interval(), 1000);
    if (question) {
        QMessageBox box(QMessageBox::Question, "Morvane", "restore?", QMessageBox::Yes, f.form1());
        box.open();
        QTest::qWait(1300);
        QVERIFY(!help->isVisible());
        QVERIFY(timer1->isActive());
    }
    QTest::qWait(1300);
    QCOMPARE(help->isVisible(), !tipFile);
    QVERIFY(!timer1->isActive());
    if (!tipFile) {
        QCOMPARE(help->windowTitle(), QString("Help---Quick start"));
        QCOMPARE(pageOf(help), QString("quickstar"));
        QVERIFY(!help->findChild<QLabel*>("Image1")->pixmap().isNull());
    }
    // The Help menu opens it either way.
    help->hide();
    f.form1()->action("help2")->trigger();
    QVERIFY(help->isVisible());
}

void TestToolsHelp::doNotDisplayAtStartup_data()
{
    QTest::addColumn<QByteArray>("before"); // tip.cnt's content; null: missing
    QTest::addColumn<bool>("fail");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("written") << QByteArray() << false << QByteArray("No\r\n");
    QTest::newRow("present: untouched") << QByteArray("keep") << false << QByteArray("keep");
    QTest::newRow("cannot be written") << QByteArray() << true << QByteArray();
}

void TestToolsHelp::doNotDisplayAtStartup()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, fail);
    QFETCH(QByteArray, after);
    ProgramFixture f;
    f.start();
    if (!before.isNull())
        f.writeData("tip.cnt", before);
    f.form1()->action("help2")->trigger();
    Dialogs::clearShownMessages();
    if (fail)
        SafeFile::setFailAfterBytesForTesting(0);
    QTest::mouseClick(helpButton(f, "I See ,do not display at startup"), Qt::LeftButton);
    QCOMPARE(f.readData("tip.cnt"), after);
    QCOMPARE(f.program->formhlp()->isVisible(), fail);
    QCOMPARE(Dialogs::shownMessages().size(), fail ? 1 : 0);
}

void TestToolsHelp::helpButtons_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("helpVisible");
    QTest::addColumn<QString>("helpCaption");
    QTest::addColumn<QString>("helpPage");
    QTest::newRow("I See") << "I See" << false << ""
                           << "";
    QTest::newRow("best way") << "Best way--StartOpen" << true << "Help-->  Best way--StartOpen"
                              << "Best way";
    QTest::newRow("other help") << "Other help or suggest" << true << "Help-->Other help or suggest"
                                << "other";
    QTest::newRow("new title") << "New title" << false << ""
                               << "";
    QTest::newRow("new title group") << "New title group" << false << ""
                                     << "";
    QTest::newRow("pasted input") << "Make report Singly" << false << ""
                                  << "";
    QTest::newRow("documents") << "Documents or Uninstall" << false << ""
                               << "";
}

void TestToolsHelp::helpButtons()
{
    QFETCH(QString, caption);
    QFETCH(bool, helpVisible);
    QFETCH(QString, helpCaption);
    QFETCH(QString, helpPage);
    ProgramFixture f;
    f.start();
    TFormhlp* help = f.program->formhlp();
    // The tools window was on another page before.
    f.form1()->action("Short1")->trigger();
    f.program->formOpt()->hide();
    f.form1()->action("help2")->trigger();
    // Commands find the help hidden already when they run.
    bool hiddenFirst = true;
    QObject::connect(f.program->formpic()->findChild<QTabWidget*>("PageControl1"),
                     &QTabWidget::currentChanged, help, [&] { hiddenFirst = !help->isVisible(); });
    QTest::mouseClick(helpButton(f, caption), Qt::LeftButton);
    QCOMPARE(help->isVisible(), helpVisible);
    QVERIFY(hiddenFirst);
    if (helpVisible) {
        QCOMPARE(help->windowTitle(), helpCaption);
        QCOMPARE(pageOf(help), helpPage);
    }
    if (caption == "Make report Singly")
        QCOMPARE(pageOf(f.program->formpic()), QString("input"));
    if (caption == "Documents or Uninstall") {
        QCOMPARE(pageOf(f.program->formOpt()), QString("Uninstall"));
        QCOMPARE(f.program->formOpt()->windowTitle(), QString("Create Shortcut"));
    }
}

void TestToolsHelp::dialogsOverHelp_data()
{
    QTest::addColumn<int>("kind");
    int kind = 0;
    for (const char* name :
         {"information", "error", "question", "choose", "open file", "save file"})
        QTest::newRow(name) << kind++;
}

void TestToolsHelp::dialogsOverHelp()
{
    QFETCH(int, kind);
    ProgramFixture f;
    f.start();
    f.form1()->action("help2")->trigger();
    // A modal box under the help window, which stays on top, would block
    // the program out of sight.
    bool onTop = false;
    QWindow* help = f.program->formhlp()->windowHandle();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        onTop = dialog && dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                !help->flags().testFlag(Qt::WindowStaysOnTopHint);
        if (dialog)
            dialog->reject();
    });
    Dialogs::setScripted(false);
    TForm1* w = f.form1();
    switch (kind) {
    case 0:
        Dialogs::information(w, "x");
        break;
    case 1:
        Dialogs::error(w, "x");
        break;
    case 2:
        Dialogs::question(w, "x");
        break;
    case 3:
        Dialogs::choose(w, "x", {"a", "b"}, 0);
        break;
    case 4:
        Dialogs::openFileName(w, "x", "*.txt");
        break;
    default:
        Dialogs::saveFileName(w, "x", "*.txt", "txt");
        break;
    }
    Dialogs::setScripted(true);
    QVERIFY(onTop);
    QVERIFY(help->flags().testFlag(Qt::WindowStaysOnTopHint)); // on top again
}

QTEST_MAIN(TestToolsHelp)
#include "TestToolsHelp.moc"
