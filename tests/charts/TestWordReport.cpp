#include "DocxCheck.h"
#include "TempDataFolder.h"
#include "platform/SafeFile.h"
#include "charts/WordReport.h"

#include <QDir>
#include <QTest>

class TestWordReport : public QObject
{
    Q_OBJECT
private slots:
    void pictureExtents_data();
    void pictureExtents();
    void freshPath();
    void charactersXmlCannotCarry();
    void failuresLeaveNoDocument();
};

void TestWordReport::pictureExtents_data()
{
    QTest::addColumn<QList<QSize>>("pixels");
    QTest::addColumn<double>("factor");
    QTest::newRow("small: pixel size at 96 dpi")
        << QList<QSize>{{100, 50}, {200, 100}, {150, 100}} << 1.0;
    // Three reference-size charts are three times the text width: one factor for all.
    QTest::newRow("charts: scaled to the text width")
        << QList<QSize>{{589, 399}, {589, 399}, {598, 399}}
        << double(WordReport::kTextWidthEmu) / ((589 + 589 + 598) * WordReport::kEmuPerPixel);
    QTest::newRow("grown chart: scaled to the text height")
        << QList<QSize>{{100, 100}, {100, 20000}, {100, 100}}
        << double(WordReport::kTextHeightEmu) / (20000 * WordReport::kEmuPerPixel);
}

void TestWordReport::pictureExtents()
{
    QFETCH(QList<QSize>, pixels);
    QFETCH(double, factor);
    const QList<QSize> extents = WordReport::pictureExtents(pixels);
    QCOMPARE(extents.size(), pixels.size());
    qint64 width = 0;
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        const qint64 w = pixels[i].width() * WordReport::kEmuPerPixel;
        const qint64 h = pixels[i].height() * WordReport::kEmuPerPixel;
        QCOMPARE(extents[i], QSize(int(w * factor), int(h * factor)));
        width += extents[i].width();
    }
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
    QVERIFY(SafeFile::write(SafeFile::Purpose::WordReport, longPath, "x"));
}

// A tab stays a tab; control characters and a lone surrogate would make the
// whole document unreadable, so they are left out.
void TestWordReport::charactersXmlCannotCarry()
{
    TempDataFolder folder;
    const WordReport::Content c = WordReport::contentOf(
        {"statistics:", "   <T&>", "1--50%--a\tb", QString("x\x01y\x1f") + QChar(0xD800) + "z"},
        "\"Ada\"");
    const QString path = folder.path() + "r.docx";
    QString error;
    QVERIFY2(WordReport::write(path, c, &error), qPrintable(error));
    const QString problems =
        docxProblems(path, "   <T&> report", "by \"Ada\"", {"1--50%--a\tb", "xyz"}, {}, 0);
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void TestWordReport::failuresLeaveNoDocument()
{
    TempDataFolder folder;
    WordReport::Content c = WordReport::contentOf({"statistics:", "   T"}, "me");
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
    QList<WordReport::Picture> pictures;
    QVERIFY(!WordReport::readChartFiles(folder.path(), &pictures, &error));
    QVERIFY2(error.contains("BarChart.bmp"), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestWordReport)
#include "TestWordReport.moc"
