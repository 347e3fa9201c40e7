#include "PictureBox.h"

#include "platform/Jpeg.h"

#include <QResizeEvent>

PictureBox::PictureBox(const QString& name, const QString& resource, QWidget* parent)
    : QLabel(parent), m_picture(Jpeg::load(resource))
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(1, 1);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (!m_picture.isNull())
        setPixmap(QPixmap::fromImage(
            m_picture.scaled(event->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
