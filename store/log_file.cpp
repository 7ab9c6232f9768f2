#include "store/log_file.h"

#include "store/data_folder.h"
#include "store/payment_grid.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Only a regular file, or nothing yet, may be written: a folder or a device in its place (or a link to one)
// is never replaced, and a pipe would make the open wait for a reader that never comes.
bool writableAsFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() || (!info.exists() && !info.isSymLink());
}

// What must come before a new line so that it starts a line of its own: a file edited by hand, or one that
// ends in a line the program could not read, may end without a line break, and the new line would run on
// into its last one. The file is open for reading and appending: the last byte is read through the same
// handle, and the write still goes to the end whatever the position.
QByteArray lineBreakNeeded(QFile& file) {
    const qint64 size = file.size();
    if (size == 0 || !file.seek(size - 1))
        return {};
    char last = 0;
    if (!file.getChar(&last) || last == '\n')
        return {};
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

bool appendToDevice(QIODevice& device, const QByteArray& bytes) {
    return device.write(bytes) == bytes.size();
}

bool appendToFile(const QString& path, const QByteArray& bytes) {
    if (!writableAsFile(path))
        return false;
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    // A new file is made readable by its owner only from its first moment, not after it was made. Unbuffered,
    // so that a write that fails has failed here, and the cut below is not refused for bytes still waiting
    // in a buffer that can never be written.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered, ownerOnly()))
        return false;
    const qint64 sizeBefore = file.size();
    const bool written = appendToDevice(file, lineBreakNeeded(file) + bytes);
    if (!written) {
        // A file made for this line and left empty goes again.
        if (existed)
            file.resize(sizeBefore);
        else
            file.remove();
        return false;
    }
    file.close();
    return file.error() == QFileDevice::NoError;
}

bool commitWhole(QSaveFile& file) {
    // Qt's commit() may put the new file in place even when its last flush failed: on a full disk
    // that would replace a whole file by a cut one. The flush is made and checked here first.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool rewriteLog(const QString& path, const PaymentGrid& grid) {
    if (!writableAsFile(path))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The new content is owner-only before it holds a byte.
    file.setPermissions(ownerOnly());
    if (!grid.writeLog(file)) {
        file.cancelWriting();
        return false;
    }
    if (!commitWhole(file))
        return false;
    restrictToOwner(path);
    return true;
}
