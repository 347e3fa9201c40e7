#include "ChartTestData.h"
#include "charts/ChartCanvas.h"
#include "charts/ChartFonts.h"
#include "charts/ChartLayout.h"
#include "charts/Charts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace Charts;
Q_DECLARE_METATYPE(Charts::Kind)

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kBarBody = qRgb(125, 190, 255);
const QRgb kBarOutline = qRgb(151, 203, 255);
const QRgb kBarTop = qRgb(155, 205, 255);
const QRgb kPlot = qRgb(223, 239, 192);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kHorizontalBar = qRgb(102, 179, 255);
const QRgb kRing = qRgb(208, 208, 255);
const QRgb kInner[3] = {qRgb(190, 190, 190), qRgb(217, 217, 255), qRgb(128, 128, 192)};

// The bar chart at the reference size: baseline H - 5h and grid pitch E.
constexpr int kBaseline = 344;
constexpr int kPitch = 59;

bool isBarColour(QRgb c)
{
    return c == kBarBody || c == kBarOutline || c == kBarTop;
}

// Columns [first, last] of the i-th run of bar colour along row y.
QPair<int, int> barRun(const QImage& image, int y, int i)
{
    int x = 1;
    for (int run = 0; x < image.width(); ++run) {
        while (x < image.width() && !isBarColour(pixelAt(image, x, y)))
            ++x;
        const int first = x;
        while (x < image.width() && isBarColour(pixelAt(image, x, y)))
            ++x;
        if (run == i)
            return {first, x - 1};
    }
    return {-1, -1};
}

bool hasColour(const QImage& image, QRect area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixelAt(image, x, y) == colour)
                return true;
    return false;
}

using Probes = QList<QPair<double, int>>;

// A point of the pie picture at angle a (from nine o'clock, clockwise) and radius r.
QPoint piePixel(int cx, int cy, double a, double r)
{
    return QPoint(qRound(cx - std::cos(a) * r), qRound(cy - std::sin(a) * r));
}

} // namespace

class TestCharts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(ChartFonts::ensureLoaded());
        // The fallback faces the program's packages bring (make deps installs them).
        for (const char* font : {"droid/DroidSansFallbackFull.ttf", "dejavu/DejaVuSans.ttf",
                                 "ancient-scripts/Symbola_hint.ttf"})
            QVERIFY2(QFile::exists(QStringLiteral("/usr/share/fonts/truetype/") + font), font);
    }
    void fontsAndUnits();
    void emptyResultDrawsNothing_data();
    void emptyResultDrawsNothing();
    void pictureFrameAndButtons_data();
    void pictureFrameAndButtons();
    void unusablePictureSizeIsAnError_data();
    void unusablePictureSizeIsAnError();
    void barTopMeetsGridLine_data();
    void barTopMeetsGridLine();
    void scaleLabelsSitAboveTheirGridLines();
    void longNameIsCutToTheSlot();
    void nothingOfABarBelowTheAxis_data();
    void nothingOfABarBelowTheAxis();
    void horizontalGrowth_data();
    void horizontalGrowth();
    void scrollBoxWidening_data();
    void scrollBoxWidening();
    void horizontalBarEndsOnFifthGridLine();
    void horizontalNonPositiveCountsHaveNoBar();
    void horizontalPictureLimit_data();
    void horizontalPictureLimit();
    void longResultsDoNotCrash_data();
    void longResultsDoNotCrash();
    void hugeNameIsCutBeforeItIsMeasured_data();
    void hugeNameIsCutBeforeItIsMeasured();
    void pieSliceColours_data();
    void pieSliceColours();
    void pieTinySliceIsNotAFullDisc();
    void pieEveryEntryHasItsSlice_data();
    void pieEveryEntryHasItsSlice();
    void horizontalCountTextPlace_data();
    void horizontalCountTextPlace();
    void labelsOfOtherScripts_data();
    void labelsOfOtherScripts();
};

