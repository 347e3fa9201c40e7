#pragma once

#include <QSize>

class QWidget;

// A window's size on a screen, from its size on the 800 x 600 design screen:
// height scaled by screen height / 600, width by screen width / 800, truncated.
QSize scaledWindowSize(const QSize& design, const QSize& screen);

// Scales every child of a window by multiplier / divisor: position (where no
// layout places it), fixed sizes, splitter sizes and explicitly set fonts.
void ScaleBy(QWidget* window, int multiplier, int divisor);
