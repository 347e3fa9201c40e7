#pragma once

#include "stats/TallyResult.h"

#include <QImage>
#include <QSize>
#include <QString>

// The three charts, drawn into a picture without any window. The window's
// handlers put the picture into the image, set the chart buttons and apply
// the window effects from what these return.
namespace Charts {

enum class Kind
{
    Bar,
    Horizontal,
    Pie
};

// The recorded picture size at the reference screen width.
constexpr QSize kReferenceSize(589, 399);

// No chart makes a picture larger than this on either side, nor one of more
// pixels than kMaxPicturePixels (128 MiB at 32 bits a pixel).
constexpr int kMaxPictureSide = 32767;
constexpr qint64 kMaxPicturePixels = qint64(32) * 1024 * 1024;

// Enabled state of the picture window's chart buttons.
struct ChartButtons
{
    bool bar = true;        // BitBtn5, "Barchart"
    bool horizontal = true; // BitBtn2, "BarchartHorizon"
    bool pie = true;        // BitBtn6, "PieChart"

    bool operator==(const ChartButtons& o) const
    {
        return bar == o.bar && horizontal == o.horizontal && pie == o.pie;
    }
};

// After a chart is drawn its own button is disabled and the other two enabled.
ChartButtons buttonsAfter(Kind drawn);

// What the horizontal chart does to the picture window, in this order, before
// the picture is shown: border icons back to the system menu alone; then, if
// the chart grew, add the maximise button, fill the screen's work area and
// release that alignment keeping the size, and widen the scroll box (see
// scrollBoxWidthAfterGrowth).
struct WindowEffects
{
    bool resetBorderIcons = false; // to the system menu alone
    bool grew = false;             // the picture is taller than the recorded size
    int neededHeight = 0;          // height of the chart area
};

// The scroll box's new width after the picture grew: 30 wider when it is
// narrower than the picture plus 30, else unchanged.
int scrollBoxWidthAfterGrowth(int scrollBoxWidth, int pictureWidth);

struct ChartResult
{
    // False: nothing was drawn. Either the result is empty (error is empty:
    // leave the picture and the buttons as they are, say nothing) or the
    // picture could not be made (error says why: show it, keep the old picture).
    bool drawn = false;
    QString error;
    QImage image;         // 32-bit, 96 dpi; its size is the new size of the image
    ChartButtons buttons; // apply when drawn
    WindowEffects window; // horizontal chart only; apply when drawn
};

// Each draws the tally result on a fresh picture of the recorded size (the
// pie chart makes it 1.5 times as wide as high, the horizontal chart may make
// it taller). Counts are read from the count texts; zero or negative counts
// never draw outside the plot.
ChartResult drawBarChart(const TallyResult& tally, QSize recordedSize);
ChartResult drawHorizontalBarChart(const TallyResult& tally, QSize recordedSize);
ChartResult drawPieChart(const TallyResult& tally, QSize recordedSize);
ChartResult drawChart(Kind kind, const TallyResult& tally, QSize recordedSize);

// Pixel size h of the charts' 8-point font and the height th of its text
// cell, on a picture of the given resolution (11 and 13 at 96 dpi).
struct FontUnits
{
    int h = 0;
    int th = 0;
};
FontUnits fontUnits(int dpi = 96);

} // namespace Charts
