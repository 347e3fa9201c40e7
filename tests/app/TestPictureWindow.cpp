#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/PicturePrinting.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

// Charts on the picture window, and printing, saving and copying the picture.
class TestPictureWindow : public QObject
{
    Q_OBJECT
private slots:
    void chartCommandsShowTheirChart_data();
    void chartCommandsShowTheirChart();
    void redrawButtonsSetCaption();
    void horizontalChartGrowsWindow();
    void savePicture();
    void copyPicture();
    void printing();
    void chartImageFiles();
    void tooLargeKeepsPicture();

private:
    static void openItems(ProgramFixture& f, int distinct);
};

void TestPictureWindow::openItems(ProgramFixture& f, int distinct)
{
    QByteArray text = "//2024-3-3\r\n";
    for (int i = 0; i < distinct; ++i)
        text += "item " + QByteArray::number(i) + "\r\n";
    f.writeData("Fruit.txt", text);
    f.start();
    f.click("Fruit");
}

void TestPictureWindow::chartCommandsShowTheirChart_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("disabled");
    QTest::newRow("bar") << "BarChart1"
                         << "BarChart---Fruit" << 589 << "BitBtn5";
    QTest::newRow("horizontal") << "ToolButtonbar2"
                                << "Horizon BarChart---Fruit" << 589 << "BitBtn2";
    QTest::newRow("pie") << "PieChart1"
                         << "PieChart---Fruit" << 598 << "BitBtn6";
}

void TestPictureWindow::chartCommandsShowTheirChart()
{
    QFETCH(QString, command);
    QFETCH(QString, disabled);
    ProgramFixture f;
    openItems(f, 3);
    TFormpic* pic = f.program->formpic();
    QCOMPARE(f.form1()->state().recordedPictureSize, QSize(589, 399));
    f.form1()->action(command)->trigger();
    QVERIFY(pic->isVisible());
    QTEST(pic->windowTitle(), "caption");
    QCOMPARE(pic->currentPageName(), QString("pic"));
    QTEST(pic->picture().width(), "width");
    QCOMPARE(pic->picture().height(), 399);
    QCOMPARE(pic->imageSize(), pic->picture().size());
    for (const char* b : {"BitBtn5", "BitBtn2", "BitBtn6"})
        QCOMPARE(pic->button(b)->isEnabled(), disabled != b);
}

void TestPictureWindow::redrawButtonsSetCaption()
{
    ProgramFixture f;
    openItems(f, 2);
    TFormpic* pic = f.program->formpic();
    // Before any tally there is nothing to draw: nothing changes.
    pic->button("BitBtn6")->click();
    QVERIFY(pic->picture().isNull());
    QCOMPARE(pic->windowTitle(), QString("FormPic"));
    f.form1()->BarChart1Click();
    pic->button("BitBtn6")->click();
    QCOMPARE(pic->windowTitle(), QString("PieChart"));
    QCOMPARE(pic->picture().width(), 598);
    pic->button("BitBtn2")->click();
    QCOMPARE(pic->windowTitle(), QString("Horizon BarChart"));
    QCOMPARE(pic->picture().size(), QSize(589, 399)); // the recorded size is back
    pic->button("BitBtn5")->click();
    QCOMPARE(pic->windowTitle(), QString("BarChart"));
}

