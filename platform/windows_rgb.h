#pragma once

#include <QColor>

// Colours are kept as Windows RGB values: red in the low byte, then green, then blue.
inline QColor fromWindowsRgb(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}
inline int toWindowsRgb(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
