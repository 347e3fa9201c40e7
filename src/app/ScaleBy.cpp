#include "ScaleBy.h"

#include <QFont>
#include <QLayout>
#include <QSplitter>
#include <QWidget>

namespace {

int scaled(int value, int m, int d)
{
    return int(qint64(value) * m / d);
}

void scaleWidget(QWidget* w, int m, int d)
{
    QWidget* parent = w->parentWidget();
    if (parent && !parent->layout() && !qobject_cast<QSplitter*>(parent))
        w->setGeometry(scaled(w->x(), m, d), scaled(w->y(), m, d), scaled(w->width(), m, d),
                       scaled(w->height(), m, d));
    if (w->minimumWidth() == w->maximumWidth() && w->minimumWidth() > 0)
        w->setFixedWidth(scaled(w->minimumWidth(), m, d));
    if (w->minimumHeight() == w->maximumHeight() && w->minimumHeight() > 0)
        w->setFixedHeight(scaled(w->minimumHeight(), m, d));
    if (w->testAttribute(Qt::WA_SetFont)) {
        QFont f = w->font();
        if (f.pixelSize() > 0)
            f.setPixelSize(qMax(1, scaled(f.pixelSize(), m, d)));
        else
            f.setPointSizeF(f.pointSizeF() * m / d);
        w->setFont(f);
    }
    if (auto* splitter = qobject_cast<QSplitter*>(w)) {
        QList<int> sizes = splitter->sizes();
        for (int& s : sizes)
            s = scaled(s, m, d);
        splitter->setSizes(sizes);
    }
    const QList<QWidget*> children = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        if (!child->isWindow())
            scaleWidget(child, m, d);
}

} // namespace

QSize scaledWindowSize(const QSize& design, const QSize& screen)
{
    return QSize(int(qint64(screen.width()) * design.width() / 800),
                 int(qint64(screen.height()) * design.height() / 600));
}

void ScaleBy(QWidget* window, int multiplier, int divisor)
{
    if (divisor == 0 || multiplier == divisor)
        return;
    const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        if (!child->isWindow())
            scaleWidget(child, multiplier, divisor);
    if (window->testAttribute(Qt::WA_SetFont)) {
        QFont f = window->font();
        if (f.pixelSize() > 0) {
            // Children that inherit the window's font grow with it; those
            // with their own font were scaled above.
            f.setPixelSize(qMax(1, int(qint64(f.pixelSize()) * multiplier / divisor)));
            window->setFont(f);
        }
    }
}
