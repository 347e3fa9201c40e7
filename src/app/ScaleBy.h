#pragma once

class QWidget;

// Scales every child of a window by multiplier / divisor: position (where no
// layout places it), fixed sizes, splitter sizes and explicitly set fonts.
void ScaleBy(QWidget* window, int multiplier, int divisor);