void TestCharts::fontsAndUnits()
{
    const FontUnits units = Charts::fontUnits(96);
    QCOMPARE(units.h, 11);
    QCOMPARE(units.th, 13);
    QVERIFY(QFile::exists(QStringLiteral(":/charts/fonts/LiberationSans-Regular.ttf")));
    QVERIFY(QFile::exists(QStringLiteral(":/charts/fonts/LICENSE-LiberationSans.txt")));
    QCOMPARE(QFontInfo(ChartFonts::chartFont(96)).family(), ChartFonts::kFamily);
    QCOMPARE(QFontInfo(ChartFonts::chartFont(96)).pixelSize(), 11);
    QCOMPARE(QFontInfo(ChartFonts::pieFont(96)).pixelSize(), 13);
}

void TestCharts::emptyResultDrawsNothing_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("withEntries");
    for (const auto& [name, kind] :
         {std::pair{"bar", Kind::Bar}, std::pair{"horizontal", Kind::Horizontal},
          std::pair{"pie", Kind::Pie}}) {
        QTest::addRow("%s, no entries", name) << kind << false;
        QTest::addRow("%s, counts adding up to 0", name) << kind << true;
    }
}

void TestCharts::emptyResultDrawsNothing()
{
    QFETCH(Kind, kind);
    QFETCH(bool, withEntries);
    const TallyResult tally = withEntries ? makeTally({{"up", 2}, {"down", -2}}) : TallyResult();
    QCOMPARE(tally.totalCount, 0);
    const ChartResult r = drawChart(kind, tally, kReferenceSize);
    QVERIFY(!r.drawn);
    QVERIFY(r.error.isEmpty()); // silent: the caller keeps picture and buttons
    QVERIFY(r.image.isNull());
}

void TestCharts::pictureFrameAndButtons_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("frameBottom");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<bool>("barEnabled");
    QTest::addColumn<bool>("horizontalEnabled");
    QTest::addColumn<bool>("pieEnabled");
    QTest::newRow("bar") << Kind::Bar << QSize(589, 399) << 398 << kWhite << false << true << true;
    // Two entries need 394 rows of chart area; the rows below stay white.
    QTest::newRow("horizontal") << Kind::Horizontal << QSize(589, 399) << 393 << kPlot << true
                                << false << true;
    QTest::newRow("pie") << Kind::Pie << QSize(598, 399) << 398 << kWhite << true << true << false;
}

void TestCharts::pictureFrameAndButtons()
{
    QFETCH(Kind, kind);
    QFETCH(QSize, size);
    QFETCH(int, frameBottom);
    QFETCH(QRgb, background);
    QFETCH(bool, barEnabled);
    QFETCH(bool, horizontalEnabled);
    QFETCH(bool, pieEnabled);
    const ChartResult r = drawChart(kind, makeTally({{"apple", 3}, {"pear", 1}}), kReferenceSize);
    QVERIFY(r.drawn);
    QVERIFY(r.error.isEmpty());
    const QImage& image = r.image;
    QCOMPARE(image.size(), size);
    QVERIFY(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32);
    QCOMPARE(image.dotsPerMeterX(), 3780);
    QCOMPARE(image.dotsPerMeterY(), 3780);

    for (int x = 0; x < size.width(); ++x) {
        QCOMPARE(pixelAt(image, x, 0), kBlack);
        QCOMPARE(pixelAt(image, x, frameBottom), kBlack);
        if (frameBottom < size.height() - 1)
            QCOMPARE(pixelAt(image, x, size.height() - 1), kWhite);
    }
    for (int y = 0; y <= frameBottom; ++y) {
        QCOMPARE(pixelAt(image, 0, y), kBlack);
        QCOMPARE(pixelAt(image, size.width() - 1, y), kBlack);
    }
    QCOMPARE(pixelAt(image, 2, 2), background);

    QCOMPARE(r.buttons, (ChartButtons{barEnabled, horizontalEnabled, pieEnabled}));
    QCOMPARE(r.buttons, buttonsAfter(kind));
    QCOMPARE(r.window.resetBorderIcons, kind == Kind::Horizontal);
    QVERIFY(!r.window.grew);
}

