#include "charts/ChartLayout.h"

#include <QTest>

using namespace ChartLayout;

class TestChartLayout : public QObject
{
    Q_OBJECT
private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void scaleStep_data();
    void scaleStep();
    void countValue_data();
    void countValue();
    void barLayoutAtReferenceSize();
    void barUnitShrinksToZero_data();
    void barUnitShrinksToZero();
    void horizontalLayout_data();
    void horizontalLayout();
    void horizontalAxisAndPitch();
    void pieGeometry_data();
    void pieGeometry();
    void piePoints();
    void labelRotation_data();
    void labelRotation();
    void innerColourCycle_data();
    void innerColourCycle();
};

void TestChartLayout::roundsHalfToEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5 down to even") << 2.5 << 2;
    QTest::newRow("3.5 up to even") << 3.5 << 4;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("just under a half") << 2.4999 << 2;
    QTest::newRow("just over a half") << 2.5001 << 3;
    QTest::newRow("pie width at 399") << 598.5 << 598;
    QTest::newRow("huge is clamped") << 1e15 << 1000000000;
    QTest::newRow("huge negative is clamped") << -1e15 << -1000000000;
}

void TestChartLayout::roundsHalfToEven()
{
    QFETCH(double, x);
    QFETCH(int, expected);
    QCOMPARE(roundEven(x), expected);
}

void TestChartLayout::scaleStep_data()
{
    QTest::addColumn<qint64>("maxCount");
    QTest::addColumn<qint64>("step");
    QTest::newRow("1") << qint64(1) << qint64(1);
    QTest::newRow("5") << qint64(5) << qint64(1);
    QTest::newRow("6") << qint64(6) << qint64(2);
    QTest::newRow("23") << qint64(23) << qint64(5);
    QTest::newRow("50") << qint64(50) << qint64(10);
    QTest::newRow("51") << qint64(51) << qint64(20);
    QTest::newRow("100") << qint64(100) << qint64(20);
    QTest::newRow("101") << qint64(101) << qint64(30);
    QTest::newRow("260") << qint64(260) << qint64(60);
    QTest::newRow("1001") << qint64(1001) << qint64(300);
    QTest::newRow("32-bit maximum") << qint64(2147483647) << qint64(500000000);
    QTest::newRow("0 is taken as 1") << qint64(0) << qint64(1);
    QTest::newRow("negative is taken as 1") << qint64(-7) << qint64(1);
}

void TestChartLayout::scaleStep()
{
    QFETCH(qint64, maxCount);
    QFETCH(qint64, step);
    QCOMPARE(ChartLayout::scaleStep(maxCount), step);
    // The scale 0 to 5 steps always reaches the largest count.
    QVERIFY(5 * step >= maxCount);
}

void TestChartLayout::countValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("plain") << "5" << qint64(5);
    QTest::newRow("plus and leading zero") << "+05" << qint64(5);
    QTest::newRow("negative") << "-3" << qint64(-3);
    QTest::newRow("blanks around") << " 7 " << qint64(7);
    QTest::newRow("dollar hex") << "$1F" << qint64(31);
    QTest::newRow("0x hex") << "0x10" << qint64(16);
    QTest::newRow("negative hex") << "-$A" << qint64(-10);
    QTest::newRow("word") << "abc" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("exponent") << "1e3" << qint64(0);
    QTest::newRow("two signs") << "--3" << qint64(0);
    QTest::newRow("sign alone") << "+" << qint64(0);
    QTest::newRow("hex digits without prefix") << "1F" << qint64(0);
    QTest::newRow("beyond 32 bits") << "99999999999" << qint64(2147483647);
    QTest::newRow("beyond 64 bits") << "-99999999999999999999999" << qint64(-2147483648);
}

void TestChartLayout::countValue()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(ChartLayout::countValue(text), value);
}

