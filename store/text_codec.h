#pragma once

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The program's files hold Windows-1252 bytes on every platform; texts cross into and out of that code
// page here and nowhere else.
namespace TextCodec {

QString decode(QByteArrayView bytes);
// No value when the text holds a character that Windows-1252 cannot hold.
std::optional<QByteArray> encode(const QString& text);

enum class Field { Free, NoSeparator };
// Whether a typed text can be kept in the files as it is: no control character, no character outside the
// code page and, for fields that end at a "|", no "|".
bool isStorable(const QString& text, Field field = Field::Free);

} // namespace TextCodec
