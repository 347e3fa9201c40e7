#include "PictureOutput.h"

#include "ChartLayout.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>

namespace PictureOutput {

QString chartFileName(Charts::Kind kind)
{
    switch (kind) {
    case Charts::Kind::Bar:
        return kBarChartFile;
    case Charts::Kind::Horizontal:
        return kHorizontalChartFile;
    case Charts::Kind::Pie:
        return kPieChartFile;
    }
    return QString();
}

QRect printRect(QSize pictureSize, QSize pageSize, int proportion)
{
    const int w = pictureSize.width(), h = pictureSize.height();
    const int pw = pageSize.width(), ph = pageSize.height();
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0)
        return QRect();
    const int s = std::clamp(proportion, 1, 3);
    const int cx = pw / 2, cy = ph / 2;
    const int maxHalfWidth = pw / (2 * s), maxHalfHeight = ph / (2 * s);
    const long double ri = w / h; // whole-number ratios, used as reals
    const long double rp = pw / ph;
    int halfWidth = 0, halfHeight = 0;
    if (ri >= 1) {
        if (ri <= rp) {
            halfWidth = maxHalfWidth;
            halfHeight = ChartLayout::roundEven(maxHalfHeight * ri);
        } else {
            halfWidth = ChartLayout::roundEven(maxHalfWidth / ri);
            halfHeight = maxHalfHeight;
        }
    } else {
        // Taller than wide (ri is 0, which would give no height at all): fit
        // the whole picture, undistorted, into the same half sizes.
        halfHeight = maxHalfHeight;
        halfWidth = ChartLayout::roundEven(static_cast<long double>(halfHeight) * w / h);
        if (halfWidth > maxHalfWidth) {
            halfWidth = maxHalfWidth;
            halfHeight = ChartLayout::roundEven(static_cast<long double>(halfWidth) * h / w);
        }
    }
    return QRect(QPoint(cx - halfWidth, cy - halfHeight), QSize(2 * halfWidth, 2 * halfHeight));
}

namespace {

QByteArray imageBytes(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format))
        return QByteArray();
    return bytes;
}

bool writable(const QString& suffix)
{
    return !suffix.isEmpty() &&
           QImageWriter::supportedImageFormats().contains(suffix.toLower().toLatin1());
}

} // namespace

SaveTarget saveTarget(const QString& name, const QString& chosenSuffix)
{
    const QString chosen = writable(chosenSuffix) ? chosenSuffix.toLower() : QStringLiteral("bmp");
    SaveTarget target{name, chosen.toLatin1()};
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        target.path += QLatin1Char('.') + chosen;
    else if (writable(suffix))
        target.format = suffix.toLower().toLatin1();
    return target;
}

WriteOutcome writeImage(const QImage& picture, const QString& path, const QByteArray& format,
                        SafeFile::Purpose purpose, QString* error)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        if (error)
            *error = QStringLiteral("The picture is empty: no file written.");
        return WriteOutcome::EmptyPicture;
    }
    const QByteArray bytes = imageBytes(picture, format.constData());
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("The picture could not be converted to %1: no file written.")
                         .arg(QString::fromLatin1(format.toUpper()));
        return WriteOutcome::Failed;
    }
    return SafeFile::write(purpose, path, bytes, error) ? WriteOutcome::Written
                                                        : WriteOutcome::Failed;
}

QByteArray bmpBytes(const QImage& picture)
{
    return imageBytes(picture, "BMP");
}

WriteOutcome writeBmp(const QImage& picture, const QString& path, SafeFile::Purpose purpose,
                      QString* error)
{
    return writeImage(picture, path, "BMP", purpose, error);
}

WriteOutcome writePng(const QImage& picture, const QString& path, SafeFile::Purpose purpose,
                      QString* error)
{
    return writeImage(picture, path, "PNG", purpose, error);
}

} // namespace PictureOutput
