#pragma once

#include <functional>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class PaymentGrid;
class QAction;
class QComboBox;
class QLineEdit;
class StorageCommands;
struct PrefItems;
struct Services;

// The main window's periodic work, on one 500 ms timer: the Add button's entries follow what is typed, the
// program ends after the chosen minutes, and at the start of a year the log is stored away and a new one
// begun. Also the refresh signal by which the preferences dialog has new preferences applied.
class Housekeeping final : public QObject {
    Q_OBJECT

public:
    // The entry boxes whose texts decide the Add entries: creditor, amount and confirmation.
    struct EntryBoxes {
        QComboBox* Combo1 = nullptr;
        QLineEdit* amount = nullptr;
        QLineEdit* confirmation = nullptr;
    };

    // Timer1 runs from construction on; until noteLoadTime() its ticks only set the Add entries.
    Housekeeping(Services& services, const PrefItems& prefs, PaymentGrid& grid, StorageCommands& storage,
                 EntryBoxes boxes, QObject* parent = nullptr);

    // The "&Creditor" and "&Record" entries that each tick enables or disables; either may be null.
    void setAddEntries(QAction* creditor, QAction* record);
    // What the refresh does to the window: put it back on top, and apply the preferences again.
    void setWindowActions(std::function<void()> putOnTop, std::function<void()> applyPreferences);
    // The automatic shut-down counts from the beginning of the minute in which the window was loaded.
    void noteLoadTime(const QDateTime& loadedAt);

    void Timer1_Timer();

    // The caption of the hidden refresh label; a change raises set_refresh_Change.
    void setRefreshCaption(const QString& caption);
    const QString& refreshCaption() const { return set_refresh; }
    void set_refresh_Change();

    // Set by the Settings command when it takes the window out of the on-top band.
    void setRestoreOnTop(bool restore) { RestoreOnTop = restore; }
    bool restoreOnTop() const { return RestoreOnTop; }
    bool annualStorageDone() const { return AnnualStorageDone; }
    const QString& startMinute() const { return StartMinute; }
    const QTimer& timer() const { return Timer1; }

private:
    void enableAddEntries();
    bool shutDownWhenDue();
    void storeAtYearStart();

    Services& m_services;
    const PrefItems& m_prefs;
    PaymentGrid& m_grid;
    StorageCommands& m_storage;
    EntryBoxes m_boxes;
    QPointer<QAction> m_creditorEntry;
    QPointer<QAction> m_recordEntry;
    std::function<void()> m_putOnTop;
    std::function<void()> m_applyPreferences;

    QTimer Timer1;
    QDateTime m_loadedAt;
    QString StartMinute;
    bool AnnualStorageDone = false;
    bool RestoreOnTop = false;
    QString set_refresh;
};
