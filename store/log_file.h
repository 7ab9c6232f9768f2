#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Appends bytes to a file, creating it when missing (readable by its owner only). False when nothing or not
// everything could be written; a partly written line is cut off again, so the file never ends in half a
// record.
bool appendToFile(const QString& path, const QByteArray& bytes);
// The same on an open device; tests hand it a failing one.
bool appendToDevice(QIODevice& device, const QByteArray& bytes);
