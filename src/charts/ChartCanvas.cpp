#include "ChartCanvas.h"

#include "ChartFonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// A dotted pen: three pixels on, three off, from the line's start.
constexpr int kDotOn = 3;
constexpr int kDotPeriod = 6;

} // namespace

ChartCanvas::ChartCanvas(QImage& image) : m_image(image), m_painter(&image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    setFont(ChartFonts::chartFont(image.logicalDpiY()));
}

void ChartCanvas::setPen(const QColor& colour, int width, PenStyle style)
{
    m_penColour = colour;
    m_penWidth = std::max(1, width);
    m_penStyle = style;
}

void ChartCanvas::setFont(const QFont& font, int rotation)
{
    m_font = font;
    m_rotation = rotation;
    const QFontMetricsF metrics(font, &m_image);
    m_ascent = static_cast<int>(std::ceil(metrics.ascent()));
    m_descent = static_cast<int>(std::ceil(metrics.descent()));
}

void ChartCanvas::setClip(int left, int top, int right, int bottom)
{
    m_painter.setClipRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

int ChartCanvas::textWidth(const QString& text) const
{
    return QFontMetrics(m_font, &m_image).horizontalAdvance(text);
}

namespace {
// More characters than can fit in limit pixels: every character but the
// rare zero-width ones is at least a pixel wide.
qsizetype charactersPast(int limit)
{
    return 4 * qsizetype(std::max(limit, 0)) + 64;
}

// Never half a character at either end of a cut.
QString headOf(const QString& text, qsizetype n)
{
    if (n >= text.size())
        return text;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}
} // namespace

int ChartCanvas::textWidthUpTo(const QString& text, int limit) const
{
    const QString head = headOf(text, charactersPast(limit));
    const int width = textWidth(head);
    return head.size() < text.size() ? std::max(width, limit + 1) : width;
}

QString ChartCanvas::visibleTail(const QString& text, int limit) const
{
    qsizetype n = charactersPast(limit);
    if (n >= text.size())
        return text;
    if (text.at(text.size() - n).isLowSurrogate())
        --n;
    return text.right(n);
}

QString ChartCanvas::cutToWidth(const QString& whole, int limit) const
{
    const QFontMetrics metrics(m_font, &m_image);
    const QString text = headOf(whole, charactersPast(limit));
    if (text.size() == whole.size() && metrics.horizontalAdvance(text) <= limit)
        return text;
    // Dropping one character at a time from the end stops at the longest prefix
    // that fits. Without kerning a prefix is never wider than a longer one, so
    // a binary search finds the same prefix without measuring every length.
    qsizetype fits = 0, tooWide = text.size();
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= limit)
            fits = middle;
        else
            tooWide = middle;
    }
    if (fits > 0 && text.at(fits - 1).isHighSurrogate())
        --fits; // never leave half a character
    return text.left(fits);
}

void ChartCanvas::fillBox(int left, int top, int right, int bottom, const QColor& colour)
{
    // Clip first: coordinates may lie far outside, and their difference must not overflow.
    left = std::clamp(left, 0, m_image.width());
    right = std::clamp(right, 0, m_image.width());
    top = std::clamp(top, 0, m_image.height());
    bottom = std::clamp(bottom, 0, m_image.height());
    if (right > left && bottom > top)
        m_painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

void ChartCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top)
        return;
    if (m_brushSolid)
        fillBox(left, top, right, bottom, m_brushColour);
    fillBox(left, top, right, top + 1, m_penColour);
    fillBox(left, bottom - 1, right, bottom, m_penColour);
    fillBox(left, top, left + 1, bottom, m_penColour);
    fillBox(right - 1, top, right, bottom, m_penColour);
}

void ChartCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top || right <= 0 || bottom <= 0 || left >= m_image.width() ||
        top >= m_image.height())
        return;
    m_painter.setPen(QPen(m_penColour, 0));
    m_painter.setBrush(m_brushSolid ? QBrush(m_brushColour) : QBrush(Qt::NoBrush));
    // A QRect of width w covers w + 1 pixels when outlined.
    m_painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

