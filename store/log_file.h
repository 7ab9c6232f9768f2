#pragma once

#include <QByteArray>
#include <QString>

class PaymentGrid;
class QIODevice;

// Appends bytes to a file, creating it when missing (readable by its owner only). False when nothing or not
// everything could be written; a partly written line is cut off again, so the file never ends in half a
// record.
bool appendToFile(const QString& path, const QByteArray& bytes);
// The same on an open device; tests hand it a failing one.
bool appendToDevice(QIODevice& device, const QByteArray& bytes);

// Replaces the log with the records of the grid. The new content is complete on disk before it takes the
// old one's place; when anything fails, the old file stays as it was and false is returned.
bool rewriteLog(const QString& path, const PaymentGrid& grid);
