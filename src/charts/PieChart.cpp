#include "ChartCanvas.h"
#include "ChartFonts.h"
#include "ChartLayout.h"
#include "ChartPicture.h"
#include "Charts.h"
#include "stats/ReportLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace ChartLayout;
using namespace Charts::detail;

namespace Charts {

namespace {

const QColor kRingFill(208, 208, 255);
const QColor kRingOutline(190, 190, 190);
const std::array<QColor, 3> kInnerFills{QColor(190, 190, 190), QColor(217, 217, 255),
                                        QColor(128, 128, 192)};

struct Slice
{
    QString name;
    qint64 count = 0;
};

// Draws one slice between the boundary points of its start and end angle.
// A slice whose points meet is the whole disc only when it is more than half
// the circle. A sliver whose points round onto one pixel, or past each other
// so that they span nearly the whole circle, is drawn as a hairline radius
// instead of covering the pie as a full disc.
void drawSlice(ChartCanvas& canvas, const PieGeometry& g, int r, QPoint start, QPoint end,
               long double angle)
{
    const QPointF centre(g.cx, g.cy);
    // Rounding to pixels moves a boundary by under a pixel; a slice of at most
    // half a turn can then span a little more than 180 degrees, never 270.
    const bool sliver =
        angle <= kHalfTurn && (start == end || ChartCanvas::sweepDegrees(centre, end, start) > 270);
    if (sliver) {
        canvas.line(g.cx, g.cy, end.x(), end.y());
        return;
    }
    // Counter-clockwise from the end point to the start point is the slice,
    // which runs clockwise on screen.
    canvas.pie(g.cx - r, g.cy - r, g.cx + r, g.cy + r, end, start);
}

// Top-left of a label on mid-angle m that reads along the radius from the rim
// at radius r toward the centre, centred sideways on the radius.
QPoint inwardAnchor(const PieGeometry& g, long double m, int r, int th)
{
    return QPoint(roundEven(g.cx - std::cos(m) * (r - th) + std::sin(m) * th / 2),
                  roundEven(g.cy - std::sin(m) * (r - th) - std::cos(m) * th / 2));
}

// Top-left of a flipped label, which reads outward from `from` pixels off the centre.
QPoint outwardAnchor(const PieGeometry& g, long double m, long double from, int th)
{
    return QPoint(roundEven(g.cx - std::cos(m) * from - std::sin(m) * th),
                  roundEven(g.cy - std::sin(m) * from + std::cos(m) * th));
}

} // namespace

ChartResult drawPieChart(const TallyResult& tally, QSize recordedSize)
{
    ChartResult result;
    if (tally.totalCount == 0)
        return result;
    ChartFonts::ensureLoaded();
    const PieGeometry g = pieGeometry(recordedSize.height());
    QImage image = newPicture(g.width, g.height, &result.error);
    if (image.isNull())
        return result;

    // Every entry has its slice, its labels and its turn in the colour cycle;
    // a count of 0 has a slice of no width and "0%". A negative count would
    // turn the angles back, so it is drawn as 0 and the circle is shared on
    // the sum of the positive counts, which is the total when none is negative.
    std::vector<Slice> slices;
    qint64 whole = 0;
    const qsizetype n = std::min(tally.names.size(), tally.countTexts.size());
    slices.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const qint64 v = std::max<qint64>(countValue(tally.countTexts.at(i)), 0);
        slices.push_back(Slice{tally.names.at(i), v});
        whole += v;
    }
    if (whole == 0)
        slices.clear(); // no count has a share: an empty pie
    const auto sliceAngle = [whole](const Slice& s) {
        return static_cast<long double>(s.count) / whole * kFullTurn;
    };
    const auto midAngle = [whole](const Slice& s, long double end) {
        return end - static_cast<long double>(s.count) / whole * kHalfTurn;
    };

    {
        ChartCanvas canvas(image);
        canvas.setFontColour(kBlack);
        canvas.rectangle(0, g.height, g.width, 0);
        const int th = canvas.textHeight(); // of "my" in the 8-point font, never drawn
        const QFont labelFont = ChartFonts::pieFont(kDpi);

        // Outer ring: equal slices that carry the percentages.
        canvas.setBrush(kRingFill);
        canvas.setPen(kRingOutline);
        long double running = 0;
        QPoint start(g.cx - g.r1, g.cy);
        for (const Slice& s : slices) {
            running += sliceAngle(s);
            const QPoint end = piePoint(g.cx, g.cy, g.r1, running);
            drawSlice(canvas, g, g.r1, start, end, sliceAngle(s));
            start = end;
        }

        running = 0;
        for (const Slice& s : slices) {
            running += sliceAngle(s);
            const long double m = midAngle(s, running);
            int rotation = labelRotation(m);
            QPoint anchor = inwardAnchor(g, m, g.r1, th);
            if (isFlipped(rotation)) {
                rotation -= 1800;
                anchor = outwardAnchor(g, m, g.r1 - 2.5L * th, th);
            }
            canvas.setFont(labelFont, rotation);
            canvas.setClearBrush();
            canvas.textOut(anchor.x(), anchor.y(), formatPercent(s.count, whole) + u'%');
        }

        // Inner pie in cycling colours, carrying the names.
        const QVector<int> colours = innerColourCycle(qint64(slices.size()));
        canvas.setPen(kWhite);
        running = 0;
        start = QPoint(g.cx - g.r2, g.cy);
        for (size_t i = 0; i < slices.size(); ++i) {
            canvas.setBrush(kInnerFills.at(colours.at(i)));
            running += sliceAngle(slices[i]);
            const QPoint end = piePoint(g.cx, g.cy, g.r2, running);
            drawSlice(canvas, g, g.r2, start, end, sliceAngle(slices[i]));
            start = end;
        }

        running = 0;
        for (const Slice& s : slices) {
            const int w = std::min(canvas.textWidthUpTo(s.name, g.nameLimit), g.nameLimit);
            running += sliceAngle(s);
            const long double m = midAngle(s, running);
            QPoint anchor;
            if (static_cast<long double>(s.count) / whole * 360 < 55) {
                int rotation = labelRotation(m);
                anchor = inwardAnchor(g, m, g.r2, th);
                if (isFlipped(rotation)) {
                    rotation -= 1800;
                    anchor = outwardAnchor(g, m, 3.0L * th, th);
                }
                canvas.setFont(labelFont, rotation);
            } else {
                // A wide slice selects no font of its own: its name keeps the
                // face and turn of the label drawn before it.
                const long double radius = 3.0L * g.r2 / 4;
                anchor = QPoint(roundEven(g.cx - std::cos(m) * radius - w / 4.0L),
                                roundEven(g.cy - std::sin(m) * radius - th / 2.0L));
            }
            canvas.setClearBrush();
            const QString name = canvas.cutToWidth(s.name, g.nameLimit);
            canvas.textOut(anchor.x(), anchor.y(), name);
        }
    }
    result.drawn = true;
    result.image = image;
    result.buttons = buttonsAfter(Kind::Pie);
    return result;
}

} // namespace Charts
