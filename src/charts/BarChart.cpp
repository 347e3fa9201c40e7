#include "ChartCanvas.h"
#include "ChartFonts.h"
#include "ChartLayout.h"
#include "ChartPicture.h"
#include "Charts.h"

#include <algorithm>

using namespace ChartLayout;
using namespace Charts::detail;

namespace Charts {

namespace {

const QColor kBarOutline(151, 203, 255);
const QColor kBarBody(125, 190, 255); // also the count texts
const QColor kBarTop(155, 205, 255);

qint64 entryCount(const TallyResult& tally)
{
    return std::min(tally.names.size(), tally.countTexts.size());
}

} // namespace

ChartResult drawBarChart(const TallyResult& tally, QSize recordedSize)
{
    ChartResult result;
    if (tally.totalCount == 0)
        return result; // an empty result: nothing to draw, nothing to say
    ChartFonts::ensureLoaded();
    QImage image = newPicture(recordedSize.width(), recordedSize.height(), &result.error);
    if (image.isNull())
        return result;
    {
        ChartCanvas canvas(image);
        const int width = image.width(), height = image.height();
        const qint64 n = entryCount(tally);
        const int h = ChartFonts::pixelSize(8, kDpi);
        const BarLayout l = barLayout(image.size(), h, canvas.textWidth(tally.countTexts.value(0)),
                                      n, tally.maxCount);

        // White picture, black frame on the outermost pixels.
        canvas.rectangle(0, height, width, 0);

        for (int k = 0; k <= 5; ++k)
            canvas.line(l.axisX, l.baseline - k * l.gridPitch, l.rightEnd,
                        l.baseline - k * l.gridPitch);

        // Each label is placed by the width of the next one up, so a label
        // stops short of the axis where the next value has more digits.
        const int t = canvas.textHeight(); // of "(Number)", never drawn here
        for (int k = 0; k <= 5; ++k) {
            const int w = canvas.textWidth(QString::number((k + 1) * l.step));
            canvas.textOut(l.axisX - w, l.baseline - k * l.gridPitch - t,
                           QString::number(k * l.step));
        }

        // A bar beyond the scale or below the axis stops at the frame.
        canvas.setClip(1, 1, width - 1, height - 1);
        canvas.setPen(kBarOutline);
        for (qint64 i = 0; i < n; ++i) {
            const int x1 = l.barLeft(i);
            if (x1 >= width)
                break; // the remaining bars lie beyond the picture's edge
            const int x2 = x1 + l.barWidth;
            const int top = l.barTop(countValue(tally.countTexts.at(i)));
            canvas.setBrush(kBarBody);
            canvas.rectangle(x1, top, x2, l.baseline);
            canvas.setBrush(kBarTop);
            canvas.ellipse(x1, top - l.cap, x2, top + l.cap);
        }
        canvas.clearClip();

        // Wipe whatever a zero or negative count drew below the axis, right up
        // to the frame, so no row of a bar is left above it.
        canvas.setPen(kWhite);
        canvas.setBrush(kWhite);
        canvas.rectangle(l.axisX, l.baseline + 2, width - 1, height - 1);

        canvas.setPen(kBlack);
        canvas.line(l.axisX, l.baseline, l.rightEnd, l.baseline);

        canvas.setClearBrush();
        canvas.setFontColour(kBlack);
        const int nameTop = roundEven(l.baseline + h / 3.0L);
        for (qint64 i = 0; i < n; ++i) {
            const int x1 = l.barLeft(i);
            const QString name = canvas.cutToWidth(tally.names.at(i), 3 * l.unit);
            const int w = canvas.textWidth(name);
            canvas.textOut(roundEven(x1 + l.barWidth / 2.0L - w / 2.0L), nameTop, name);
        }

        // Count texts are never cut; in narrow slots they may overlap.
        canvas.setFontColour(kBarBody);
        for (qint64 i = 0; i < n; ++i) {
            const int x1 = l.barLeft(i);
            const QString& text = tally.countTexts.at(i);
            const int w = canvas.textWidth(text);
            canvas.textOut(roundEven(x1 + l.barWidth / 2.0L - w / 2.0L), l.baseline + 2 * h, text);
        }
    }
    result.drawn = true;
    result.image = image;
    result.buttons = buttonsAfter(Kind::Bar);
    return result;
}

} // namespace Charts