void TestCharts::unusablePictureSizeIsAnError_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("recorded");
    for (const auto& [name, kind] :
         {std::pair{"bar", Kind::Bar}, std::pair{"horizontal", Kind::Horizontal},
          std::pair{"pie", Kind::Pie}}) {
        QTest::addRow("%s, no picture area", name) << kind << QSize(0, 0);
        QTest::addRow("%s, no height", name) << kind << QSize(589, 0);
        QTest::addRow("%s, too many pixels", name) << kind << QSize(20000, 20000);
    }
    // The pie's width follows from the height alone.
    QTest::newRow("bar, too wide") << Kind::Bar << QSize(40000, 399);
    QTest::newRow("horizontal, too wide") << Kind::Horizontal << QSize(40000, 399);
    QTest::newRow("pie, too tall for its width") << Kind::Pie << QSize(589, 30000);
}

void TestCharts::unusablePictureSizeIsAnError()
{
    QFETCH(Kind, kind);
    QFETCH(QSize, recorded);
    const ChartResult r = drawChart(kind, makeTally({{"apple", 3}}), recorded);
    QVERIFY(!r.drawn);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(r.image.isNull());
}

void TestCharts::barTopMeetsGridLine_data()
{
    QTest::addColumn<QList<qint64>>("counts");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("gridLine");
    QTest::addColumn<QRgb>("colourAboveAxis");
    // One entry of 1: the cap (66 high) is taller than the bar, so only the
    // cap shows; its upper edge is on the line labelled 1.
    QTest::newRow("1 of 1") << QList<qint64>{1} << 0 << 1 << kBarTop;
    QTest::newRow("5 is 5 steps of 1") << QList<qint64>{5} << 0 << 5 << kBarBody;
    QTest::newRow("50 is 5 steps of 10") << QList<qint64>{50, 3} << 0 << 5 << kBarBody;
    // A bar lower than its cap is twice high shows the cap's lower half above the axis.
    QTest::newRow("2 is 1 step of 2") << QList<qint64>{10, 2} << 1 << 1 << kBarTop;
    QTest::newRow("20 is 1 step of 20") << QList<qint64>{51, 20} << 1 << 1 << kBarTop;
    QTest::newRow("60 is 3 steps of 20") << QList<qint64>{60, 51} << 0 << 3 << kBarBody;
}

void TestCharts::barTopMeetsGridLine()
{
    QFETCH(QList<qint64>, counts);
    QFETCH(int, bar);
    QFETCH(int, gridLine);
    QFETCH(QRgb, colourAboveAxis);
    QList<QPair<QString, qint64>> entries;
    for (qint64 c : counts)
        entries.append({QStringLiteral("n%1").arg(c), c});
    const ChartResult r = drawBarChart(makeTally(entries), kReferenceSize);
    QVERIFY(r.drawn);
    const QImage& image = r.image;

    const auto [first, last] = barRun(image, kBaseline - 2, bar);
    QVERIFY(first > 0);
    const int middle = (first + last) / 2;
    QCOMPARE(pixelAt(image, middle, kBaseline - 5), colourAboveAxis);
    int top = kBaseline - 2;
    while (isBarColour(pixelAt(image, middle, top - 1)))
        --top;
    const int lineY = kBaseline - gridLine * kPitch;
    QCOMPARE(top, lineY);
    QCOMPARE(pixelAt(image, middle, top - 1), kWhite);
    QCOMPARE(pixelAt(image, 560, lineY), kBlack); // the grid line itself, right of the bars
}

void TestCharts::scaleLabelsSitAboveTheirGridLines()
{
    // Largest count 51: step 20, labels 0 to 100.
    const ChartResult r = drawBarChart(makeTally({{"a", 51}, {"b", 7}}), kReferenceSize);
    const QImage& image = r.image;
    int axisX = 1;
    while (pixelAt(image, axisX, kBaseline) != kBlack)
        ++axisX;
    for (int k = 0; k <= 5; ++k) {
        const int lineY = kBaseline - k * kPitch;
        QCOMPARE(pixelAt(image, axisX, lineY), kBlack);
        const QRect labelCell(axisX - 25, lineY - 13, 25, 13);
        QVERIFY2(hasColour(image, labelCell, kBlack), qPrintable(QString::number(k)));
        QVERIFY(!hasColour(image, QRect(axisX - 25, lineY + 1, 25, 4), kBlack));
    }
}

