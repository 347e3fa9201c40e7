#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

// The numbers behind the three charts, as pure functions, so the layout can be
// checked without drawing.
namespace ChartLayout {

// The angle constants are the chart's own, not pi: the last slice ends a hair
// past the full turn and its end point rounds back onto the start point.
constexpr long double kFullTurn = 6.2832L;
constexpr long double kHalfTurn = 3.1416L;

// Nearest integer, halves to even (2.5 gives 2, 3.5 gives 4), of the whole
// real expression. Values beyond ±1e9 are clamped, so a huge count cannot
// overflow a coordinate.
int roundEven(long double x);

// ceil(a / b) for positive integers.
qint64 ceilDiv(qint64 a, qint64 b);

// Count value per grid line for a largest count of maxCount: ceil(M / 5)
// rounded up to a multiple of the unit of its leading digit. The scale 0 to 5
// steps always reaches M. A largest count below 1 is taken as 1.
qint64 scaleStep(qint64 maxCount);

// The value of a count text: optional sign, then decimal digits, or hex digits
// after "$" or "0x", surrounding blanks ignored. Anything else is 0; values
// beyond the 32-bit signed range are clamped to it, so sums cannot overflow.
qint64 countValue(const QString& countText);

// Vertical bar chart.
struct BarLayout
{
    int h = 0;         // pixel size of the chart font
    int baseline = 0;  // y of the x-axis and the bars' bottoms
    int axisX = 0;     // left end of the grid and axis
    int rightEnd = 0;  // right end of the grid and axis
    int unit = 0;      // gap before each bar; a slot is 3 units
    int barWidth = 0;  // 2 units
    int cap = 0;       // half height of a bar's elliptical top
    int gridPitch = 0; // E: distance between grid lines
    qint64 step = 1;   // count value per grid line
    long double pixelsPerCount = 0;

    int barLeft(qint64 i) const;
    // y of the bar body's top for count v (the cap's box is centred on it).
    int barTop(qint64 v) const;
};
BarLayout barLayout(QSize picture, int h, int firstCountWidth, qint64 entries, qint64 maxCount);

// Horizontal bar chart: the vertical extent, which decides whether the
// picture grows. The axis and grid depend on text widths, see below.
struct HorizontalLayout
{
    int h = 0;
    qint64 gap = 3;           // space above each bar, at least 3
    qint64 neededHeight = 0;  // height of the chart area
    qint64 pictureHeight = 0; // the recorded height, or the needed one if more
    bool grows = false;       // the chart area is taller than the recorded picture

    qint64 barTop(qint64 i) const { return 2 * h + (i + 1) * gap + i * h; }
};
HorizontalLayout horizontalLayout(QSize recorded, int h, qint64 entries);
// Axis x from the widest label: one h right of it, but at most a third of the width.
int horizontalAxisX(int labelColumn, int h, int width);
int horizontalGridPitch(int width, int axisX, int h, int maxCountWidth);

// Pie chart geometry for a recorded height H.
struct PieGeometry
{
    int width = 0; // round(1.5 H)
    int height = 0;
    int cx = 0;
    int cy = 0;
    int r1 = 0;        // outer ring
    int r2 = 0;        // inner pie
    int nameLimit = 0; // widest name, in pixels
};
PieGeometry pieGeometry(int height);

// The point at angle a (radians from nine o'clock, clockwise on screen) on
// the circle of radius r around (cx, cy).
QPoint piePoint(int cx, int cy, int r, long double angle);

// Text rotation in tenths of a degree, counter-clockwise, of a label on the
// mid-angle m; labels between 900 and 2700 (exclusive) would read upside down.
int labelRotation(long double midAngle);
bool isFlipped(int rotation);

// Fill of each inner slice as 0 = A, 1 = B, 2 = C: the cycle A B C, except
// that the last slice is B when the count leaves remainder 1 by 3, so it
// never repeats the first slice's A next to it.
QVector<int> innerColourCycle(qint64 entries);

} // namespace ChartLayout
