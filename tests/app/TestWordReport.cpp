#include "DocxCheck.h"
#include "ProgramFixture.h"
#include "StandInDesktop.h"
#include "app/Dialogs.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"
#include "platform/UserName.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <memory>

// The Word report: chart files, a new .docx in the data folder, opened.
class TestWordReport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reportFromEitherButton_data();
    void reportFromEitherButton();
    void emptyReportGoesOn();
    void failuresStopReport_data();
    void failuresStopReport();
    void libreOfficeRendersIt();

private:
    std::unique_ptr<StandInDesktop> m_desktop;
};

namespace {

const QStringList kFruitBody = {"From 2024-3-1 to 2024-3-3",
                                "Counted of days:2",
                                "Count time:2024-3-3 21:05:33",
                                "",
                                "3--60%--apple",
                                "1--20%--pear",
                                "1--20%--Apple"};

void openFruit(ProgramFixture& f)
{
    f.writeData("Fruit.txt", kFruitTitle);
    f.start();
    f.click("Fruit");
}

void clickWordButton(ProgramFixture& f, const QString& where)
{
    if (where == "toolbar") {
        auto* button = f.form1()->findChild<QToolButton*>("ToolButtonWord");
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QPushButton* button = f.program->formpic()->button("BitBtnWord");
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

QStringList chartFiles(const ProgramFixture& f)
{
    return {f.dataFolder() + "BarChart.bmp", f.dataFolder() + "BarChartH.bmp",
            f.dataFolder() + "pie.bmp"};
}

QStringList documents(const ProgramFixture& f)
{
    return QDir(f.dataFolder()).entryList({"*.docx"}, QDir::Files, QDir::Name);
}

} // namespace

void TestWordReport::init()
{
    m_desktop = std::make_unique<StandInDesktop>("libreoffice-writer.desktop");
}

void TestWordReport::cleanup()
{
    m_desktop.reset();
    SafeFile::setFailAfterBytesForTesting(-1);
}

void TestWordReport::reportFromEitherButton_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("launcher");
    QTest::addColumn<QByteArray>("application"); // for .docx files
    QTest::addColumn<QString>("reason");         // why it was not opened; empty: it was
    const QByteArray writer = "libreoffice-writer.desktop";
    QTest::newRow("toolbar: save, total, report") << "toolbar" << true << writer << "";
    QTest::newRow("picture window: current result") << "picture window" << true << writer << "";
    // Still written: the user learns where to find it.
    QTest::newRow("no launcher") << "toolbar" << false << writer << "xdg-open is not installed";
    QTest::newRow("launcher, no word processor")
        << "picture window" << true << QByteArray() << "No application is set up";
}

void TestWordReport::reportFromEitherButton()
{
    QFETCH(QString, where);
    QFETCH(bool, launcher);
    QFETCH(QByteArray, application);
    QFETCH(QString, reason);
    m_desktop->openSucceeds = launcher;
    m_desktop->setApplication(application);
    ProgramFixture f;
    openFruit(f);
    if (where != "toolbar")
        f.form1()->action("PieChart1")->trigger(); // tallies and shows the picture window
    clickWordButton(f, where);
    const QString first = f.dataFolder() + "Fruit report.docx";
    if (reason.isEmpty()) {
        QCOMPARE(Dialogs::shownMessages(), QStringList{});
    } else {
        QCOMPARE(Dialogs::shownMessages().size(), 1);
        const QString said = Dialogs::shownMessages().constFirst();
        QVERIFY2(said.startsWith("Whether Word has already been installed correctly?\n"),
                 qPrintable(said));
        QVERIFY2(said.contains(reason) && said.endsWith("\n" + first), qPrintable(said));
    }
    // Nothing is asked to open a file no application takes.
    QCOMPARE(m_desktop->opened, application.isEmpty() ? QStringList() : QStringList{first});
    const QString problems = docxProblems(first, "   Fruit report", "by " + UserName::fullName(),
                                          kFruitBody, chartFiles(f));
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
    // The picture is left on the horizontal chart.
    QVERIFY(!f.program->formpic()->button("BitBtn2")->isEnabled());
    QCOMPARE(f.program->formpic()->picture(), QImage(f.dataFolder() + "BarChartH.bmp"));

    // A second report is a second document; the first stays as it was.
    const QByteArray firstBytes = f.readData("Fruit report.docx");
    f.program->formpic()->show();
    clickWordButton(f, "picture window");
    QCOMPARE(documents(f), QStringList({"Fruit report (2).docx", "Fruit report.docx"}));
    QCOMPARE(f.readData("Fruit report.docx"), firstBytes);
    if (!application.isEmpty())
        QCOMPARE(m_desktop->opened.last(), f.dataFolder() + "Fruit report (2).docx");
}

void TestWordReport::emptyReportGoesOn()
{
    ProgramFixture f;
    f.writeData("notes.txt", "//only a comment\r\n");
    openFruit(f);
    f.form1()->action("BarChart1")->trigger();
    f.click("notes");
    // The tally finds no item: its one message line leaves heading and body empty.
    f.form1()->MSWordReport1Click();
    QCOMPARE(Dialogs::shownMessages(), QStringList{});
    QCOMPARE(m_desktop->opened, QStringList{f.dataFolder() + "report.docx"});
    const QString problems = docxProblems(f.dataFolder() + "report.docx", " report",
                                          "by " + UserName::fullName(), {}, chartFiles(f));
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void TestWordReport::failuresStopReport_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("chart file cannot be written") << true << "BarChart.bmp";
    QTest::newRow("no chart yet and no chart file") << false << "BarChart.bmp";
}

void TestWordReport::failuresStopReport()
{
    QFETCH(bool, fullDisk);
    QFETCH(QString, mentions);
    ProgramFixture f;
    openFruit(f);
    if (fullDisk) {
        f.form1()->action("BarChart1")->trigger();
        SafeFile::setFailAfterBytesForTesting(5);
    }
    f.program->formpic()->button("BitBtnWord")->click();
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    QVERIFY2(Dialogs::shownMessages().constFirst().contains(mentions),
             qPrintable(Dialogs::shownMessages().constFirst()));
    QCOMPARE(documents(f), QStringList{});
    QCOMPARE(QDir(f.dataFolder()).entryList({"*.docx*", ".*docx*"}, QDir::Files | QDir::Hidden),
             QStringList{});
    QVERIFY(m_desktop->opened.isEmpty());
}

// Where LibreOffice is installed it must accept the document.
void TestWordReport::libreOfficeRendersIt()
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    ProgramFixture f;
    openFruit(f);
    clickWordButton(f, "toolbar");
    const QString out = f.docs.path() + "pdf";
    QProcess lo;
    lo.start(soffice, {"-env:UserInstallation=file://" + f.docs.path() + "lo-profile", "--headless",
                       "--norestore", "--convert-to", "pdf", "--outdir", out,
                       f.dataFolder() + "Fruit report.docx"});
    QVERIFY(lo.waitForFinished(240000));
    const QString pdf = out + "/Fruit report.pdf";
    QVERIFY2(QFileInfo(pdf).size() > 0, lo.readAllStandardError().constData());
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        return;
    QProcess text;
    text.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished(60000));
    const QString rendered = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Fruit report", "From 2024-3-1 to 2024-3-3", "1--20%--Apple"})
        QVERIFY2(rendered.contains(expected), expected);
}

QTEST_MAIN(TestWordReport)
#include "TestWordReport.moc"
