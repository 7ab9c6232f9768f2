#include "store/text_codec.h"

#include <array>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// The upper half of the code page, as Qt's own converter reads it; built once, so that decoding the cells
// of a large grid costs no converter per call.
const std::array<char16_t, 128>& upperHalf() {
    static const std::array<char16_t, 128> table = [] {
        std::array<char16_t, 128> t{};
        QByteArray bytes(128, '\0');
        for (int i = 0; i < 128; ++i)
            bytes[i] = char(0x80 + i);
        QStringDecoder decoder("windows-1252");
        const QString text = decoder.decode(bytes);
        for (int i = 0; i < 128; ++i)
            t[i] = i < text.size() ? text.at(i).unicode() : char16_t(0x80 + i);
        return t;
    }();
    return table;
}

} // namespace

namespace TextCodec {

QString decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const auto& table = upperHalf();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b < 0x80 ? char16_t(b) : table[b - 0x80]);
    }
    return text;
}

std::optional<QByteArray> encode(const QString& text) {
    bool ascii = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

bool isStorable(const QString& text, Field field) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return false;
        if (field == Field::NoSeparator && c == u'|')
            return false;
    }
    return encode(text).has_value();
}

} // namespace TextCodec
