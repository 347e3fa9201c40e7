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

const QColor kPlotBackground(223, 239, 192);
const QColor kGreen(0, 128, 0);
const QColor kBarFill(102, 179, 255);
const QString kCaption = QStringLiteral("(Number)");

} // namespace

ChartResult drawHorizontalBarChart(const TallyResult& tally, QSize recordedSize)
{
    ChartResult result;
    if (tally.totalCount == 0)
        return result;
    ChartFonts::ensureLoaded();
    const qint64 n = std::min(tally.names.size(), tally.countTexts.size());
    const int h = ChartFonts::pixelSize(8, kDpi);
    const HorizontalLayout l = horizontalLayout(recordedSize, h, n);
    // A long list can ask for a picture millions of rows tall: refuse it
    // before anything changes, window included. An empty recorded picture is
    // refused as by the other charts, not grown.
    QImage image = newPicture(recordedSize.width(), recordedSize.height() > 0 ? l.pictureHeight : 0,
                              &result.error);
    if (image.isNull())
        return result;
    const int needed = int(l.neededHeight); // no taller than the picture, checked above
    {
        ChartCanvas canvas(image);
        const int width = image.width();
        const int top = 2 * h, bottom = needed - h;

        // Only the chart area is light green; rows below it stay white.
        canvas.setBrush(kPlotBackground);
        canvas.rectangle(0, needed, width, 0);

        canvas.setPen(kGreen, 2);
        canvas.line(h, top, width - h, top);

        int labelColumn = canvas.textWidth(kCaption);
        for (qint64 i = 0; i < n; ++i)
            labelColumn = std::max(labelColumn, canvas.textWidthUpTo(tally.names.at(i), width));
        const int axisX = horizontalAxisX(labelColumn, h, width);
        canvas.line(axisX, top, axisX, bottom);

        // Names are never cut: past a third of the width they run off the left edge.
        canvas.setFontColour(kWindowText);
        const int tGap = canvas.textWidth(QStringLiteral("t"));
        for (qint64 i = 0; i < n; ++i) {
            const QString name = canvas.visibleTail(tally.names.at(i), axisX);
            canvas.textOut(axisX - canvas.textWidth(name) - tGap, int(l.barTop(i)), name);
        }

        const qint64 step = scaleStep(tally.maxCount);
        const int pitch =
            horizontalGridPitch(width, axisX, h, canvas.textWidth(QString::number(tally.maxCount)));
        const long double pixelsPerCount = static_cast<long double>(pitch) / step;

        // Two dotted lines side by side, so the grid shows on the green.
        canvas.setPen(kWhite, 1, ChartCanvas::PenStyle::Dotted);
        for (int pass = 0; pass < 2; ++pass)
            for (int k = 1; k <= 5; ++k)
                canvas.line(axisX + k * pitch + pass, top, axisX + k * pitch + pass, bottom);

        const int labelTop = roundEven(h / 2.0L);
        canvas.textOut(axisX - canvas.textWidth(kCaption) - tGap, labelTop, kCaption);
        for (int k = 1; k <= 5; ++k)
            canvas.textOut(axisX + k * pitch, labelTop, QString::number(k * step));

        // A zero or negative count has no bar; its text stands just right of the axis.
        const auto barEnd = [&](qint64 v) {
            return v > 0 ? roundEven(v * pixelsPerCount + axisX) : axisX;
        };
        for (qint64 i = 0; i < n; ++i) {
            const QString& text = tally.countTexts.at(i);
            const qint64 v = countValue(text);
            // Rounded as one sum with the 3 pixels: on a half it may land one
            // pixel past the bar's rounded end + 3.
            const int left = v > 0 ? roundEven(v * pixelsPerCount + axisX + 3) : axisX + 3;
            canvas.textOut(left, int(l.barTop(i)), text);
        }

        canvas.setPen(kGreen);
        canvas.setBrush(kBarFill);
        for (qint64 i = 0; i < n; ++i) {
            const int barTop = int(l.barTop(i));
            canvas.rectangle(axisX, barTop, barEnd(countValue(tally.countTexts.at(i))), barTop + h);
        }

        canvas.line(h, bottom, width - h, bottom);
    }
    result.drawn = true;
    result.image = image;
    result.buttons = buttonsAfter(Kind::Horizontal);
    result.window.resetBorderIcons = true;
    result.window.grew = l.grows;
    result.window.neededHeight = needed;
    return result;
}

} // namespace Charts