void TestCharts::longNameIsCutToTheSlot()
{
    const QString longName = QString("A name far too long for its slot ").repeated(4);
    const ChartResult r = drawBarChart(makeTally({{longName, 4}, {"b", 2}}), kReferenceSize);
    const QImage& image = r.image;
    const auto [first, last] = barRun(image, kBaseline - 2, 0);
    const int unit = (last - first + 1) / 2;
    // Names stand at round(baseline + h / 3), one text cell high.
    int left = image.width(), right = -1;
    for (int y = 348; y < 348 + 13; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (pixelAt(image, x, y) == kBlack && x < (first + last) / 2 + 2 * unit) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY(right > left);
    QVERIFY2(right - left + 1 <= 3 * unit,
             qPrintable(QString("%1 > %2").arg(right - left + 1).arg(3 * unit)));
    // Centred on the bar, give or take a pixel of rounding and glyph bearing.
    QVERIFY(std::abs((left + right) / 2 - (first + last) / 2) <= 3);
}

void TestCharts::nothingOfABarBelowTheAxis_data()
{
    QTest::addColumn<qint64>("count");
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("negative") << qint64(-3);
    QTest::newRow("far below") << qint64(-2000000000);
}

void TestCharts::nothingOfABarBelowTheAxis()
{
    QFETCH(qint64, count);
    const ChartResult r = drawBarChart(makeTally({{"low", count}, {"b", 2}}), kReferenceSize);
    QVERIFY(r.drawn);
    const QImage& image = r.image;
    const int w = image.width(), h = image.height();
    // Count texts share the bar's colour; they stand at baseline + 2h, one cell high.
    const int countTop = kBaseline + 22, countBottom = countTop + 13;
    for (int y = kBaseline + 2; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const QRgb c = pixelAt(image, x, y);
            QVERIFY2(c != kBarOutline && c != kBarTop, qPrintable(QString("%1,%2").arg(x).arg(y)));
            if (y < countTop || y >= countBottom)
                QVERIFY2(c != kBarBody, qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    for (int x = 0; x < w; ++x)
        QCOMPARE(pixelAt(image, x, h - 1), kBlack); // the frame stays whole
}

void TestCharts::horizontalGrowth_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("grew");
    QTest::addColumn<int>("needed");
    QTest::newRow("25 fit") << 25 << 399 << false << 386;
    QTest::newRow("26 grow by a row") << 26 << 400 << true << 400;
    QTest::newRow("60 grow") << 60 << 876 << true << 876;
}

void TestCharts::horizontalGrowth()
{
    QFETCH(int, entries);
    QFETCH(int, height);
    QFETCH(bool, grew);
    QFETCH(int, needed);
    const ChartResult r = drawHorizontalBarChart(equalTally(entries), kReferenceSize);
    QVERIFY(r.drawn);
    QCOMPARE(r.image.size(), QSize(589, height));
    QVERIFY(r.window.resetBorderIcons);
    QCOMPARE(r.window.grew, grew);
    QCOMPARE(r.window.neededHeight, needed);
    QCOMPARE(pixelAt(r.image, 5, needed - 1), kBlack);
    QCOMPARE(pixelAt(r.image, 5, needed - 2), kPlot);
    for (int y = needed; y < height; ++y)
        QCOMPARE(pixelAt(r.image, 5, y), kWhite);
    // Every bar lies inside the chart area, above the bottom line.
    const auto l = ChartLayout::horizontalLayout(kReferenceSize, 11, entries);
    QVERIFY(l.barTop(entries - 1) + 11 < needed - 11);
}

void TestCharts::scrollBoxWidening_data()
{
    QTest::addColumn<int>("scrollBox");
    QTest::addColumn<int>("widened");
    QTest::newRow("reference 593 is narrower than 619") << 593 << 623;
    QTest::newRow("exactly picture + 30") << 619 << 619;
    QTest::newRow("already wide") << 700 << 700;
}

void TestCharts::scrollBoxWidening()
{
    QFETCH(int, scrollBox);
    QFETCH(int, widened);
    QCOMPARE(scrollBoxWidthAfterGrowth(scrollBox, 589), widened);
}

void TestCharts::horizontalBarEndsOnFifthGridLine()
{
    // Count 5 with largest count 5: step 1, the bar spans the whole scale.
    const ChartResult r = drawHorizontalBarChart(makeTally({{"five", 5}}), kReferenceSize);
    const QImage& image = r.image;
    // Below the top line the dotted grid shows white on green, two columns a line.
    QList<int> gridColumns;
    for (int x = 1; x < image.width() - 1; ++x)
        if (pixelAt(image, x, 23) == kWhite)
            gridColumns.append(x);
    QCOMPARE(gridColumns.size(), 10);
    const int fifth = gridColumns.at(8);
    QCOMPARE(gridColumns.at(9), fifth + 1);

    const int middle = int(ChartLayout::horizontalLayout(kReferenceSize, 11, 1).barTop(0)) + 5;
    QCOMPARE(pixelAt(image, fifth - 1, middle), kGreen); // the bar's outline
    QCOMPARE(pixelAt(image, fifth - 2, middle), kHorizontalBar);
    QVERIFY(pixelAt(image, fifth, middle) != kGreen);
    QVERIFY(pixelAt(image, fifth, middle) != kHorizontalBar);
}

void TestCharts::horizontalNonPositiveCountsHaveNoBar()
{
    const TallyResult tally = makeTally({{"plus", 2}, {"minus", -3}, {"zero", 0}});
    const ChartResult r = drawHorizontalBarChart(tally, kReferenceSize);
    QVERIFY(r.drawn);
    const auto l = ChartLayout::horizontalLayout(kReferenceSize, 11, 3);
    const auto barRows = [&](int i) { return QRect(1, int(l.barTop(i)), r.image.width() - 2, 11); };
    QVERIFY(hasColour(r.image, barRows(0), kHorizontalBar));
    QVERIFY(!hasColour(r.image, barRows(1), kHorizontalBar));
    QVERIFY(!hasColour(r.image, barRows(2), kHorizontalBar));
}

void TestCharts::horizontalPictureLimit_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("drawn");
    // 14 rows an entry plus 36: 2337 entries need 32754 rows, 2338 need 32768.
    QTest::newRow("2337 entries, just fits") << 2337 << true;
    QTest::newRow("2338 entries, too tall") << 2338 << false;
    QTest::newRow("100000 entries") << 100000 << false;
}

void TestCharts::horizontalPictureLimit()
{
    QFETCH(int, entries);
    QFETCH(bool, drawn);
    const ChartResult r = drawHorizontalBarChart(equalTally(entries), kReferenceSize);
    QCOMPARE(r.drawn, drawn);
    QCOMPARE(r.error.isEmpty(), drawn);
    QCOMPARE(r.image.isNull(), !drawn);
    if (!drawn)
        QVERIFY(!r.window.resetBorderIcons); // the window is left as it was
}

void TestCharts::longResultsDoNotCrash_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("bar") << Kind::Bar;
    QTest::newRow("pie") << Kind::Pie;
}

