#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Shared by the three charts; not part of the charts' interface.
namespace Charts::detail {

// Every chart picture has 96 dots per inch, so the 8-point font is 11 pixels.
constexpr int kDpi = 96;
constexpr int kDotsPerMeter = 3780;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
// The system window-text colour of the standard scheme.
const QColor kWindowText(0, 0, 0);

// A fresh white picture of the given size. A null image, with the reason in
// *error, when the size is empty or beyond what a chart may use.
QImage newPicture(qint64 width, qint64 height, QString* error);

} // namespace Charts::detail
