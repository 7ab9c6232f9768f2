#include "app/housekeeping.h"

#include "app/housekeeping_rules.h"
#include "app/main_rules.h"
#include "app/storage_commands.h"
#include "platform/clock.h"
#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/pref_items.h"
#include "store/payment_grid.h"
#include "store/storage_rules.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

Housekeeping::Housekeeping(Services& services, const PrefItems& prefs, PaymentGrid& grid, StorageCommands& storage,
                           EntryBoxes boxes, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_prefs(prefs)
    , m_grid(grid)
    , m_storage(storage)
    , m_boxes(boxes) {
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &Housekeeping::Timer1_Timer);
    Timer1.start();
}

void Housekeeping::setAddEntries(QAction* creditor, QAction* record) {
    m_creditorEntry = creditor;
    m_recordEntry = record;
}

void Housekeeping::setWindowActions(std::function<void()> putOnTop, std::function<void()> applyPreferences) {
    m_putOnTop = std::move(putOnTop);
    m_applyPreferences = std::move(applyPreferences);
}

void Housekeeping::noteLoadTime(const QDateTime& loadedAt) {
    m_loadedAt = loadedAt;
    StartMinute = MainRules::startMinute(loadedAt.time());
}

void Housekeeping::Timer1_Timer() {
    if (m_services.exit.requested())
        return;
    enableAddEntries();
    // The shut-down and the storage wait for the window's load: the minute to count from, the log on screen.
    if (!m_loadedAt.isValid() || shutDownWhenDue())
        return;
    storeAtYearStart();
}

void Housekeeping::enableAddEntries() {
    if (!m_boxes.Combo1)
        return;
    const QString creditor = m_boxes.Combo1->currentText();
    if (m_recordEntry) {
        const QString amount = m_boxes.amount ? m_boxes.amount->text() : QString();
        const QString confirmation = m_boxes.confirmation ? m_boxes.confirmation->text() : QString();
        m_recordEntry->setEnabled(HousekeepingRules::recordAddEnabled(creditor, amount, confirmation));
    }
    if (m_creditorEntry) {
        QStringList listed;
        listed.reserve(m_boxes.Combo1->count());
        for (int i = 0; i < m_boxes.Combo1->count(); ++i)
            listed.append(m_boxes.Combo1->itemText(i));
        m_creditorEntry->setEnabled(HousekeepingRules::creditorAddEnabled(creditor, listed));
    }
}

bool Housekeeping::shutDownWhenDue() {
    if (!HousekeepingRules::shutDownDue(m_prefs, m_loadedAt, m_services.clock.now()))
        return false;
    Timer1.stop();
    m_services.exit.exit(0);
    return true;
}

void Housekeeping::storeAtYearStart() {
    const QDateTime now = m_services.clock.now();
    if (AnnualStorageDone || !HousekeepingRules::yearStartStorageWanted(m_prefs, now.date()))
        return;
    const ProgramFiles& files = m_storage.files();
    AnnualStorageDone = Storage::storageCovers(Storage::markerDate(Storage::storageDateFile(files)), now.date());
    if (AnnualStorageDone)
        return;
    // One attempt per run: no second storage may start while a message of this one is open.
    AnnualStorageDone = true;

    const Storage::StoredCopy stored = m_storage.storeLog();
    // A failed copy has been reported; the log and the grid stay as they are, and no date is recorded, so
    // that the next start tries again.
    if (!stored.ok)
        return;
    Storage::RecordStorageDate(files, now);

    // The copy holds the log's very bytes: only now may the log start anew. A log that cannot be deleted
    // stays on screen as it is, so the grid never shows less than the file holds.
    const QString log = files.paymentLog();
    if (QFile::remove(log) || !QFileInfo::exists(log)) {
        m_grid.clearRows();
        m_storage.showingLog();
    }
    m_services.prompter.inform(StorageCommands::storedAsText(stored.name), QStringLiteral("Jan 1 Storage"));
}

void Housekeeping::setRefreshCaption(const QString& caption) {
    if (caption == set_refresh)
        return;
    set_refresh = caption;
    set_refresh_Change();
}

void Housekeeping::set_refresh_Change() {
    if (set_refresh != u"Refresh")
        return;
    if (RestoreOnTop) {
        RestoreOnTop = false;
        if (m_putOnTop)
            m_putOnTop();
    }
    if (m_applyPreferences)
        m_applyPreferences();
    setRefreshCaption(QString());
}
