#pragma once

#include <QObject>
#include <QStringList>

class DetailsArea;
class EntryArea;
class PaymentGrid;
class ProgramFiles;
struct PrefItems;
struct Services;

// The entry of one payment: the rules that run as the boxes are typed in, entered and left, the creditor's
// details, and the add command that puts the payment into the grid and the log.
class RecordEntry final : public QObject {
    Q_OBJECT

public:
    RecordEntry(EntryArea& entry, DetailsArea& details, PaymentGrid& grid, const PrefItems& prefs,
                const QStringList& creditorEntries, const ProgramFiles& files, Services& services,
                QObject* parent = nullptr);

    void AddPaymentRecord();
    // Appends the grid's current row to the log and adds an empty row after it. A row that could not be
    // written is emptied again and the user is told: the grid never shows a record the file does not hold.
    bool AppendPaymentRecord();
    void FillCreditorDetails();
    void NormaliseAmount();
    // Shows the password as typed or masked, by the mask box.
    void applyPasswordMask();

Q_SIGNALS:
    // The creditor box, the date picker or an entry box got the focus.
    void entryFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool duplicateAllowed();
    void onCreditorKeyReleased(int key);
    void onCreditorFocusIn();
    void onCreditorFocusOut();

    EntryArea& m_entry;
    DetailsArea& m_details;
    PaymentGrid& m_grid;
    const PrefItems& m_prefs;
    const QStringList& m_creditorEntries;
    const ProgramFiles& m_files;
    Services& m_services;
    bool m_busy = false; // a question is open: focus changes it causes must not start another command
};
