#include "ChartLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ChartLayout {

namespace {

constexpr long double kCoordinateLimit = 1e9L;

qint64 clampToInt32(qint64 v)
{
    return std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                              std::numeric_limits<qint32>::max());
}

bool allDigits(const QString& text, int base)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool decimal = c >= u'0' && c <= u'9';
        const bool hex = (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!decimal && !(base == 16 && hex))
            return false;
    }
    return true;
}

} // namespace

int roundEven(long double x)
{
    if (std::isnan(x))
        return 0;
    x = std::clamp(x, -kCoordinateLimit, kCoordinateLimit);
    // Done by hand rather than with rint, which would depend on the global
    // rounding mode. x - floor(x) is exact, so a true half is seen as one.
    const long double down = std::floor(x);
    const long double rest = x - down;
    long double result = down;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(down, 2.0L) != 0))
        result = down + 1;
    return static_cast<int>(result);
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}

qint64 scaleStep(qint64 maxCount)
{
    const qint64 l = ceilDiv(std::max<qint64>(maxCount, 1), 5);
    qint64 p = 1; // unit of l's leading digit
    while (l / p >= 10)
        p *= 10;
    return ceilDiv(l, p) * p;
}

qint64 countValue(const QString& countText)
{
    QString text = countText.trimmed();
    bool negative = false;
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.startsWith(u'-');
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text.remove(0, 2);
    }
    if (!allDigits(text, base))
        return 0;
    bool ok = false;
    qint64 value = text.toLongLong(&ok, base);
    if (!ok) // more digits than 64 bits hold
        value = std::numeric_limits<qint64>::max();
    return clampToInt32(negative ? -value : value);
}

int BarLayout::barLeft(qint64 i) const
{
    return roundEven(static_cast<long double>(axisX) + (i + 1) * static_cast<long double>(unit) +
                     i * static_cast<long double>(barWidth));
}

int BarLayout::barTop(qint64 v) const
{
    return roundEven(baseline - v * pixelsPerCount + cap);
}

BarLayout barLayout(QSize picture, int h, int firstCountWidth, qint64 entries, qint64 maxCount)
{
    BarLayout l;
    const int w = picture.width();
    l.h = h;
    l.baseline = picture.height() - 5 * h;
    l.axisX = 3 * h + firstCountWidth;
    l.rightEnd = w - 2 * h;
    l.unit = roundEven(static_cast<long double>(w - 2 * h - l.axisX) /
                       (3.0L * std::max<qint64>(entries, 0) + 1));
    l.barWidth = 2 * l.unit;
    l.cap = roundEven(l.barWidth / 4.0L);
    l.gridPitch = roundEven((l.baseline - 5 * h) / 5.0L) + 1;
    l.step = scaleStep(maxCount);
    l.pixelsPerCount = static_cast<long double>(l.gridPitch) / l.step;
    return l;
}

HorizontalLayout horizontalLayout(QSize recorded, int h, qint64 entries)
{
    HorizontalLayout l;
    const qint64 n = std::max<qint64>(entries, 0);
    l.h = h;
    const int aim = roundEven(recorded.width() * 2 / 3.0L); // two thirds of the width
    l.gap = std::max(3, roundEven(static_cast<long double>(aim - 3 * h - n * h) / (n + 1)));
    l.neededHeight = 3 * h + n * h + (n + 1) * l.gap;
    l.grows = recorded.height() < l.neededHeight;
    l.pictureHeight = std::max<qint64>(recorded.height(), l.neededHeight);
    return l;
}

int horizontalAxisX(int labelColumn, int h, int width)
{
    return std::min(labelColumn + h, roundEven(width / 3.0L));
}

int horizontalGridPitch(int width, int axisX, int h, int maxCountWidth)
{
    return roundEven((width - axisX - 2 * h - maxCountWidth) / 5.0L) + 1;
}

PieGeometry pieGeometry(int height)
{
    PieGeometry g;
    g.height = height;
    g.width = roundEven(height / 2.0L * 3);
    g.cx = g.width / 2;
    g.cy = height / 2;
    g.r1 = roundEven(0.45L * height);
    g.r2 = roundEven(0.35L * height);
    g.nameLimit = roundEven(0.6L * g.r2);
    return g;
}

QPoint piePoint(int cx, int cy, int r, long double angle)
{
    return QPoint(roundEven(cx - std::cos(angle) * r), roundEven(cy - std::sin(angle) * r));
}

int labelRotation(long double midAngle)
{
    return 3600 - roundEven(midAngle * 180 * 10 / kHalfTurn);
}

bool isFlipped(int rotation)
{
    return rotation > 900 && rotation < 2700;
}

QVector<int> innerColourCycle(qint64 entries)
{
    QVector<int> colours;
    if (entries <= 0)
        return colours;
    colours.reserve(entries);
    for (qint64 i = 0; i + 1 < entries; ++i)
        colours.append(static_cast<int>(i % 3));
    colours.append(entries % 3 == 1 ? 1 : static_cast<int>((entries - 1) % 3));
    return colours;
}

} // namespace ChartLayout
