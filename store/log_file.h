#pragma once

#include <QByteArray>
#include <QString>

class PaymentGrid;
class QIODevice;
class QSaveFile;

// Appends bytes to a file, creating it when missing (readable by its owner only). False when nothing or not
// everything could be written; a partly written line is cut off again, so the file never ends in half a
// record. A file that does not end in a line break gets one before the new bytes, so that they start a line
// of their own. Only a regular file is written: false when something else stands under the name.
bool appendToFile(const QString& path, const QByteArray& bytes);
// The same on an open device; tests hand it a failing one.
bool appendToDevice(QIODevice& device, const QByteArray& bytes);

// Replaces the log with the records of the grid. The new content is complete on disk before it takes the
// old one's place; when anything fails, the old file stays as it was and false is returned. Something that
// is not a regular file under the name (a folder, a device, a link to one) is never replaced.
bool rewriteLog(const QString& path, const PaymentGrid& grid);

// Puts what was written to a QSaveFile in place of the old file, but only when every byte of it reached the
// disk; otherwise the old file stays and false is returned.
bool commitWhole(QSaveFile& file);