void TestCharts::longResultsDoNotCrash()
{
    QFETCH(Kind, kind);
    TallyResult tally = equalTally(100000);
    tally.names[0] = QString(300, u'W'); // a long name to cut
    const ChartResult r = drawChart(kind, tally, kReferenceSize);
    QVERIFY(r.drawn);
    QCOMPARE(r.image.height(), 399);
}

void TestCharts::hugeNameIsCutBeforeItIsMeasured_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("bar") << Kind::Bar;
    QTest::newRow("horizontal") << Kind::Horizontal;
    QTest::newRow("pie") << Kind::Pie;
}

// A title whose one item is a 5 MB line: drawn in a moment, and as a name of
// a few thousand characters draws, since no more of it can show.
void TestCharts::hugeNameIsCutBeforeItIsMeasured()
{
    QFETCH(Kind, kind);
    QElapsedTimer clock;
    clock.start();
    const ChartResult huge =
        drawChart(kind, makeTally({{QString(5 << 20, u'W'), 3}, {"b", 2}}), kReferenceSize);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    const ChartResult shorter =
        drawChart(kind, makeTally({{QString(5000, u'W'), 3}, {"b", 2}}), kReferenceSize);
    QVERIFY(huge.drawn);
    QCOMPARE(huge.image, shorter.image);
}

