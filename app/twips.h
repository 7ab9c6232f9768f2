#pragma once

#include <QRect>

// Window positions and sizes are designed in twips; 15 twips make one device-independent pixel and Qt scales
// those for high-DPI screens.
constexpr int twips(int value) {
    return (value + (value >= 0 ? 7 : -7)) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