void TestChartLayout::barLayoutAtReferenceSize()
{
    // One entry with count 1, its count text 6 pixels wide.
    const BarLayout l = barLayout(QSize(589, 399), 11, 6, 1, 1);
    QCOMPARE(l.baseline, 344);
    QCOMPARE(l.axisX, 39);
    QCOMPARE(l.rightEnd, 567);
    QCOMPARE(l.unit, 132); // round((589 - 22 - 39) / 4)
    QCOMPARE(l.barWidth, 264);
    QCOMPARE(l.cap, 66);
    QCOMPARE(l.gridPitch, 59); // round(289 / 5) + 1
    QCOMPARE(l.step, qint64(1));
    QCOMPARE(l.barLeft(0), 171);
    // The cap's upper edge, top - cap, lies on the grid line of the value.
    QCOMPARE(l.barTop(1) - l.cap, l.baseline - l.gridPitch);
    QCOMPARE(l.barTop(0) - l.cap, l.baseline);
}

void TestChartLayout::barUnitShrinksToZero_data()
{
    QTest::addColumn<qint64>("entries");
    QTest::addColumn<int>("unit");
    // 528 pixels of plot: the unit is 1 while 528 / (3N + 1) is over a half.
    QTest::newRow("351 entries") << qint64(351) << 1;
    QTest::newRow("352 entries") << qint64(352) << 0;
    QTest::newRow("100000 entries") << qint64(100000) << 0;
}

void TestChartLayout::barUnitShrinksToZero()
{
    QFETCH(qint64, entries);
    QFETCH(int, unit);
    const BarLayout l = barLayout(QSize(589, 399), 11, 6, entries, 1);
    QCOMPARE(l.unit, unit);
    QCOMPARE(l.barWidth, 2 * unit);
}

void TestChartLayout::horizontalLayout_data()
{
    QTest::addColumn<qint64>("entries");
    QTest::addColumn<qint64>("gap");
    QTest::addColumn<qint64>("needed");
    QTest::addColumn<bool>("grows");
    QTest::newRow("one entry") << qint64(1) << qint64(174) << qint64(392) << false;
    QTest::newRow("25 entries fit") << qint64(25) << qint64(3) << qint64(386) << false;
    QTest::newRow("26 entries need 400 rows") << qint64(26) << qint64(3) << qint64(400) << true;
    QTest::newRow("gap clamped to 3") << qint64(60) << qint64(3) << qint64(876) << true;
    QTest::newRow("100000 entries") << qint64(100000) << qint64(3) << qint64(1400036) << true;
}

void TestChartLayout::horizontalLayout()
{
    QFETCH(qint64, entries);
    QFETCH(qint64, gap);
    QFETCH(qint64, needed);
    QFETCH(bool, grows);
    const HorizontalLayout l = ChartLayout::horizontalLayout(QSize(589, 399), 11, entries);
    QCOMPARE(l.gap, gap);
    QCOMPARE(l.neededHeight, needed);
    QCOMPARE(l.grows, grows);
    QCOMPARE(l.pictureHeight, std::max<qint64>(399, needed));
    // The last bar ends h + gap above the needed height's bottom margin.
    QCOMPARE(l.barTop(entries - 1) + 11 + gap + 11, needed);
}

void TestChartLayout::horizontalAxisAndPitch()
{
    QCOMPARE(horizontalAxisX(46, 11, 589), 57);
    // A very wide name: the axis stays at a third of the width.
    QCOMPARE(horizontalAxisX(300, 11, 589), 196);
    QCOMPARE(horizontalGridPitch(589, 57, 11, 6), 102); // round(504 / 5) + 1
}

void TestChartLayout::pieGeometry_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("expected"); // width, cx, cy, r1, r2, name limit
    QTest::newRow("reference 399") << 399 << QList<int>{598, 299, 199, 180, 140, 84};
    QTest::newRow("400") << 400 << QList<int>{600, 300, 200, 180, 140, 84};
    QTest::newRow("10") << 10 << QList<int>{15, 7, 5, 4, 4, 2};
}

