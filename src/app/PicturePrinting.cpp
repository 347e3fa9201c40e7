#include "PicturePrinting.h"

#include "charts/PictureOutput.h"

#include <QPainter>
#include <QPrinter>

QString noPrinterMessage()
{
    return QStringLiteral("There is no printer installed. Install a printer, then print again.");
}

bool printPicture(QPrinter& printer, const QImage& picture, const QSize& pictureArea,
                  QString* error)
{
    QImage image = picture;
    if (image.isNull()) {
        image = QImage(pictureArea.isEmpty() ? QSize(1, 1) : pictureArea, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("The printer could not start the document.");
        return false;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = PictureOutput::printRect(image.size(), page.size(), 1);
    painter.drawImage(target, image);
    painter.end();
    return true;
}
