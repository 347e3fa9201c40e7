#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>

// A drawing surface with the state and pixel rules of a classic bitmap canvas:
// a pen, a brush and a font; shapes given by their corner points, whose box
// excludes the right and bottom edge; lines that exclude their end point;
// no antialiasing. With a solid brush text sits on an opaque cell of the
// brush colour, with a clear brush it is drawn transparently.
class ChartCanvas
{
public:
    enum class PenStyle
    {
        Solid,
        Dotted
    };

    // Draws on image, which must stay alive and unshared while the canvas lives.
    explicit ChartCanvas(QImage& image);

    void setPen(const QColor& colour, int width = 1, PenStyle style = PenStyle::Solid);
    void setBrush(const QColor& colour) { m_brushColour = colour, m_brushSolid = true; }
    void setClearBrush() { m_brushSolid = false; }
    // rotation in tenths of a degree, counter-clockwise, about the text's origin.
    void setFont(const QFont& font, int rotation = 0);
    void setFontColour(const QColor& colour) { m_fontColour = colour; }

    // Limits drawing to the box (right and bottom excluded) until clearClip().
    void setClip(int left, int top, int right, int bottom);
    void clearClip() { m_painter.setClipping(false); }

    int textWidth(const QString& text) const;
    // The width of text when it is at most limit, else some width past it.
    // Only as many characters as could ever fit are measured: a name may be
    // a line of megabytes.
    int textWidthUpTo(const QString& text, int limit) const;
    // The end of text that a right-aligned drawing ending limit pixels from
    // the left edge can show, measured the same way.
    QString visibleTail(const QString& text, int limit) const;
    // text without as many last characters as it takes to be at most limit wide.
    QString cutToWidth(const QString& text, int limit) const;
    // Height of a text cell: ascent and descent each rounded up.
    int textHeight() const { return m_ascent + m_descent; }

    // Outline with the pen, fill with the brush; corners in any order.
    void rectangle(int x1, int y1, int x2, int y2);
    // The ellipse inscribed in the box.
    void ellipse(int x1, int y1, int x2, int y2);
    void line(int x1, int y1, int x2, int y2);
    // The sector of the ellipse inscribed in the box that runs counter-clockwise
    // from the radius through `first` to the radius through `second`. Equal
    // points give the whole ellipse; callers that mean a sliver must not ask.
    void pie(int x1, int y1, int x2, int y2, QPoint first, QPoint second);
    // Text with the top-left corner of its unrotated cell at (x, y).
    void textOut(int x, int y, const QString& text);

    // Counter-clockwise sweep in degrees (0 to 360) from the radius through
    // `first` to the radius through `second`, seen from the centre.
    static double sweepDegrees(QPointF centre, QPoint first, QPoint second);

private:
    void hLine(int x1, int x2, int y);
    void vLine(int x, int y1, int y2);
    void fillBox(int left, int top, int right, int bottom, const QColor& colour);

    QImage& m_image;
    QPainter m_painter;
    QColor m_penColour = Qt::black;
    int m_penWidth = 1;
    PenStyle m_penStyle = PenStyle::Solid;
    QColor m_brushColour = Qt::white;
    bool m_brushSolid = true;
    QFont m_font;
    int m_rotation = 0;
    int m_ascent = 0;
    int m_descent = 0;
    QColor m_fontColour = Qt::black;
};
