#include "TrendChart.h"

#include "charts/ChartCanvas.h"
#include "charts/ChartFonts.h"
#include "charts/ChartPicture.h"

#include <QHash>
#include <algorithm>
#include <array>

using namespace Charts::detail;

namespace TrendChart {

namespace {

// The bar chart's blue first, the pie chart's purples, then colours apart
// from them; "other" is grey.
const std::array<QColor, kNamedItems> kColours{
    QColor(125, 190, 255), QColor(128, 128, 192), QColor(255, 160, 122), QColor(144, 208, 144),
    QColor(255, 215, 0),   QColor(221, 160, 221), QColor(64, 160, 160),  QColor(208, 208, 255)};
const QColor kOther(190, 190, 190);

// The step of the count axis: a whole number of one digit times a power of
// ten, the smallest with which five steps reach the largest stack.
qint64 axisStep(qint64 largest)
{
    for (qint64 power = 1;; power *= 10) {
        for (const qint64 m : {1, 2, 3, 4, 5, 6, 8}) {
            if (m * power * 5 >= largest)
                return m * power;
        }
    }
}

} // namespace

QStringList namedItems(const std::vector<FileTally::PeriodReport>& periods)
{
    QHash<QString, qsizetype> index;
    QStringList names;
    std::vector<qint64> sums;
    for (const FileTally::PeriodReport& p : periods) {
        for (const TallyCounting::CountedItem& item : p.report.items) {
            const QString name = TallyCounting::textOfKey<QByteArrayView>(item.name);
            const auto it = index.constFind(name);
            if (it == index.constEnd()) {
                index.insert(name, names.size());
                names << name;
                sums.push_back(item.count);
            } else {
                sums[size_t(*it)] += item.count;
            }
        }
    }
    std::vector<qsizetype> order(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return sums[size_t(a)] > sums[size_t(b)]; });
    QStringList named;
    for (qsizetype i = 0; i < std::min<qsizetype>(names.size(), kNamedItems); ++i)
        named << names[order[size_t(i)]];
    return named;
}

Picture draw(const std::vector<FileTally::PeriodReport>& periods, QSize size)
{
    Picture picture;
    if (periods.empty())
        return picture;
    const QStringList named = namedItems(periods);
    const qsizetype n = qsizetype(periods.size());
    // Per period, the count of each named item, then the rest.
    std::vector<std::vector<qint64>> stacks(size_t(n),
                                            std::vector<qint64>(size_t(named.size()) + 1));
    bool anyOther = false;
    qint64 largest = 1;
    for (qsizetype p = 0; p < n; ++p) {
        const TallyCounting::CountedReport& r = periods[size_t(p)].report;
        qint64 namedSum = 0;
        for (const TallyCounting::CountedItem& item : r.items) {
            const qsizetype k = named.indexOf(TallyCounting::textOfKey<QByteArrayView>(item.name));
            if (k >= 0) {
                stacks[size_t(p)][size_t(k)] = item.count;
                namedSum += item.count;
            }
        }
        stacks[size_t(p)].back() = r.total - namedSum;
        anyOther = anyOther || r.total > namedSum;
        largest = std::max(largest, r.total);
    }

    ChartFonts::ensureLoaded();
    QImage image = newPicture(size.width(), size.height(), &picture.error);
    if (image.isNull())
        return picture;
    ChartCanvas canvas(image);
    canvas.setFont(ChartFonts::chartFont(kDpi));
    const int width = image.width(), height = image.height();
    const int th = canvas.textHeight();
    canvas.rectangle(0, height, width, 0); // white, black frame

    // The legend on the right: a swatch and the name, at most a fifth of the width.
    QStringList legend = named;
    if (anyOther)
        legend << QStringLiteral("other");
    const int maxName = std::max(20, width / 5);
    int legendWidth = 0;
    for (const QString& name : legend)
        legendWidth = std::max(legendWidth, canvas.textWidthUpTo(name, maxName));
    legendWidth = std::min(legendWidth, maxName) + th + 12;

    const qint64 step = axisStep(largest);
    const int axisX = canvas.textWidth(QString::number(step * 5)) + 10;
    const int top = th + 4;
    const int baseline = height - 2 * th - 4;
    const int rightEnd = width - legendWidth - 8;
    if (rightEnd - axisX < n || baseline - top < 10) {
        return {QImage(),
                QStringLiteral("a picture of %1 x %2 pixels is too small for %3 periods")
                    .arg(width)
                    .arg(height)
                    .arg(n),
                true};
    }
    const double perCount = double(baseline - top) / double(step * 5);

    // Grid and counts of the axis, as the bar chart has them.
    canvas.setFontColour(kBlack);
    canvas.setClearBrush();
    for (int k = 0; k <= 5; ++k) {
        const int y = baseline - int(k * step * perCount + 0.5);
        canvas.setPen(k == 0 ? kBlack : QColor(192, 192, 192), 1,
                      k == 0 ? ChartCanvas::PenStyle::Solid : ChartCanvas::PenStyle::Dotted);
        canvas.line(axisX, y, rightEnd, y);
        const QString label = QString::number(k * step);
        canvas.textOut(axisX - 4 - canvas.textWidth(label), y - th / 2, label);
    }
    canvas.setPen(kBlack);
    canvas.line(axisX, top, axisX, baseline + 1);

    // The bars: one slot per period, two thirds of it filled.
    const double slot = double(rightEnd - axisX) / double(n);
    const int barWidth = std::max(1, int(slot * 2 / 3));
    int labelEvery = 1;
    int widest = 0;
    for (const FileTally::PeriodReport& p : periods)
        widest = std::max(widest, canvas.textWidth(p.name));
    while (labelEvery * slot < widest + 6 && labelEvery < n)
        ++labelEvery;
    for (qsizetype p = 0; p < n; ++p) {
        const int x1 = axisX + int(p * slot + (slot - barWidth) / 2);
        qint64 below = 0;
        for (size_t k = 0; k < stacks[size_t(p)].size(); ++k) {
            const qint64 count = stacks[size_t(p)][k];
            if (count <= 0)
                continue;
            const int y1 = baseline - int(below * perCount + 0.5);
            below += count;
            const int y2 = baseline - int(below * perCount + 0.5);
            if (y1 == y2)
                continue;
            const QColor colour = k < size_t(named.size()) ? kColours[k] : kOther;
            canvas.setPen(colour);
            canvas.setBrush(colour);
            canvas.rectangle(x1, y2, x1 + barWidth, y1);
        }
        if (p % labelEvery == 0) {
            const QString& name = periods[size_t(p)].name;
            const int w = canvas.textWidth(name);
            canvas.setClearBrush();
            canvas.textOut(std::clamp(x1 + barWidth / 2 - w / 2, 2, std::max(2, width - 2 - w)),
                           baseline + 4, name);
        }
    }

    // The legend, top to bottom in stacking order from the base.
    const int legendX = width - legendWidth;
    for (qsizetype k = 0; k < legend.size(); ++k) {
        const int y = top + int(k) * (th + 4);
        const QColor colour = k < named.size() ? kColours[size_t(k)] : kOther;
        canvas.setPen(kBlack);
        canvas.setBrush(colour);
        canvas.rectangle(legendX, y + 1, legendX + th - 2, y + th - 1);
        canvas.setClearBrush();
        canvas.textOut(legendX + th + 4, y, canvas.cutToWidth(legend[k], maxName));
    }
    picture.image = image;
    return picture;
}

} // namespace TrendChart
