#pragma once

#include "Charts.h"
#include "platform/SafeFile.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// What happens to a finished chart picture: where it goes on a printed page
// and how it is written to a file. Nothing here needs a display or a printer.
namespace PictureOutput {

// The save dialog's choices, in the classic "text|pattern" form and as a Qt
// name filter list; see saveTarget for the format each one writes.
inline const QString kSaveFilter = QStringLiteral(
    "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
    "Icons (*.ico)|*.ico");
inline const QString kSaveNameFilters = QStringLiteral(
    "Bitmaps (*.bmp);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;Icons (*.ico)");
inline const QString kDefaultSuffix = QStringLiteral("bmp");

// The chart files written into the data folder for the Word report.
inline const QString kBarChartFile = QStringLiteral("BarChart.bmp");
inline const QString kPieChartFile = QStringLiteral("pie.bmp");
inline const QString kHorizontalChartFile = QStringLiteral("BarChartH.bmp");
QString chartFileName(Charts::Kind kind);

// The rectangle of a page of pageSize (printer pixels) that the picture is
// stretched onto, centred on the page. A picture at least as wide as tall uses
// the whole-number ratios of picture and page and the proportion (1 to 3, the
// page shrinks by that factor); a taller one, such as a grown horizontal chart,
// is placed whole with its own proportions. Empty when either size is empty.
QRect printRect(QSize pictureSize, QSize pageSize, int proportion = 1);

enum class WriteOutcome
{
    Written,
    EmptyPicture,
    Failed
};

// The picture as an uncompressed BMP file, whatever the path's extension.
QByteArray bmpBytes(const QImage& picture);

// Where and in which image format (a Qt format name) a picture saved under a
// chosen name goes. A name whose extension names a format Qt writes, in any
// case, is written in that format; a name without an extension gets the
// chosen type's extension (chosenSuffix, e.g. "jpg") and its format; any other
// name is kept and written in the chosen type's format. BMP when no type is chosen.
struct SaveTarget
{
    QString path;
    QByteArray format;
};
SaveTarget saveTarget(const QString& name, const QString& chosenSuffix);

// Writes the whole picture to path in format (a Qt image format name),
// replacing any file there. An empty picture writes no file (EmptyPicture);
// on failure the old file stays and *error holds the system's message.
WriteOutcome writeImage(const QImage& picture, const QString& path, const QByteArray& format,
                        SafeFile::Purpose purpose, QString* error = nullptr);

// writeImage as BMP, whatever the path's extension.
WriteOutcome writeBmp(const QImage& picture, const QString& path, SafeFile::Purpose purpose,
                      QString* error = nullptr);

// The same as PNG, for pictures used outside the program.
WriteOutcome writePng(const QImage& picture, const QString& path, SafeFile::Purpose purpose,
                      QString* error = nullptr);

} // namespace PictureOutput