void TestChartLayout::pieGeometry()
{
    QFETCH(int, height);
    QFETCH(QList<int>, expected);
    const PieGeometry g = ChartLayout::pieGeometry(height);
    QCOMPARE((QList<int>{g.width, g.cx, g.cy, g.r1, g.r2, g.nameLimit}), expected);
    QCOMPARE(g.height, height);
}

void TestChartLayout::piePoints()
{
    // From nine o'clock, clockwise on screen: a quarter turn reaches the top.
    QCOMPARE(piePoint(299, 199, 180, 0), QPoint(119, 199));
    QCOMPARE(piePoint(299, 199, 180, kHalfTurn / 2), QPoint(299, 19));
    QCOMPARE(piePoint(299, 199, 180, kHalfTurn), QPoint(479, 199));
    QCOMPARE(piePoint(299, 199, 180, 3 * kHalfTurn / 2), QPoint(299, 379));
    // The full turn ends a hair past the start and rounds back onto it.
    QCOMPARE(piePoint(299, 199, 180, kFullTurn), QPoint(119, 199));
}

void TestChartLayout::labelRotation_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("countsBefore");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("flipped");
    // Two equal entries: the first label stands at twelve o'clock reading
    // downward, the second at six o'clock reading upward; neither is flipped.
    QTest::newRow("first of two") << qint64(1) << qint64(2) << qint64(0) << 2700 << false;
    QTest::newRow("second of two") << qint64(1) << qint64(2) << qint64(1) << 900 << false;
    // A single entry's label stands at three o'clock and would read upside down.
    QTest::newRow("one entry") << qint64(1) << qint64(1) << qint64(0) << 1800 << true;
    QTest::newRow("first of four") << qint64(1) << qint64(4) << qint64(0) << 3150 << false;
    QTest::newRow("second of four") << qint64(1) << qint64(4) << qint64(1) << 2250 << true;
    QTest::newRow("last of four") << qint64(1) << qint64(4) << qint64(3) << 450 << false;
}

void TestChartLayout::labelRotation()
{
    QFETCH(qint64, count);
    QFETCH(qint64, total);
    QFETCH(qint64, countsBefore);
    QFETCH(int, rotation);
    QFETCH(bool, flipped);
    long double end = 0;
    for (qint64 i = 0; i < countsBefore; ++i)
        end += static_cast<long double>(count) / total * kFullTurn; // equal slices
    end += static_cast<long double>(count) / total * kFullTurn;
    const long double mid = end - static_cast<long double>(count) / total * kHalfTurn;
    QCOMPARE(ChartLayout::labelRotation(mid), rotation);
    QCOMPARE(isFlipped(rotation), flipped);
}

void TestChartLayout::innerColourCycle_data()
{
    QTest::addColumn<qint64>("entries");
    QTest::addColumn<QVector<int>>("colours");
    QTest::newRow("none") << qint64(0) << QVector<int>{};
    QTest::newRow("1: B") << qint64(1) << QVector<int>{1};
    QTest::newRow("2: A B") << qint64(2) << QVector<int>{0, 1};
    QTest::newRow("3: A B C") << qint64(3) << QVector<int>{0, 1, 2};
    QTest::newRow("4: A B C B") << qint64(4) << QVector<int>{0, 1, 2, 1};
    QTest::newRow("5: A B C A B") << qint64(5) << QVector<int>{0, 1, 2, 0, 1};
    QTest::newRow("7: A B C A B C B") << qint64(7) << QVector<int>{0, 1, 2, 0, 1, 2, 1};
}

void TestChartLayout::innerColourCycle()
{
    QFETCH(qint64, entries);
    QFETCH(QVector<int>, colours);
    QCOMPARE(ChartLayout::innerColourCycle(entries), colours);
}

QTEST_GUILESS_MAIN(TestChartLayout)
#include "TestChartLayout.moc"
