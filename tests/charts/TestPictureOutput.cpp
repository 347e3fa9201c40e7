#include "ChartTestData.h"
#include "TempDataFolder.h"
#include "charts/Charts.h"
#include "charts/PictureOutput.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QImageReader>
#include <QTest>

using namespace PictureOutput;

class TestPictureOutput : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }
    void printRect_data();
    void printRect();
    void writesWholePicture_data();
    void writesWholePicture();
    void emptyPictureWritesNoFile();
    void failedWriteReportsAndKeepsOldFile_data();
    void failedWriteReportsAndKeepsOldFile();
};

void TestPictureOutput::printRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("proportion");
    QTest::addColumn<QRect>("expected");
    // Wide pictures: ri = 1 and, on a landscape page under twice as wide as
    // high, rp = 1: the picture fills the page, stretched to it.
    QTest::newRow("chart on landscape page")
        << QSize(589, 399) << QSize(1000, 700) << 1 << QRect(0, 0, 1000, 700);
    QTest::newRow("odd page size")
        << QSize(598, 399) << QSize(1001, 701) << 1 << QRect(0, 0, 1000, 700);
    QTest::newRow("page twice as wide")
        << QSize(589, 399) << QSize(3300, 1500) << 1 << QRect(0, 0, 3300, 1500);
    QTest::newRow("proportion 2 halves the page")
        << QSize(589, 399) << QSize(1000, 700) << 2 << QRect(250, 175, 500, 350);
    QTest::newRow("proportion 3") << QSize(589, 399) << QSize(1200, 900) << 3
                                  << QRect(400, 300, 400, 300);
    // ri = 3 > rp = 1: half-width round((PW div 2) / 3) = round(166.67) = 167.
    QTest::newRow("picture three times as wide")
        << QSize(1200, 399) << QSize(1000, 700) << 1 << QRect(333, 0, 334, 700);
    // A portrait page has rp = 0, so a wide picture takes the second branch.
    QTest::newRow("wide picture, portrait page")
        << QSize(589, 399) << QSize(700, 1000) << 1 << QRect(0, 0, 700, 1000);
    // Taller than wide (a grown horizontal chart): whole and undistorted.
    QTest::newRow("tall picture, landscape page")
        << QSize(589, 1400) << QSize(1000, 700) << 1 << QRect(353, 0, 294, 700);
    QTest::newRow("tall picture, narrow portrait page")
        << QSize(589, 600) << QSize(300, 1000) << 1 << QRect(0, 347, 300, 306);
    QTest::newRow("no picture") << QSize(0, 0) << QSize(1000, 700) << 1 << QRect();
    QTest::newRow("no page") << QSize(589, 399) << QSize(1000, 0) << 1 << QRect();
}

void TestPictureOutput::printRect()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, page);
    QFETCH(int, proportion);
    QFETCH(QRect, expected);
    const QRect rect = PictureOutput::printRect(picture, page, proportion);
    QCOMPARE(rect, expected);
    if (!rect.isEmpty())
        QVERIFY(QRect(QPoint(0, 0), page).contains(rect));
}

void TestPictureOutput::writesWholePicture_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosenSuffix"); // of the type chosen in the dialog
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format"); // as the file's content says
    QTest::addColumn<QSize>("size");
    const QSize whole(589, 400);
    QTest::newRow("bmp") << "BarChartH.bmp"
                         << "bmp"
                         << "BarChartH.bmp" << QByteArray("bmp") << whole;
    // The typed extension wins over the type chosen.
    QTest::newRow("jpg typed") << "chart.jpg"
                               << "bmp"
                               << "chart.jpg" << QByteArray("jpeg") << whole;
    QTest::newRow("JPEG typed in capitals") << "chart.JPEG"
                                            << "bmp"
                                            << "chart.JPEG" << QByteArray("jpeg") << whole;
    // An icon holds at most 256 pixels a side: Qt's writer scales the picture down.
    QTest::newRow("ico typed") << "chart.ico"
                               << "jpg"
                               << "chart.ico" << QByteArray("ico") << QSize(256, 173);
    QTest::newRow("no extension, jpeg chosen") << "chart"
                                               << "jpeg"
                                               << "chart.jpeg" << QByteArray("jpeg") << whole;
    QTest::newRow("no extension, nothing chosen") << "chart"
                                                  << ""
                                                  << "chart.bmp" << QByteArray("bmp") << whole;
    QTest::newRow("unknown extension kept, jpg chosen")
        << "chart.v2"
        << "jpg"
        << "chart.v2" << QByteArray("jpeg") << whole;
}

void TestPictureOutput::writesWholePicture()
{
    QFETCH(QString, typed);
    QFETCH(QString, chosenSuffix);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    TempDataFolder folder;
    // A grown horizontal chart, taller than the picture area.
    const Charts::ChartResult chart =
        Charts::drawHorizontalBarChart(equalTally(26), Charts::kReferenceSize);
    QVERIFY(chart.window.grew);
    folder.writeFile(written, "older content");
    const SaveTarget target = saveTarget(folder.path() + typed, chosenSuffix);
    QCOMPARE(target.path, folder.path() + written);
    QString error;
    QCOMPARE(
        writeImage(chart.image, target.path, target.format, SafeFile::Purpose::Picture, &error),
        WriteOutcome::Written);

    QImageReader reader(target.path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    const QImage back = reader.read();
    QCOMPARE(back.size(), size);
    if (format == "bmp")
        for (const QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(300, 200), QPoint(588, 399)})
            QCOMPARE(pixelAt(back, p.x(), p.y()), pixelAt(chart.image, p.x(), p.y()));
}

void TestPictureOutput::emptyPictureWritesNoFile()
{
    TempDataFolder folder;
    QString error;
    QCOMPARE(writeBmp(QImage(), folder.path() + kBarChartFile, SafeFile::Purpose::Chart, &error),
             WriteOutcome::EmptyPicture);
    QVERIFY(error.contains("no file written"));
    QVERIFY(!folder.exists(kBarChartFile));
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestPictureOutput::failedWriteReportsAndKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("disk full") << "full";
    QTest::newRow("folder missing") << "nofolder";
}

void TestPictureOutput::failedWriteReportsAndKeepsOldFile()
{
    QFETCH(QString, how);
    TempDataFolder folder;
    folder.writeFile(kPieChartFile, "old picture");
    QString path = folder.path() + kPieChartFile;
    if (how == "full")
        SafeFile::setFailAfterBytesForTesting(100);
    else
        path = folder.path() + "gone/" + kPieChartFile;
    const Charts::ChartResult chart =
        Charts::drawPieChart(makeTally({{"a", 1}}), Charts::kReferenceSize);
    QString error;
    QCOMPARE(writeBmp(chart.image, path, SafeFile::Purpose::Chart, &error), WriteOutcome::Failed);
    QVERIFY(!error.isEmpty());
    QCOMPARE(folder.readFile(kPieChartFile), QByteArray("old picture"));
}

QTEST_MAIN(TestPictureOutput)
#include "TestPictureOutput.moc"
