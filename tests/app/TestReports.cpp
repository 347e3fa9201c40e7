#include "ProgramFixture.h"
#include "StandInDesktop.h"
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"
#include "app/TextViewer.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <memory>

// The report commands: save, total, tally, then show the report.
class TestReports : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textReportWritesAndOpensTotal();
    void viewerWhenNothingCanOpenIt_data();
    void viewerWhenNothingCanOpenIt();
    void reportSavesChangedTitleOnly();
    void noItemsKeepsPreviousReport();
    void unwritableTotalStopsCommand();
    void chartCommandWithNothingToDraw();
    void picWindowTextReportShowsLastFile();

private:
    std::unique_ptr<StandInDesktop> m_desktop;
};

void TestReports::init()
{
    m_desktop = std::make_unique<StandInDesktop>();
}

void TestReports::cleanup()
{
    m_desktop.reset();
    SafeFile::setFailAfterBytesForTesting(-1);
}

void TestReports::textReportWritesAndOpensTotal()
{
    ProgramFixture f;
    f.writeData("Fruit.txt", kFruitTitle);
    f.start();
    f.click("Fruit");
    f.form1()->action("TextReport")->trigger();
    QCOMPARE(f.readData("Total.tol"),
             QByteArray("statistics:\r\n   Fruit\r\n"
                        "From 2024-3-1 to 2024-3-3\r\n"
                        "Counted of days:2\r\n"
                        "Count time:2024-3-3 21:05:33\r\n\r\n"
                        "3--60%--apple\r\n1--20%--pear\r\n1--20%--Apple\r\n"));
    QCOMPARE(m_desktop->opened, QStringList{f.dataFolder() + "Total.tol"});
    QCOMPARE(f.program->formpic()->windowTitle(), QString("TextReport---Fruit"));
    QVERIFY(!f.program->formpic()->isVisible());
    const TallyResult& t = f.form1()->state().tally;
    QCOMPARE(t.names, QStringList({"apple", "pear", "Apple"}));
    QCOMPARE(t.countTexts, QStringList({"3", "1", "1"}));
    QCOMPARE(t.totalCount, 5);
    QCOMPARE(t.maxCount, 3);
}

void TestReports::viewerWhenNothingCanOpenIt_data()
{
    QTest::addColumn<bool>("launcher");
    QTest::addColumn<QByteArray>("application"); // what xdg-mime says opens text
    QTest::newRow("no launcher") << false << QByteArray("org.gnome.gedit.desktop");
    // xdg-open would start nothing and say nothing.
    QTest::newRow("launcher, nothing set up for text") << true << QByteArray();
}

void TestReports::viewerWhenNothingCanOpenIt()
{
    QFETCH(bool, launcher);
    QFETCH(QByteArray, application);
    m_desktop->openSucceeds = launcher;
    m_desktop->setApplication(application);
    ProgramFixture f;
    f.writeData("Fruit.txt", kFruitTitle);
    f.start();
    f.click("Fruit");
    f.form1()->action("ToolButtonText")->trigger();
    auto* viewer = f.form1()->findChild<TextViewer*>("TextViewer");
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->text().startsWith("statistics:\n   Fruit\n"));
    QVERIFY(viewer->text().endsWith("1--20%--Apple"));
    QCOMPARE(m_desktop->opened.isEmpty(), launcher);
    // Centred over the main window, and closed by Escape or its Close button.
    QVERIFY(
        (viewer->frameGeometry().center() - f.form1()->frameGeometry().center()).manhattanLength() <
        40);
    QTest::keyClick(viewer, Qt::Key_Escape);
    QVERIFY(!viewer->isVisible());
    f.form1()->action("ToolButtonText")->trigger();
    QVERIFY(viewer->isVisible());
    QTest::mouseClick(viewer->findChild<QPushButton*>("Close"), Qt::LeftButton);
    QVERIFY(!viewer->isVisible());
}

void TestReports::reportSavesChangedTitleOnly()
{
    ProgramFixture f;
    f.writeData("t.txt", "//2024-3-3\r\napple\r\n");
    f.start();
    f.click("t");
    // Changed on disk behind the program's back: an unchanged title is not written again.
    f.writeData("t.txt", "//2024-3-3\r\napple\r\nfrom elsewhere\r\n");
    f.form1()->TextReportClick();
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\napple\r\nfrom elsewhere\r\n"));
    f.type("pear");
    Dialogs::setNextChoice(1); // asked about the change made elsewhere: overwrite it
    f.form1()->TextReportClick();
    QCOMPARE(f.readData("t.txt"), QByteArray("//2024-3-3\r\napple\r\npear\r\n"));
    QVERIFY(f.readData("Total.tol").endsWith("1--50%--apple\r\n1--50%--pear\r\n"));
}

void TestReports::noItemsKeepsPreviousReport()
{
    ProgramFixture f;
    f.writeData("a.txt", "//2024-3-3\r\napple\r\n");
    f.writeData("empty.txt", "//only a comment\r\n");
    f.start();
    f.click("a");
    f.form1()->TextReportClick();
    const QByteArray before = f.readData("Total.tol");
    f.click("empty");
    f.form1()->TextReportClick();
    QCOMPARE(f.readData("Total.tol"), before);
    QCOMPARE(f.form1()->state().tally.reportLines,
             QStringList{"You have not typed in any demand yet"});
    QCOMPARE(f.form1()->state().tally.totalCount, 1);
    QCOMPARE(m_desktop->opened.size(), 2);
}

void TestReports::unwritableTotalStopsCommand()
{
    ProgramFixture f;
    f.writeData("a.txt", "//2024-3-3\r\napple\r\n");
    f.writeData("Total.tol", "old\r\n");
    f.start();
    f.click("a");
    SafeFile::setFailAfterBytesForTesting(5);
    f.form1()->BarChart1Click();
    f.form1()->TextReportClick();
    QCOMPARE(Dialogs::shownMessages().size(), 2);
    QVERIFY(Dialogs::shownMessages().constFirst().contains("Total.tol"));
    QVERIFY(m_desktop->opened.isEmpty());
    QVERIFY(!f.program->formpic()->isVisible());
    QCOMPARE(f.readData("Total.tol"), QByteArray("old\r\n"));
}

void TestReports::chartCommandWithNothingToDraw()
{
    ProgramFixture f;
    f.writeData("empty.txt", "");
    f.start();
    f.click("empty");
    f.form1()->BarChart1Click();
    f.form1()->PieChart1Click();
    f.form1()->Barchart11Click();
    QVERIFY(!f.program->formpic()->isVisible());
    QVERIFY(Dialogs::shownMessages().isEmpty());
}

void TestReports::picWindowTextReportShowsLastFile()
{
    ProgramFixture f;
    f.writeData("a.txt", "//2024-3-3\r\napple\r\n");
    f.start();
    f.click("a");
    f.form1()->TextReportClick();
    const QByteArray report = f.readData("Total.tol");
    f.type("pear");
    f.program->formpic()->button("BitBtn10")->click();
    QCOMPARE(m_desktop->opened.size(), 2);
    QCOMPARE(f.readData("Total.tol"), report);
    QCOMPARE(f.readData("a.txt"), QByteArray("//2024-3-3\r\napple\r\n"));
}

QTEST_MAIN(TestReports)
#include "TestReports.moc"