namespace {

// Pixels of a line from `from` toward `to`, end point excluded, as runs
// [begin, end) along that axis: one run, or the dots of a dotted pen.
template <typename Fill> void forEachRun(int from, int to, bool dotted, Fill fill)
{
    const int length = std::abs(to - from);
    const int step = dotted ? kDotPeriod : std::max(length, 1);
    const int run = dotted ? kDotOn : length;
    for (int k = 0; k < length; k += step) {
        const int stop = std::min(k + run, length);
        if (from < to)
            fill(from + k, from + stop);
        else
            fill(from - stop + 1, from - k + 1);
    }
}

} // namespace

void ChartCanvas::hLine(int x1, int x2, int y)
{
    const int top = y - m_penWidth / 2; // a wide pen grows up as much as down
    forEachRun(x1, x2, m_penStyle == PenStyle::Dotted, [&](int begin, int end) {
        fillBox(begin, top, end, top + m_penWidth, m_penColour);
    });
}

void ChartCanvas::vLine(int x, int y1, int y2)
{
    const int left = x - m_penWidth / 2;
    forEachRun(y1, y2, m_penStyle == PenStyle::Dotted, [&](int begin, int end) {
        fillBox(left, begin, left + m_penWidth, end, m_penColour);
    });
}

void ChartCanvas::line(int x1, int y1, int x2, int y2)
{
    if (y1 == y2) {
        hLine(x1, x2, y1);
    } else if (x1 == x2) {
        vLine(x1, y1, y2);
    } else {
        // Only the pie's hairlines are slanted; plain solid lines are enough there.
        m_painter.setPen(QPen(m_penColour, m_penWidth == 1 ? 0 : m_penWidth));
        m_painter.drawLine(x1, y1, x2, y2);
    }
}

double ChartCanvas::sweepDegrees(QPointF centre, QPoint first, QPoint second)
{
    // Screen y grows downward; counter-clockwise on screen is a growing angle here.
    const double a1 = std::atan2(centre.y() - first.y(), first.x() - centre.x());
    const double a2 = std::atan2(centre.y() - second.y(), second.x() - centre.x());
    double sweep = qRadiansToDegrees(a2 - a1);
    while (sweep < 0)
        sweep += 360;
    while (sweep >= 360)
        sweep -= 360;
    return sweep;
}

void ChartCanvas::pie(int x1, int y1, int x2, int y2, QPoint first, QPoint second)
{
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top)
        return;
    m_painter.setPen(QPen(m_penColour, 0));
    m_painter.setBrush(m_brushSolid ? QBrush(m_brushColour) : QBrush(Qt::NoBrush));
    const QRect box(left, top, right - left - 1, bottom - top - 1);
    if (first == second) {
        m_painter.drawEllipse(box);
        return;
    }
    const QPointF centre((left + right) / 2.0, (top + bottom) / 2.0);
    const double start =
        qRadiansToDegrees(std::atan2(centre.y() - first.y(), first.x() - centre.x()));
    const int span16 = qRound(sweepDegrees(centre, first, second) * 16);
    if (span16 == 0) {
        // Thinner than the angle resolution: what remains of it is its radius.
        m_painter.drawLine(centre, first);
        return;
    }
    m_painter.drawPie(box, qRound(start * 16), span16);
}

void ChartCanvas::textOut(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    // Most of a long list's texts can lie beyond the picture; skip them cheaply.
    if (m_rotation == 0 && (x >= m_image.width() || y >= m_image.height() || y + textHeight() <= 0))
        return;
    m_painter.save();
    m_painter.translate(x, y);
    if (m_rotation != 0)
        m_painter.rotate(-m_rotation / 10.0);
    if (m_brushSolid)
        m_painter.fillRect(QRect(0, 0, textWidth(text), textHeight()), m_brushColour);
    m_painter.setPen(m_fontColour);
    m_painter.setFont(m_font);
    m_painter.drawText(0, m_ascent, text);
    m_painter.restore();
}
