#pragma once

#include "stats/FileTally.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

// The trend chart of morvane-report --by: per period, the counts of the most
// frequent items as stacked bars, in the style and fonts of the charts.
namespace TrendChart {

// Items drawn by name; the others are summed as "other".
constexpr int kNamedItems = 8;

struct Picture
{
    QImage image;  // null when nothing was drawn
    QString error; // why, when the picture could not be made
    bool tooNarrow = false; // the size given has no room for the periods
};

// The most frequent items over all periods (by their summed counts; equal
// sums in order of first appearance), at most kNamedItems.
QStringList namedItems(const std::vector<FileTally::PeriodReport>& periods);

// Draws the periods into a picture of the given size; nothing (a null image,
// no error) when no period holds an item.
Picture draw(const std::vector<FileTally::PeriodReport>& periods, QSize size);

} // namespace TrendChart
