#pragma once

#include <QImage>
#include <QLabel>

// A picture from the program's resources shown scaled to its box, keeping
// its proportions, so it grows with a window scaled to the screen.
class PictureBox : public QLabel
{
public:
    PictureBox(const QString& name, const QString& resource, QWidget* parent = nullptr);

    // The decoded picture at its own size; null when it could not be read.
    const QImage& picture() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_picture;
};
