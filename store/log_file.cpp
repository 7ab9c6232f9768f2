#include "store/log_file.h"

#include "store/data_folder.h"

#include <QFile>
#include <QFileInfo>

bool appendToDevice(QIODevice& device, const QByteArray& bytes) {
    return device.write(bytes) == bytes.size();
}

bool appendToFile(const QString& path, const QByteArray& bytes) {
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    if (!existed)
        restrictToOwner(path);
    const qint64 sizeBefore = file.size();
    const bool written = appendToDevice(file, bytes) && file.flush();
    if (!written)
        file.resize(sizeBefore);
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
