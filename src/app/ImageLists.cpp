#include "ImageLists.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRegion>

#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kSize = 16;
constexpr int kToolbarCount = 47;
constexpr int kTreeCount = 6;

// Flat palette shared by every image, so the lists look like one set.
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperLine(0x8c, 0xa6, 0xc8);
const QColor kTextLine(0x60, 0x66, 0x70);
const QColor kFolderBack(0xe6, 0xae, 0x2a);
const QColor kFolderFront(0xfc, 0xd3, 0x5c);
const QColor kGreen(0x43, 0xa0, 0x47);
const QColor kBlue(0x2f, 0x7b, 0xd6);
const QColor kRed(0xe5, 0x48, 0x3c);
const QColor kYellow(0xfb, 0xc0, 0x2d);
const QColor kOrange(0xf5, 0x8a, 0x1f);
const QColor kGrey(0xa4, 0xa8, 0xae);
const QColor kSelectedPaper(0xcf, 0xe3, 0xff);
const QColor kSelectedLine(0x3a, 0x6f, 0xc4);

QColor outlineOf(const QColor& fill)
{
    return fill.darker(175);
}

// Larger scales draw the same image on more pixels, for scaled windows and
// high-density screens.
QImage blankImage(int scale)
{
    QImage image(kSize * scale, kSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void fillRegion(QPainter& p, const QRegion& region, const QColor& color)
{
    for (const QRect& r : region)
        p.fillRect(r, color);
}

// A shape built from whole pixels: its border pixels take the outline colour
// and the rest the fill, which keeps straight edges sharp at 16 x 16.
void pixelShape(QPainter& p, const QRegion& shape, const QColor& fill, const QColor& outline)
{
    const QRegion inner = shape.intersected(shape.translated(1, 0))
                              .intersected(shape.translated(-1, 0))
                              .intersected(shape.translated(0, 1))
                              .intersected(shape.translated(0, -1));
    fillRegion(p, shape, outline);
    fillRegion(p, inner, fill);
}

void pixelShape(QPainter& p, const QRegion& shape, const QColor& fill)
{
    pixelShape(p, shape, fill, outlineOf(fill));
}

// A smooth shape with a one-pixel outline. Vertices sit on pixel centres, so
// horizontal and vertical edges still land on whole pixels.
void smoothShape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(outline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void smoothShape(QPainter& p, const QPainterPath& path, const QColor& fill)
{
    smoothShape(p, path, fill, outlineOf(fill));
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Pixel pattern: 'X' marks a pixel, anything else leaves it alone.
void pattern(QPainter& p, int x, int y, std::initializer_list<const char*> rows,
             const QColor& color)
{
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col] != '\0'; ++col) {
            if (line[col] == 'X')
                p.fillRect(x + col, y + row, 1, 1, color);
        }
        ++row;
    }
}

// ---- shared parts -----------------------------------------------------

// A sheet of paper with a folded top-right corner; l, t, r, b are the
// outermost pixels.
void sheet(QPainter& p, int l, int t, int r, int b, const QColor& fill, const QColor& outline)
{
    constexpr int fold = 3;
    const double L = l + 0.5, T = t + 0.5, R = r + 0.5, B = b + 0.5;
    smoothShape(p, polygonPath({{L, T}, {R - fold, T}, {R, T + fold}, {R, B}, {L, B}}), fill,
                outline);
    smoothShape(p, polygonPath({{R - fold, T}, {R - fold, T + fold}, {R, T + fold}}),
                fill.darker(112), outline);
}

// A folder whose top-left pixel is (x, y); it is 14 x 12 pixels.
void folder(QPainter& p, int x, int y)
{
    const QRegion back = QRegion(x, y, 6, 3) + QRegion(x, y + 2, 14, 10);
    pixelShape(p, back, kFolderBack);
    pixelShape(p, QRegion(x, y + 4, 14, 8), kFolderFront, outlineOf(kFolderBack));
}

// A green plus in the bottom-right corner, the "new" badge.
void plusBadge(QPainter& p)
{
    const QRegion plus = QRegion(9, 6, 4, 10) + QRegion(6, 9, 10, 4);
    pixelShape(p, plus, kGreen.lighter(110), outlineOf(kGreen));
}

// A play arrow pointing right.
void playArrow(QPainter& p, double l, double t, double b, double tip, const QColor& fill)
{
    smoothShape(p, polygonPath({{l, t}, {tip, (t + b) / 2}, {l, b}}), fill);
}

QPainterPath starPath(double cx, double cy, double outer, double inner)
{
    constexpr double pi = 3.14159265358979323846;
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = -pi / 2 + i * pi / 5;
        const QPointF point(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

const char* const kDigits[10][5] = {
    {"XXX", "X.X", "X.X", "X.X", "XXX"}, {".X.", "XX.", ".X.", ".X.", "XXX"},
    {"XXX", "..X", "XXX", "X..", "XXX"}, {"XXX", "..X", "XXX", "..X", "XXX"},
    {"X.X", "X.X", "XXX", "..X", "..X"}, {"XXX", "X..", "XXX", "..X", "XXX"},
    {"XXX", "X..", "XXX", "X.X", "XXX"}, {"XXX", "..X", "..X", ".X.", ".X."},
    {"XXX", "X.X", "XXX", "X.X", "XXX"}, {"XXX", "X.X", "XXX", "..X", "XXX"},
};

void digit(QPainter& p, int x, int y, int d, const QColor& color)
{
    const auto& rows = kDigits[d];
    pattern(p, x, y, {rows[0], rows[1], rows[2], rows[3], rows[4]}, color);
}

// ---- toolbar images -----------------------------------------------------

// Placeholder for an index the program never shows: a coloured tile with the
// index written on it, so a wrong index is easy to spot.
void drawGeneric(QPainter& p, int index)
{
    const QColor fill = QColor::fromHsv((index * 47) % 360, 110, 190);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    smoothShape(p, tile, fill);
    if (index >= 10) {
        digit(p, 4, 6, index / 10, Qt::white);
        digit(p, 8, 6, index % 10, Qt::white);
    } else {
        digit(p, 6, 6, index, Qt::white);
    }
}

void drawStartOpen(QPainter& p)
{
    playArrow(p, 3.5, 1.5, 14.5, 12.5, kGrey);
}

void drawStopStart(QPainter& p)
{
    playArrow(p, 1.5, 0.5, 12.5, 10.5, kGreen);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath check;
    check.moveTo(7.5, 11);
    check.lineTo(10, 13.5);
    check.lineTo(14.5, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);
    p.setPen(QPen(outlineOf(kGreen), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);
    p.restore();
}

void drawNewTitleGroup(QPainter& p)
{
    folder(p, 0, 1);
    plusBadge(p);
}

void drawNewTitle(QPainter& p)
{
    sheet(p, 1, 0, 11, 14, kPaper, outlineOf(kPaper));
    for (int y : {5, 7, 9})
        p.fillRect(3, y, 5, 1, kPaperLine);
    p.fillRect(3, 3, 4, 1, kPaperLine);
    plusBadge(p);
}

void drawHelp(QPainter& p)
{
    QPainterPath circle;
    circle.addEllipse(QPointF(8, 8), 7, 7);
    smoothShape(p, circle, kBlue);
    pattern(p, 5, 4,
            {".XXXX.", "XX..XX", "....XX", "...XX.", "..XX..", "......", "..XX..", "..XX.."},
            Qt::white);
}

void drawPieChart(QPainter& p)
{
    // Centred on a pixel centre so the vertical edge between slices stays sharp.
    const QRectF box(0.5, 0.5, 14, 14);
    const QPointF centre = box.center();
    const QColor outline(0x3a, 0x44, 0x55);
    struct Slice
    {
        double start, span;
        QColor color;
    };
    for (const Slice& s : {Slice{90, 200, kBlue}, Slice{290, 110, kRed}, Slice{40, 50, kYellow}}) {
        QPainterPath path(centre);
        path.arcTo(box, s.start, s.span);
        path.closeSubpath();
        smoothShape(p, path, s.color, outline);
    }
}

// Axes shared by both bar charts.
void chartAxes(QPainter& p)
{
    const QColor axis = outlineOf(kGrey);
    p.fillRect(0, 0, 1, 16, axis);
    p.fillRect(0, 15, 16, 1, axis);
}

void drawBarChart(QPainter& p)
{
    chartAxes(p);
    pixelShape(p, QRegion(2, 8, 4, 7), kBlue);
    pixelShape(p, QRegion(7, 2, 4, 13), kRed);
    pixelShape(p, QRegion(12, 5, 4, 10), kGreen);
}

void drawHorizontalBarChart(QPainter& p)
{
    chartAxes(p);
    pixelShape(p, QRegion(1, 1, 9, 4), kBlue);
    pixelShape(p, QRegion(1, 6, 14, 4), kRed);
    pixelShape(p, QRegion(1, 11, 6, 4), kGreen);
}

void drawWordReport(QPainter& p)
{
    sheet(p, 3, 0, 14, 15, kPaper, outlineOf(kPaper));
    for (int y : {11, 13})
        p.fillRect(5, y, 8, 1, kPaperLine);
    for (int y : {5, 7})
        p.fillRect(12, y, 2, 1, kPaperLine);
    pixelShape(p, QRegion(0, 1, 11, 9), kBlue);
    pattern(p, 2, 3, {"X.....X", "X.....X", "X..X..X", "X.X.X.X", ".X...X."}, Qt::white);
}

void drawTextReport(QPainter& p)
{
    sheet(p, 2, 0, 13, 15, kPaper, outlineOf(kPaper));
    const struct
    {
        int y, length;
    } lines[] = {{3, 5}, {5, 8}, {7, 7}, {9, 8}, {11, 5}, {13, 7}};
    for (const auto& line : lines)
        p.fillRect(4, line.y, line.length, 1, kTextLine);
}

void drawReplace(QPainter& p)
{
    // Upper arrow to the right, lower arrow to the left: one item swapped for another.
    smoothShape(
        p,
        polygonPath(
            {{0.5, 2.5}, {8.5, 2.5}, {8.5, 0.5}, {12.5, 4.5}, {8.5, 8.5}, {8.5, 6.5}, {0.5, 6.5}}),
        kBlue);
    smoothShape(p,
                polygonPath({{15.5, 9.5},
                             {7.5, 9.5},
                             {7.5, 7.5},
                             {3.5, 11.5},
                             {7.5, 15.5},
                             {7.5, 13.5},
                             {15.5, 13.5}}),
                kOrange);
}

void drawSave(QPainter& p)
{
    const QColor body(0x3f, 0x6f, 0xb5);
    smoothShape(p, polygonPath({{0.5, 0.5}, {12.5, 0.5}, {15.5, 3.5}, {15.5, 15.5}, {0.5, 15.5}}),
                body);
    // Metal shutter with its window.
    pixelShape(p, QRegion(4, 0, 8, 6), QColor(0xd6, 0xda, 0xe0), outlineOf(body));
    p.fillRect(8, 1, 2, 4, outlineOf(body));
    // Label.
    pixelShape(p, QRegion(2, 8, 12, 8), kPaper, outlineOf(body));
    for (int y : {10, 12})
        p.fillRect(4, y, 8, 1, kPaperLine);
}

void drawDefault(QPainter& p, bool marked)
{
    const QPainterPath star = starPath(8, 8.6, 7.6, 3.1);
    if (marked)
        smoothShape(p, star, kYellow);
    else
        smoothShape(p, star, QColor(0xff, 0xfb, 0xec), outlineOf(kYellow));
}

QImage drawToolbar(int index, int scale = 1)
{
    QImage image = blankImage(scale);
    QPainter p(&image);
    p.scale(scale, scale);
    switch (index) {
    case ImageLists::Toolbar::StartOpen:
        drawStartOpen(p);
        break;
    case ImageLists::Toolbar::StopStart:
        drawStopStart(p);
        break;
    case ImageLists::Toolbar::NewTitleGroup:
        drawNewTitleGroup(p);
        break;
    case ImageLists::Toolbar::NewTitle:
        drawNewTitle(p);
        break;
    case ImageLists::Toolbar::Help:
        drawHelp(p);
        break;
    case ImageLists::Toolbar::PieChart:
        drawPieChart(p);
        break;
    case ImageLists::Toolbar::HorizontalBarChart:
        drawHorizontalBarChart(p);
        break;
    case ImageLists::Toolbar::BarChart:
        drawBarChart(p);
        break;
    case ImageLists::Toolbar::WordReport:
        drawWordReport(p);
        break;
    case ImageLists::Toolbar::TextReport:
        drawTextReport(p);
        break;
    case ImageLists::Toolbar::Replace:
        drawReplace(p);
        break;
    case ImageLists::Toolbar::Save:
        drawSave(p);
        break;
    case ImageLists::Toolbar::DefaultMarked:
        drawDefault(p, true);
        break;
    case ImageLists::Toolbar::DefaultUnmarked:
        drawDefault(p, false);
        break;
    default:
        drawGeneric(p, index);
        break;
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// ---- tree images ----------------------------------------------------------

void drawTitle(QPainter& p, bool selected)
{
    const QColor fill = selected ? kSelectedPaper : kPaper;
    const QColor outline = selected ? kSelectedLine : outlineOf(kPaper);
    const QColor line = selected ? kSelectedLine : kPaperLine;
    sheet(p, 3, 1, 12, 14, fill, outline);
    p.fillRect(5, 4, 4, 1, line);
    for (int y : {6, 8, 10, 12})
        p.fillRect(5, y, 6, 1, line);
}

QImage drawTree(int index, int scale = 1)
{
    QImage image = blankImage(scale);
    QPainter p(&image);
    p.scale(scale, scale);
    switch (index) {
    case ImageLists::Tree::InitialGroup:
    case ImageLists::Tree::Group:
        folder(p, 1, 2);
        break;
    case ImageLists::Tree::InitialTitle:
    case ImageLists::Tree::Title:
        drawTitle(p, false);
        break;
    case ImageLists::Tree::SelectedTitle:
        drawTitle(p, true);
        break;
    default: {
        QPainterPath dot;
        dot.addEllipse(QPointF(8, 8), 4, 4);
        smoothShape(p, dot, kGrey);
        break;
    }
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

struct Lists
{
    std::vector<QImage> toolbar;
    std::vector<QImage> tree;
};

const Lists& lists(int scale = 1)
{
    static const auto make = [](int s) {
        Lists l;
        for (int i = 0; i < kToolbarCount; ++i)
            l.toolbar.push_back(drawToolbar(i, s));
        for (int i = 0; i < kTreeCount; ++i)
            l.tree.push_back(drawTree(i, s));
        return l;
    };
    static const Lists scaled[] = {make(1), make(2), make(3)};
    return scaled[qBound(1, scale, 3) - 1];
}

QImage at(const std::vector<QImage>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return QImage();
    return list[static_cast<size_t>(index)];
}

// An icon of every drawn size of an image, so a grown button or a
// high-density screen shows a sharp one.
void addSizes(QIcon& icon, const std::vector<QImage> Lists::*list, int index, QIcon::Mode mode)
{
    for (int scale = 1; scale <= 3; ++scale)
        icon.addPixmap(QPixmap::fromImage(at(lists(scale).*list, index)), mode);
}

} // namespace

namespace ImageLists {

QImage toolbarImage(int index)
{
    return at(lists().toolbar, index);
}

QImage treeImage(int index)
{
    return at(lists().tree, index);
}

int toolbarImageCount()
{
    return kToolbarCount;
}

int treeImageCount()
{
    return kTreeCount;
}

QIcon toolbarIcon(int index)
{
    const QImage image = toolbarImage(index);
    if (image.isNull())
        return QIcon();
    QIcon icon;
    addSizes(icon, &Lists::toolbar, index, QIcon::Normal);
    return icon;
}

QIcon treeIcon(int normal, int selected)
{
    QIcon icon;
    addSizes(icon, &Lists::tree, normal, QIcon::Normal);
    addSizes(icon, &Lists::tree, selected, QIcon::Selected);
    return icon;
}

} // namespace ImageLists
