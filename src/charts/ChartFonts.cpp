#include "ChartFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace ChartFonts {

namespace {

QFont crispFont(int pixels)
{
    QFont font(kFamily);
    font.setPixelSize(pixels);
    // Merging stays on: a character the bundled face lacks (Chinese, Arabic,
    // emoji) is drawn from a system face that has it instead of as a box.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    // Plain text output does not kern; it also keeps a text's width the sum of
    // its characters' widths, which the name cutting relies on.
    font.setKerning(false);
    return font;
}

} // namespace

bool ensureLoaded()
{
    // Retried until it works: a call before the application object exists fails.
    static bool loaded = false;
    if (!loaded) {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(":/charts/fonts/LiberationSans-Regular.ttf"));
        loaded = id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(kFamily);
    }
    return loaded;
}

int pixelSize(int points, int dpi)
{
    // Points × dpi / 72, halves away from zero, as integer arithmetic.
    return (points * dpi * 2 + 72) / 144;
}

QFont chartFont(int dpi)
{
    return crispFont(pixelSize(8, dpi));
}

QFont pieFont(int dpi)
{
    return crispFont(pixelSize(10, dpi));
}

} // namespace ChartFonts