void TestPictureWindow::horizontalChartGrowsWindow()
{
    ProgramFixture f;
    openItems(f, 26);
    TFormpic* pic = f.program->formpic();
    const int scrollWidth = pic->scrollBox()->width();
    const QSize ownSize = pic->size();
    f.form1()->Barchart11Click();
    QCOMPARE(pic->picture().height(), 400);
    QVERIFY(pic->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(pic->isVisible());
    QCOMPARE(pic->scrollBox()->width(), scrollWidth + 30);
    // It fills the work area with its frame, title bar and edges on screen
    // (run under a window manager too, where the frame is real).
    const QRect work = pic->screen()->availableGeometry();
    // Until the window manager has framed it, the frame is the client area.
    const auto framedInside = [&] {
        return pic->frameGeometry() != pic->geometry() && work.contains(pic->frameGeometry());
    };
    QTRY_VERIFY(pic->height() > ownSize.height());
    QTRY_VERIFY(framedInside());
    // Bar and pie charts leave the window as the horizontal chart made it.
    pic->button("BitBtn5")->click();
    QVERIFY(pic->windowFlags() & Qt::WindowMaximizeButtonHint);
    pic->button("BitBtn2")->click();
    QVERIFY(pic->windowFlags() & Qt::WindowMaximizeButtonHint);
    // The small pages come at their own size again, and the chart fills the area again.
    for (const char* command : {"New1", "Barchart11", "ReplaceItem1", "Export1"}) {
        f.form1()->action(command)->trigger();
        if (QByteArray(command) == "Barchart11")
            QTRY_VERIFY(pic->height() > ownSize.height());
        else
            QTRY_COMPARE(pic->size(), ownSize);
        QTRY_VERIFY(framedInside());
    }
}

void TestPictureWindow::savePicture()
{
    ProgramFixture f;
    openItems(f, 2);
    TFormpic* pic = f.program->formpic();
    const QString early = f.docs.path() + "early.bmp";
    Dialogs::setNextFileName(early);
    pic->button("BitBtn7")->click();
    QVERIFY(!QFileInfo::exists(early)); // an empty picture writes nothing
    QCOMPARE(QDir(Dialogs::lastFileDialogFolder()), QDir(f.dataFolder()));

    f.form1()->PieChart1Click();
    const QString jpg = f.docs.path() + "pie.jpg";
    Dialogs::setNextFileName(jpg);
    pic->button("BitBtn7")->click();
    QImage written(jpg, "BMP");
    QCOMPARE(written.size(), QSize(598, 399));
    pic->button("BitBtn7")->click(); // cancelled: nothing happens
    QCOMPARE(QDir(Dialogs::lastFileDialogFolder()), QDir(f.docs.path())); // the folder used last
    Dialogs::setNextFileName(f.docs.path() + "no/such/folder/x.bmp");
    pic->button("BitBtn7")->click();
    QCOMPARE(Dialogs::shownMessages().size(), 1);
}

void TestPictureWindow::copyPicture()
{
    ProgramFixture f;
    openItems(f, 2);
    QGuiApplication::clipboard()->setText("before");
    f.program->formpic()->button("BitBtn16")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    f.form1()->BarChart1Click();
    f.program->formpic()->button("BitBtn16")->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(589, 399));
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             f.program->formpic()->picture().convertToFormat(QImage::Format_RGB32));
}

void TestPictureWindow::printing()
{
    ProgramFixture f;
    openItems(f, 26);
    // With no printer installed the user is told so (never print on a real one here).
    if (QPrinterInfo::defaultPrinter().isNull()) {
        f.program->formpic()->button("BitBtn1")->click();
        QCOMPARE(Dialogs::shownMessages(), QStringList{noPrinterMessage()});
    }

    f.form1()->Barchart11Click(); // a picture taller than wide
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = f.docs.path() + "out.pdf";
    printer.setOutputFileName(pdf);
    QString error;
    QVERIFY(printPicture(printer, f.program->formpic()->picture(), QSize(589, 399), &error));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestPictureWindow::chartImageFiles()
{
    ProgramFixture f;
    openItems(f, 3);
    // Nothing drawn yet and nothing to draw: no file.
    QVERIFY(f.form1()->Button22Click());
    QVERIFY(!QFileInfo::exists(f.dataFolder() + "BarChart.bmp"));
    f.form1()->TextReportClick();
    QVERIFY(f.form1()->Button22Click());
    QVERIFY(f.form1()->Button20Click());
    QVERIFY(f.form1()->Button7Click());
    QCOMPARE(QImage(f.dataFolder() + "BarChart.bmp").size(), QSize(589, 399));
    QCOMPARE(QImage(f.dataFolder() + "pie.bmp").size(), QSize(598, 399));
    QCOMPARE(QImage(f.dataFolder() + "BarChartH.bmp").size(), QSize(589, 399));
    // The picture area shows the horizontal chart afterwards.
    QVERIFY(!f.program->formpic()->button("BitBtn2")->isEnabled());
}

void TestPictureWindow::tooLargeKeepsPicture()
{
    ProgramFixture f;
    openItems(f, 2);
    f.form1()->BarChart1Click();
    const QImage before = f.program->formpic()->picture();
    TallyResult& t = f.form1()->state().tally;
    t.names.clear();
    t.countTexts.clear();
    for (int i = 0; i < 100000; ++i) {
        t.names << QString::number(i);
        t.countTexts << "1";
    }
    t.distinctCount = t.totalCount = 100000;
    t.maxCount = 1;
    f.program->formpic()->button("BitBtn2")->click();
    QCOMPARE(Dialogs::shownMessages().size(), 1);
    QCOMPARE(f.program->formpic()->picture(), before);
}

QTEST_MAIN(TestPictureWindow)
#include "TestPictureWindow.moc"
