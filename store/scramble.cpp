#include "store/scramble.h"

#include <array>

namespace {

// Both keys are part of the file formats: a creditor list or preferences record written under one value
// can only be read with the same value.
constexpr std::array<unsigned char, 30> creditorKey = {
    0xF3, 0xFE, 0xFE, 0xEF, 0xE9, 0xFA, 0xF3, 0xF2, 0xE6, 0xF7, 0xE8, 0xEA, 0xFC, 0xE3, 0xE4,
    0xEF, 0xFD, 0xE6, 0xF5, 0xF8, 0xFE, 0xE0, 0xF8, 0xF8, 0xF4, 0xFB, 0xF1, 0xFA, 0xF4, 0xF9,
};

constexpr std::array<unsigned char, 45> preferencesKey = {
    0xA2, 0x6D, 0x22, 0x66, 0xA7, 0xDB, 0xB9, 0xAC, 0xD8, 0xF0, 0x2D, 0x31, 0xDC, 0xD4, 0x4D,
    0xA2, 0xD2, 0x0F, 0x13, 0xF3, 0xB6, 0xA6, 0xDF, 0x3D, 0x1D, 0xAB, 0xAE, 0xD7, 0xDC, 0xCB,
    0x78, 0x23, 0xB2, 0xDF, 0xE0, 0x68, 0xC2, 0xBA, 0x2D, 0x77, 0x0E, 0x05, 0xB0, 0x1A, 0xC9,
};

} // namespace

QByteArray ScrambleText(QByteArrayView text, QByteArrayView key) {
    QByteArray out(text.size(), Qt::Uninitialized);
    if (key.isEmpty())
        return text.toByteArray();
    qsizetype k = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto tc = static_cast<unsigned char>(text[i]);
        const auto kc = static_cast<unsigned char>(key[k]);
        out[i] = static_cast<char>(255 - (tc ^ kc));
        k = (k + 1 < key.size()) ? k + 1 : 0;
    }
    return out;
}

QByteArrayView CreditorListKey() {
    return {reinterpret_cast<const char*>(creditorKey.data()), qsizetype(creditorKey.size())};
}

QByteArrayView PreferencesKey() {
    return {reinterpret_cast<const char*>(preferencesKey.data()), qsizetype(preferencesKey.size())};
}
