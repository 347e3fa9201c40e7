#include "ChartPicture.h"

#include "ChartCanvas.h"
#include "ChartFonts.h"
#include "Charts.h"

namespace Charts {

ChartButtons buttonsAfter(Kind drawn)
{
    ChartButtons buttons;
    buttons.bar = drawn != Kind::Bar;
    buttons.horizontal = drawn != Kind::Horizontal;
    buttons.pie = drawn != Kind::Pie;
    return buttons;
}

int scrollBoxWidthAfterGrowth(int scrollBoxWidth, int pictureWidth)
{
    return scrollBoxWidth < pictureWidth + 30 ? scrollBoxWidth + 30 : scrollBoxWidth;
}

ChartResult drawChart(Kind kind, const TallyResult& tally, QSize recordedSize)
{
    switch (kind) {
    case Kind::Bar:
        return drawBarChart(tally, recordedSize);
    case Kind::Horizontal:
        return drawHorizontalBarChart(tally, recordedSize);
    case Kind::Pie:
        return drawPieChart(tally, recordedSize);
    }
    return ChartResult();
}

FontUnits fontUnits(int dpi)
{
    ChartFonts::ensureLoaded();
    QImage probe(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    ChartCanvas canvas(probe);
    return FontUnits{ChartFonts::pixelSize(8, dpi), canvas.textHeight()};
}

namespace detail {

QImage newPicture(qint64 width, qint64 height, QString* error)
{
    if (width <= 0 || height <= 0) {
        *error = QStringLiteral("There is no picture area to draw the chart on.");
        return QImage();
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
        *error = QStringLiteral("The chart would need a picture of %1 x %2 pixels, which is too "
                                "large to draw. The previous picture is kept.")
                     .arg(width)
                     .arg(height);
        return QImage();
    }
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        *error = QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.")
                     .arg(width)
                     .arg(height);
        return image;
    }
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(kWhite);
    return image;
}

} // namespace detail
} // namespace Charts
