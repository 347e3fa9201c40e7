#pragma once

#include <QImage>
#include <QString>

class QPrinter;

// Prints the picture on one landscape page, stretched onto the page rectangle
// of the print rule. An empty picture prints a white area of pictureArea.
// False with a message when the printer could not start the document.
bool printPicture(QPrinter& printer, const QImage& picture, const QSize& pictureArea,
                  QString* error);

// The message shown where no printer is installed.
QString noPrinterMessage();