void TestCharts::pieSliceColours_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QList<int>>("colours");
    QTest::newRow("1: B, a full disc") << 1 << QList<int>{1};
    QTest::newRow("2: A B") << 2 << QList<int>{0, 1};
    QTest::newRow("3: A B C") << 3 << QList<int>{0, 1, 2};
    QTest::newRow("4: A B C B") << 4 << QList<int>{0, 1, 2, 1};
    QTest::newRow("7: A B C A B C B") << 7 << QList<int>{0, 1, 2, 0, 1, 2, 1};
}

void TestCharts::pieSliceColours()
{
    QFETCH(int, entries);
    QFETCH(QList<int>, colours);
    const ChartResult r = drawPieChart(equalTally(entries), kReferenceSize);
    QVERIFY(r.drawn);
    const int cx = 299, cy = 199;
    const double slice = 2 * M_PI / entries;
    for (int i = 0; i < entries; ++i) {
        const double mid = (i + 0.5) * slice;
        // Near the centre, clear of the names, which keep to the outer part.
        const QPoint inner = piePixel(cx, cy, mid, 30);
        QCOMPARE(pixelAt(r.image, inner.x(), inner.y()), kInner[colours.at(i)]);
        // Off the mid-angle, clear of the percentage.
        const QPoint ring = piePixel(cx, cy, mid + slice / 4, 160);
        QCOMPARE(pixelAt(r.image, ring.x(), ring.y()), kRing);
    }
    QCOMPARE(pixelAt(r.image, cx, cy - 185), kWhite); // outside the ring
}

void TestCharts::pieTinySliceIsNotAFullDisc()
{
    // The small slice's two points round to the same pixel: it must not
    // cover the pie as a full disc in colour B.
    const ChartResult r = drawPieChart(makeTally({{"big", 100000}, {"small", 1}}), kReferenceSize);
    QVERIFY(r.drawn);
    for (const QPoint p : {QPoint(299, 129), QPoint(299, 269), QPoint(249, 149), QPoint(249, 249)})
        QCOMPARE(pixelAt(r.image, p.x(), p.y()), kInner[0]);
    QCOMPARE(pixelAt(r.image, 299, 199 + 160), kRing);
}

void TestCharts::pieEveryEntryHasItsSlice_data()
{
    QTest::addColumn<QList<qint64>>("counts");
    // Inner colour (index into kInner, -1 white) near the centre at a share
    // of the full turn, clear of the names.
    QTest::addColumn<Probes>("probes");
    // A count of 0 ends at nine o'clock: its "0%" and its name stand there.
    QTest::addColumn<bool>("labelsAtNine");
    QTest::newRow("0 last: labelled, cycle A B") << QList<qint64>{3, 0} << Probes{{0.5, 0}} << true;
    QTest::newRow("0 between: cycle A B C")
        << QList<qint64>{2, 0, 2} << Probes{{0.25, 0}, {0.75, 2}} << false;
    QTest::newRow("negative drawn as 0") << QList<qint64>{3, -1} << Probes{{0.5, 0}} << true;
    // No positive count at all: an empty pie, drawn without dividing by zero.
    QTest::newRow("no positive count") << QList<qint64>{-2} << Probes{{0.5, -1}} << false;
}

void TestCharts::pieEveryEntryHasItsSlice()
{
    QFETCH(QList<qint64>, counts);
    QFETCH(Probes, probes);
    QFETCH(bool, labelsAtNine);
    const ChartResult r = drawPieChart(countsTally(counts), kReferenceSize);
    QVERIFY(r.drawn);
    QCOMPARE(r.buttons, buttonsAfter(Kind::Pie));
    for (const auto& [share, colour] : probes) {
        const QPoint p = piePixel(299, 199, share * 2 * M_PI, 30);
        QCOMPARE(pixelAt(r.image, p.x(), p.y()), colour < 0 ? kWhite : kInner[colour]);
    }
    // Unturned labels from the rim and from the inner pie's edge inward.
    QCOMPARE(hasColour(r.image, QRect(130, 190, 25, 18), kBlack), labelsAtNine);
    QCOMPARE(hasColour(r.image, QRect(170, 190, 20, 18), kBlack), labelsAtNine);
}

