#pragma once

#include <QFont>
#include <QString>

// The faces the charts draw with. They ship inside the program, so a chart is
// the same picture on every machine whatever fonts are installed.
namespace ChartFonts {

// The bundled family that stands in for both chart faces.
inline const QString kFamily = QStringLiteral("Liberation Sans");

// Registers the bundled fonts with the application's font database; later
// calls do nothing. Needs a QGuiApplication. False if the font could not be loaded.
bool ensureLoaded();

// Pixel height of a font of the given point size on a device of dpi dots per
// inch, rounded as the classic canvas does (8 points at 96 dpi give 11).
int pixelSize(int points, int dpi);

// The 8-point face of the bar charts and the 10-point face of the pie chart,
// crisp (no antialiasing, full hinting, no kerning) like a bitmap canvas.
QFont chartFont(int dpi);
QFont pieFont(int dpi);

} // namespace ChartFonts
