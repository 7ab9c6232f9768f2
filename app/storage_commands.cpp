#include "app/storage_commands.h"

#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/pref_items.h"
#include "store/payment_grid.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString DiskError01Text = QStringLiteral("Error creating File");
const QString DiskError01Title = QStringLiteral("Disk Access Error 01");
const QString DiskError03Text = QStringLiteral("Error creating DataBase Back Up. Check your disk and try again");
const QString DiskError03Title = QStringLiteral("Disk Error 03");

bool sameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

StorageCommands::StorageCommands(PaymentGrid& grid, ProgramFiles files, const PrefItems& prefs, Services& services,
                                 QObject* parent)
    : QObject(parent)
    , m_grid(grid)
    , m_files(std::move(files))
    , m_prefs(prefs)
    , m_services(services) {}

QString StorageCommands::storedAsText(const QString& name) {
    return QStringLiteral("Data Base Stored as\r\n") + name;
}

void StorageCommands::failCopy() {
    m_services.prompter.fail(DiskError01Text, DiskError01Title);
}

Storage::StoredCopy StorageCommands::storeLogAs(const QString& name) {
    const Storage::StoredCopy copy = Storage::storeLogCopy(m_files, name);
    if (!copy.ok)
        failCopy();
    return copy;
}

Storage::StoredCopy StorageCommands::storeLog() {
    return storeLogAs(Storage::storageName(m_prefs, m_services.clock.today()));
}

void StorageCommands::Savemnu_Click() {
    const QString name = Storage::storageName(m_prefs, m_services.clock.today());
    const Storage::StoredCopy copy = storeLogAs(name);
    // A copy that had to take another name, so as not to replace older records, says where it went.
    if (copy.ok && copy.name != name)
        m_services.prompter.inform(storedAsText(copy.name));
}

void StorageCommands::backUpAtLoad() {
    if (m_prefs.isOn(PrefItems::MnBK) && m_grid.holdsRecord(1))
        BackUpLogMonthly();
}

void StorageCommands::BackUpLogMonthly() {
    const QDateTime now = m_services.clock.now();
    if (!Storage::monthlyBackupDue(m_files, now.date()))
        return;
    const QString target = Storage::backupPath(m_prefs, m_files);
    // A relative path would land wherever the program was started from, and the program's own files are
    // never written over: both count as a failed backup.
    const bool copied = QFileInfo(target).isAbsolute() && !Storage::isProgramFile(m_files, target) &&
                        Storage::copyWhole(m_files.paymentLog(), target);
    // The month counts as done either way, so a failing backup is reported once a month, not at every start.
    const bool marked = Storage::writeMarker(Storage::backupMarkerFile(m_files), Storage::backupMarkerLine(), now);
    if (!copied || !marked)
        m_services.prompter.fail(DiskError03Text, DiskError03Title);
}

void StorageCommands::Rcovermnu_Click() {
    Prompt::FileRequest request;
    request.directory = m_files.ProgramFolder();
    request.filter = QStringLiteral("i payment log (*.db)");
    request.suggestedName = QStringLiteral("*.db");
    const QString path = m_services.prompter.openFile(request);
    if (path.isEmpty())
        return;
    // A copy that cannot be read leaves the grid as it was.
    if (!m_grid.loadFile(path).opened)
        return;
    if (sameFile(path, m_files.paymentLog())) {
        showingLog();
        return;
    }
    m_recoveredCopy = path;
    Q_EMIT titleNoteChanged(QStringLiteral("stored copy ") + QFileInfo(path).fileName());
}

void StorageCommands::showingLog() {
    if (m_recoveredCopy.isEmpty())
        return;
    m_recoveredCopy.clear();
    Q_EMIT titleNoteChanged(QString());
}

bool StorageCommands::keepLogBeforeRewrite() {
    if (!viewingRecoveredCopy())
        return true;
    const QString logPath = m_files.paymentLog();
    bool holdsRecords = false;
    if (QFileInfo::exists(logPath)) {
        QFile log(logPath);
        // A log that cannot be read cannot be kept, so it must not be replaced either; neither can something
        // that is not a file, and a pipe would keep the open waiting.
        if (!QFileInfo(logPath).isFile() || !log.open(QIODevice::ReadOnly)) {
            failCopy();
            return false;
        }
        holdsRecords = Storage::recordCount(log.readAll()) > 0;
    }
    if (holdsRecords) {
        const Storage::StoredCopy copy =
            storeLogAs(Storage::dateName(m_services.clock.today()) + QStringLiteral(".db"));
        if (!copy.ok)
            return false;
        m_services.prompter.inform(storedAsText(copy.name));
    }
    // From the rewrite on, db.db holds what the grid shows.
    showingLog();
    return true;
}