void TestCharts::horizontalCountTextPlace_data()
{
    QTest::addColumn<QList<qint64>>("counts");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("cellLeft"); // of the count text
    // 1 × pixels per count + axis x + 3 ends in .5: rounded once, to even.
    QTest::newRow("half, rounded once") << QList<qint64>{10, 1} << 1 << 110;
    QTest::newRow("whole") << QList<qint64>{10, 1} << 0 << 564;
}

void TestCharts::horizontalCountTextPlace()
{
    QFETCH(QList<qint64>, counts);
    QFETCH(int, entry);
    QFETCH(int, cellLeft);
    const TallyResult tally = countsTally(counts);
    const ChartResult r = drawHorizontalBarChart(tally, kReferenceSize);
    QVERIFY(r.drawn);
    // The text's first inked column lies its glyph's bearing right of its cell.
    const QString text = tally.countTexts.at(entry);
    QImage probe(60, 20, QImage::Format_RGB32);
    probe.setDotsPerMeterX(3780);
    probe.setDotsPerMeterY(3780);
    probe.fill(kWhite);
    {
        ChartCanvas canvas(probe);
        canvas.setClearBrush();
        canvas.textOut(10, 0, text);
    }
    const auto firstInk = [](const QImage& image, QRect area) {
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (pixelAt(image, x, y) == kBlack)
                    return x;
        return -1;
    };
    const int bearing = firstInk(probe, probe.rect()) - 10;
    const int top =
        int(ChartLayout::horizontalLayout(kReferenceSize, 11, counts.size()).barTop(entry));
    // Right of the axis and its names, in the bar's rows.
    const int found = firstInk(r.image, QRect(80, top, r.image.width() - 81, 13));
    QCOMPARE(found - bearing, cellLeft);
}

void TestCharts::labelsOfOtherScripts_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("label");
    for (const auto& [kindName, kind] :
         {std::pair{"bar", Kind::Bar}, std::pair{"horizontal", Kind::Horizontal},
          std::pair{"pie", Kind::Pie}})
        for (const auto& [script, label] : {std::pair{"Chinese", u"\u4e2d\u6587"},
                                            std::pair{"Arabic", u"\u0639\u0631\u0628\u064a"},
                                            std::pair{"emoji", u"\U0001F600\U0001F44D"}})
            QTest::addRow("%s, %s", kindName, script) << kind << QString::fromUtf16(label);
}

// Characters the bundled face lacks are drawn from a face that has them: the
// label must not look like as many characters that no face has, drawn as the
// bundled face's boxes.
void TestCharts::labelsOfOtherScripts()
{
    QFETCH(Kind, kind);
    QFETCH(QString, label);
    const QString boxes(label.toUcs4().size(), QChar(0x0378)); // unassigned
    const ChartResult drawn = drawChart(kind, makeTally({{label, 3}, {"b", 2}}), kReferenceSize);
    const ChartResult asBoxes = drawChart(kind, makeTally({{boxes, 3}, {"b", 2}}), kReferenceSize);
    QVERIFY(drawn.drawn && asBoxes.drawn);
    QVERIFY(drawn.image != asBoxes.image);
}

// The fallback faces are those the project installs with the program's
// packages; no other font of the machine takes part.
int main(int argc, char** argv)
{
    QTemporaryDir config;
    QFile file(config.filePath("fonts.conf"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write("<?xml version=\"1.0\"?>\n<fontconfig>\n");
    for (const char* dir : {"droid", "dejavu", "ancient-scripts"})
        file.write(QByteArray("<dir>/usr/share/fonts/truetype/") + dir + "</dir>\n");
    file.write("<cachedir>" + config.filePath("cache").toUtf8() + "</cachedir>\n</fontconfig>\n");
    file.close();
    qputenv("FONTCONFIG_FILE", file.fileName().toUtf8());
    QGuiApplication app(argc, argv);
    TestCharts test;
    return QTest::qExec(&test, argc, argv);
}
#include "TestCharts.moc"
