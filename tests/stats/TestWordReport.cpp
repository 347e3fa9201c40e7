#include "DocxCheck.h"
#include "TempDataFolder.h"
#include "charts/PictureOutput.h"
#include "platform/SafeFile.h"
#include "stats/WordReport.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {

WordReport::Picture bmp(const QString& name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return {name, PictureOutput::bmpBytes(image)};
}

} // namespace

class TestWordReport : public QObject
{
    Q_OBJECT
private slots:
    void content_data();
    void content();
    void pictureExtents_data();
    void pictureExtents();
    void freshPath();
    void readBack_data();
    void readBack();
    void failures();
};

void TestWordReport::content_data()
{
    QTest::addColumn<QStringList>("reportLines");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("body");
    QTest::newRow("no line") << QStringList{} << " report" << QStringList{};
    QTest::newRow("message line only")
        << QStringList{"You have not typed in any demand yet"} << " report" << QStringList{};
    QTest::newRow("header only") << QStringList{"statistics:", "   Fruit"} << "   Fruit report"
                                 << QStringList{};
    QTest::newRow("full report")
        << QStringList{"statistics:", "   Fruit", "From a to b", "", "3--60%--apple"}
        << "   Fruit report" << QStringList{"From a to b", "", "3--60%--apple"};
}

void TestWordReport::content()
{
    QFETCH(QStringList, reportLines);
    const WordReport::Content c = WordReport::contentOf(reportLines, "Ada Lovelace");
    QTEST(c.heading, "heading");
    QTEST(c.body, "body");
    QCOMPARE(c.byLine, QString("by Ada Lovelace"));
    QCOMPARE(WordReport::contentOf(reportLines, "").byLine, QString("by "));
}

void TestWordReport::pictureExtents_data()
{
    QTest::addColumn<QList<QSize>>("pixels");
    QTest::addColumn<QList<QSize>>("emu");
    const qint64 px = WordReport::kEmuPerPixel;
    QTest::newRow("fit: pixel size at 96 dpi")
        << QList<QSize>{{100, 50}, {200, 100}, {150, 100}}
        << QList<QSize>{{int(100 * px), int(50 * px)},
                        {int(200 * px), int(100 * px)},
                        {int(150 * px), int(100 * px)}};
    // 589 + 589 + 598 pixels are three times the text width: one factor for all.
    const double f = double(WordReport::kTextWidthEmu) / double((589 + 589 + 598) * px);
    QTest::newRow("charts: scaled to the text width")
        << QList<QSize>{{589, 399}, {589, 399}, {598, 399}}
        << QList<QSize>{{int(589 * px * f), int(399 * px * f)},
                        {int(589 * px * f), int(399 * px * f)},
                        {int(598 * px * f), int(399 * px * f)}};
    const double g = double(WordReport::kTextHeightEmu) / double(20000 * px);
    QTest::newRow("grown chart: scaled to the text height")
        << QList<QSize>{{100, 100}, {100, 20000}, {100, 100}}
        << QList<QSize>{{int(100 * px * g), int(100 * px * g)},
                        {int(100 * px * g), int(20000 * px * g)},
                        {int(100 * px * g), int(100 * px * g)}};
}

void TestWordReport::pictureExtents()
{
    QFETCH(QList<QSize>, pixels);
    const QList<QSize> extents = WordReport::pictureExtents(pixels);
    QTEST(extents, "emu");
    qint64 width = 0;
    for (const QSize& e : extents)
        width += e.width();
    QVERIFY(width <= WordReport::kTextWidthEmu);
}

void TestWordReport::freshPath()
{
    TempDataFolder folder;
    const QString dir = folder.path();
    QCOMPARE(WordReport::freshPath(dir, "   Fruit report"), dir + "Fruit report.docx");
    folder.writeFile("Fruit report.docx", "earlier");
    folder.writeFile("Fruit report (2).docx", "earlier");
    QCOMPARE(WordReport::freshPath(dir, "   Fruit report"), dir + "Fruit report (3).docx");
    QCOMPARE(WordReport::freshPath(dir, " report"), dir + "report.docx");
    QCOMPARE(WordReport::freshPath(dir, "   a/../b report"), dir + "a_.._b report.docx");
    // A title name near the file system's limit still gives a name it accepts.
    const QString longPath = WordReport::freshPath(dir, QString(250, QChar(0xE9)) + " report");
    QVERIFY(QFileInfo(longPath).fileName().toUtf8().size() <= 255);
    QVERIFY(SafeFile::write(longPath, "x"));
}

void TestWordReport::readBack_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QStringList>("readAs");
    QTest::newRow("report lines") << QStringList{"From 2024-3-1 to 2024-3-3", "", "3--60%--apple"}
                                  << QStringList{"From 2024-3-1 to 2024-3-3", "", "3--60%--apple"};
    QTest::newRow("empty body") << QStringList{} << QStringList{};
    // Characters XML cannot carry would make the whole document unreadable.
    QTest::newRow("tab, control characters, lone surrogate, markup")
        << QStringList{"1--50%--a\tb", QString("x\x01y\x1f") + QChar(0xD800) + "z",
                       "<w:p> & \"\xC3\xA9\""}
        << QStringList{"1--50%--a\tb", "xyz", "<w:p> & \"\xC3\xA9\""};
}

void TestWordReport::readBack()
{
    QFETCH(QStringList, body);
    TempDataFolder folder;
    WordReport::Content c;
    c.heading = "   Fruit report";
    c.byLine = "by Ada";
    c.body = body;
    QStringList files;
    for (const auto& [name, size] : QList<QPair<QString, QSize>>{
             {"BarChart.bmp", {589, 399}}, {"BarChartH.bmp", {589, 700}}, {"pie.bmp", {598, 399}}}) {
        c.pictures << bmp(name, size);
        files << folder.writeFile(name, c.pictures.last().bytes);
    }
    const QString path = folder.path() + "r.docx";
    QString error;
    QVERIFY2(WordReport::write(path, c, &error), qPrintable(error));
    QFETCH(QStringList, readAs);
    const QString problems = docxProblems(path, c.heading, c.byLine, readAs, files);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void TestWordReport::failures()
{
    TempDataFolder folder;
    WordReport::Content c = WordReport::contentOf({"statistics:", "   T"}, "me");
    c.pictures << bmp("BarChart.bmp", {10, 10});
    QString error;
    // A full disk half way: no document, not even a part of one.
    SafeFile::setFailAfterBytesForTesting(100);
    QVERIFY(!WordReport::write(folder.path() + "r.docx", c, &error));
    SafeFile::setFailAfterBytesForTesting(-1);
    QVERIFY2(error.contains("r.docx"), qPrintable(error));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    // A picture that is no picture is refused before anything is written.
    c.pictures << WordReport::Picture{"pie.bmp", "not a bitmap"};
    QVERIFY(!WordReport::write(folder.path() + "r.docx", c, &error));
    QVERIFY2(error.contains("pie.bmp"), qPrintable(error));
    QVERIFY(!QFileInfo::exists(folder.path() + "r.docx"));
    QString missing;
    QList<WordReport::Picture> pictures;
    QVERIFY(!WordReport::readChartFiles(folder.path(), &pictures, &missing));
    QVERIFY2(missing.contains("BarChart.bmp"), qPrintable(missing));
}

QTEST_GUILESS_MAIN(TestWordReport)
#include "TestWordReport.moc"
