#pragma once

#include "charts/Charts.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The Word report as a word-processor document (.docx) written by the program
// itself: heading, "by" line, the report lines and the three chart pictures.
namespace WordReport {

// The document's file type, as desktops name it.
inline const QString kMimeType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document");

// A picture of the report: an image file's bytes, embedded unchanged. Its
// name's suffix (bmp or png) gives its type.
struct Picture
{
    QString fileName;
    QByteArray bytes;
};

// What the document holds.
struct Content
{
    QString heading;         // line 2 of the report + " report"
    QString byLine;          // "by " + the user's name
    QStringList body;        // the report lines from the third on
    QList<Picture> pictures; // side by side: bar, horizontal bar, pie chart
};

// The charts side by side, in this order; each picture is named after its
// chart file in the data folder.
constexpr Charts::Kind kPictureOrder[] = {Charts::Kind::Bar, Charts::Kind::Horizontal,
                                          Charts::Kind::Pie};

// Reads the three chart files of the data folder, in picture order. False,
// with the system's message in *error, when one cannot be read.
bool readChartFiles(const QString& dataFolder, QList<Picture>* pictures, QString* error = nullptr);

// The content made from the report lines (a missing line 2 reads as empty).
Content contentOf(const QStringList& reportLines, const QString& userName);

// The page every report is laid out on: A4 portrait with one-inch margins,
// in English Metric Units (914400 to the inch, 9525 to a pixel at 96 dpi).
constexpr qint64 kEmuPerPixel = 9525;
constexpr qint64 kTextWidthEmu = (11906 - 2 * 1440) * 635;
constexpr qint64 kTextHeightEmu = (16838 - 2 * 1440) * 635;

// The pictures' sizes on the page, in EMU: their pixel size at 96 dpi, all
// scaled down by one factor only when together they would be wider than the
// text or one of them taller than it.
QList<QSize> pictureExtents(const QList<QSize>& pixelSizes);

// The whole .docx package. Empty, with the reason in *error, when a picture
// cannot be read.
QByteArray docxBytes(const Content& content, QString* error = nullptr);

// Where a new report goes: folder + the heading, trimmed, + ".docx"
// ("report.docx" for a heading of blanks), with " (2)", " (3)"... before the
// extension when that name is taken, so no earlier report is ever replaced.
QString freshPath(const QString& folder, const QString& heading);

// Writes the document to path as a whole; on failure nothing is left there
// and *error holds the reason.
bool write(const QString& path, const Content& content, QString* error = nullptr);

} // namespace WordReport
