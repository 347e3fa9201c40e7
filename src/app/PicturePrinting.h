#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QPagedPaintDevice;

// Prints the picture on one landscape page of the device (a printer, or a
// PDF writer standing in for one), stretched onto the page rectangle of the
// print rule. An empty picture prints a white area of pictureArea. False
// with a message when the device could not start the document.
bool printPicture(QPagedPaintDevice& device, const QImage& picture, const QSize& pictureArea,
                  QString* error);

// The page printPicture would print, as the bytes of a PDF file: the page
// size, margins and resolution the print system gives a printer, landscape.
// Empty with a message in *error when it could not be made.
QByteArray pictureAsPdf(const QImage& picture, const QSize& pictureArea, QString* error);

// The message shown where no printer is installed.
QString noPrinterMessage();

// The question that follows it: print to a PDF file instead?
QString printToPdfQuestion();
