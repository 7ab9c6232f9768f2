#include "store/log_file.h"

#include "store/data_folder.h"
#include "store/payment_grid.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool rewriteLog(const QString& path, const PaymentGrid& grid) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!grid.writeLog(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    restrictToOwner(path);
    return true;
}
