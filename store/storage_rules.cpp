#include "store/storage_rules.h"

#include "platform/instance_lock.h"
#include "store/log_file.h"

#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

const QString DateForm = QStringLiteral("MM-dd-yyyy");
const QString OwnFiles[] = {QStringLiteral("db.db"),         QStringLiteral("creditors.dat"),
                            QStringLiteral("lastSv.dat"),    QStringLiteral("MlastSv.dat"),
                            QStringLiteral("seqbreach.log"), InstanceLock::fileName()};

// A name under which something other than a regular file stands (a folder, a device, a link to one or to
// nothing) is never written over.
bool standsInTheWay(const QFileInfo& target) {
    return (target.exists() || target.isSymLink()) && !target.isFile();
}

std::optional<QByteArray> readWhole(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeWhole(const QByteArray& bytes, const QString& to) {
    if (standsInTheWay(QFileInfo(to)))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.setPermissions(ownerOnly());
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    if (!commitWhole(out))
        return false;
    restrictToOwner(to);
    // Read back what landed: a copy counts only when it holds the very bytes it was made from.
    return readWhole(to) == bytes;
}

template <typename Visit> void forEachRecordLine(const QByteArray& bytes, Visit visit) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line(bytes.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            visit(line);
        start = next;
    }
}

} // namespace

namespace Storage {

QString dateName(const QDate& date) {
    return date.toString(DateForm);
}

QString storageName(const PrefItems& prefs, const QDate& today) {
    QString name = prefs.isOn(PrefItems::UsYr) ? dateName(today) : prefs[PrefItems::JanN];
    if (!name.contains(u'.'))
        name += QStringLiteral(".db");
    return name;
}

QString backupPath(const PrefItems& prefs, const ProgramFiles& files) {
    QString path = prefs[PrefItems::MBKF];
    if (path.isEmpty())
        path = files.dataFile(QStringLiteral("db.bak"));
    if (path.indexOf(u'.', 1) < 0)
        path += QStringLiteral(".bak");
    return path;
}

QString storageDateFile(const ProgramFiles& files) {
    return files.dataFile(QStringLiteral("lastSv.dat"));
}

QString backupMarkerFile(const ProgramFiles& files) {
    return files.dataFile(QStringLiteral("MlastSv.dat"));
}

QByteArray storageDateLine(const QDate& date) {
    return dateName(date).toLatin1() + "\r\n";
}

QByteArray backupMarkerLine() {
    return "** Quorvane ** Brellick ** v" + QByteArray::number(QUORVANE_VERSION_MAJOR) + '.' +
           QByteArray::number(QUORVANE_VERSION_MINOR) + " ** - Do Not Remove nor Delete this file\r\n";
}

bool writeMarker(const QString& path, const QByteArray& line, const QDateTime& stamp) {
    if (!writeWhole(line, path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

QDate markerDate(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return info.lastModified().date();
}

bool StoredThisMonth(const ProgramFiles& files, const QDate& today) {
    const QDate stored = markerDate(storageDateFile(files));
    return stored.isValid() && stored.year() == today.year() && stored.month() == today.month();
}

bool RecordStorageDate(const ProgramFiles& files, const QDateTime& now) {
    return writeMarker(storageDateFile(files), storageDateLine(now.date()), now);
}

bool storageCovers(const QDate& stored, const QDate& today) {
    if (!stored.isValid() || stored.year() != today.year())
        return false;
    return stored.month() == today.month() || (stored.month() == 1 && today.month() == 2);
}

bool monthlyBackupDue(const ProgramFiles& files, const QDate& today) {
    const QDate last = markerDate(backupMarkerFile(files));
    // The year counts too: last March's backup says nothing about this March.
    return !last.isValid() || last.year() != today.year() || last.month() != today.month();
}

qsizetype recordCount(const QByteArray& log) {
    qsizetype count = 0;
    forEachRecordLine(log, [&](QByteArrayView) { ++count; });
    return count;
}

bool holdsAllOf(const QByteArray& log, const QByteArray& stored) {
    QHash<QByteArrayView, qsizetype> available;
    forEachRecordLine(log, [&](QByteArrayView line) { ++available[line]; });
    bool all = true;
    forEachRecordLine(stored, [&](QByteArrayView line) {
        auto found = available.find(line);
        if (found == available.end() || found.value() == 0)
            all = false;
        else
            --found.value();
    });
    return all;
}

bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 32)
            return false;
    }
    return true;
}

bool isProgramFile(const ProgramFiles& files, const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    const bool inDataFolder = !folder.isEmpty() && folder == QFileInfo(files.DataFolder()).canonicalFilePath();
    const QString canonical = info.canonicalFilePath();
    for (const QString& file : OwnFiles) {
        if (inDataFolder && info.fileName().compare(file, Qt::CaseInsensitive) == 0)
            return true;
        // A link, or a file system that ignores case, can still lead to one of them.
        if (!canonical.isEmpty() && canonical == QFileInfo(files.dataFile(file)).canonicalFilePath())
            return true;
    }
    return false;
}

bool isReservedName(const ProgramFiles& files, const QString& name) {
    for (const QString& file : OwnFiles) {
        if (name.compare(file, Qt::CaseInsensitive) == 0)
            return true;
    }
    return isProgramFile(files, files.dataFile(name));
}

QString numberedName(const QString& name, int n) {
    const QString number = QStringLiteral(" (%1)").arg(n);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return name + number;
    return name.left(dot) + number + name.mid(dot);
}

bool copyWhole(const QString& from, const QString& to) {
    const std::optional<QByteArray> bytes = readWhole(from);
    return bytes && writeWhole(*bytes, to);
}

StoredCopy storeLogCopy(const ProgramFiles& files, const QString& name) {
    if (!isPlainFileName(name))
        return {};
    const std::optional<QByteArray> log = readWhole(files.paymentLog());
    if (!log)
        return {};
    constexpr int MostNumbers = 999;
    for (int n = 1; n <= MostNumbers; ++n) {
        const QString candidate = n == 1 ? name : numberedName(name, n);
        if (isReservedName(files, candidate))
            continue;
        const QString path = files.dataFile(candidate);
        const QFileInfo target(path);
        if (standsInTheWay(target))
            return {};
        if (target.exists()) {
            const std::optional<QByteArray> stored = readWhole(path);
            if (!stored || !holdsAllOf(*log, *stored))
                continue;
        }
        if (!writeWhole(*log, path))
            return {};
        return {true, candidate};
    }
    return {};
}

} // namespace Storage
