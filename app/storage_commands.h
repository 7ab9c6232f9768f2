#pragma once

#include "store/data_folder.h"
#include "store/storage_rules.h"

#include <QObject>
#include <QString>

class PaymentGrid;
struct PrefItems;
struct Services;

// The Store menu's commands and the monthly backup: copies of the payment log in the data folder, the
// backup file of the user's choice, and showing a stored copy in the grid.
//
// While the grid shows a stored copy, db.db still holds the log. A command that rewrites db.db from the
// grid calls keepLogBeforeRewrite() first, so that the log's records are never lost by viewing an old copy.
class StorageCommands final : public QObject {
    Q_OBJECT

public:
    StorageCommands(PaymentGrid& grid, ProgramFiles files, const PrefItems& prefs, Services& services,
                    QObject* parent = nullptr);

    // Backup: the log into the data folder under the storage name.
    void Savemnu_Click();
    // Recover: a stored copy chosen by the user is shown in the grid.
    void Rcovermnu_Click();
    // Copies the log to the backup file once a month.
    void BackUpLogMonthly();
    // The load's backup step: only when MnBK is set and the grid holds a record.
    void backUpAtLoad();

    // Copies the log under the storage name and reports a failure with the Backup command's own message; a
    // success is not shown. The start-of-year storage builds on it.
    Storage::StoredCopy storeLog();

    // To be called right before db.db is rewritten from the grid. While the grid shows a stored copy, the
    // current log is first kept as a storage copy in the data folder and the user is told where. False when
    // that copy could not be made: then db.db must not be rewritten.
    bool keepLogBeforeRewrite();
    bool viewingRecoveredCopy() const { return !m_recoveredCopy.isEmpty(); }
    const QString& recoveredCopy() const { return m_recoveredCopy; }
    // The grid shows the log again (it was emptied with the log, or the log itself was loaded).
    void showingLog();

    const ProgramFiles& files() const { return m_files; }

    // "Data Base Stored as", a line break and the copy's name.
    static QString storedAsText(const QString& name);

Q_SIGNALS:
    // What the window title adds while the grid shows a stored copy; empty once it shows the log again.
    void titleNoteChanged(const QString& note);

private:
    Storage::StoredCopy storeLogAs(const QString& name);
    void failCopy();

    PaymentGrid& m_grid;
    ProgramFiles m_files;
    const PrefItems& m_prefs;
    Services& m_services;
    QString m_recoveredCopy; // the stored copy the grid shows; empty while it shows the log
};
