#include "PicturePrinting.h"

#include "charts/PictureOutput.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

QString noPrinterMessage()
{
    return QStringLiteral("There is no printer installed. Install a printer, then print again.");
}

QString printToPdfQuestion()
{
    return noPrinterMessage() + QStringLiteral("\n\nPrint the picture to a PDF file instead?");
}

bool printPicture(QPagedPaintDevice& device, const QImage& picture, const QSize& pictureArea,
                  QString* error)
{
    QImage image = picture;
    if (image.isNull()) {
        image = QImage(pictureArea.isEmpty() ? QSize(1, 1) : pictureArea, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("The printer could not start the document.");
        return false;
    }
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const QRect target = PictureOutput::printRect(image.size(), page.size(), 1);
    painter.drawImage(target, image);
    painter.end();
    return true;
}

QByteArray pictureAsPdf(const QImage& picture, const QSize& pictureArea, QString* error)
{
    // A PDF printer gives the page a printed copy would have; the writer
    // makes it in memory, so the file is written safely like any other.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        if (!printPicture(writer, picture, pictureArea, error))
            return QByteArray();
    }
    if (bytes.isEmpty() && error)
        *error = QStringLiteral("The PDF file could not be made.");
    return bytes;
}
