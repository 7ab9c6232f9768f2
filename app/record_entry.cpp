#include "app/record_entry.h"

#include "app/entry_area.h"
#include "app/entry_rules.h"
#include "app/main_rules.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/pref_items.h"
#include "store/data_folder.h"
#include "store/date_text.h"
#include "store/log_file.h"
#include "store/payment_grid.h"
#include "store/text_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

// Focus that moves because a menu, a message box or another program took over is not the user leaving a
// box: the box's leave rules must not run for it.
bool userMovedFocus(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

} // namespace

RecordEntry::RecordEntry(EntryArea& entry, DetailsArea& details, PaymentGrid& grid, const PrefItems& prefs,
                         const QStringList& creditorEntries, const ProgramFiles& files, Services& services,
                         QObject* parent)
    : QObject(parent)
    , m_entry(entry)
    , m_details(details)
    , m_grid(grid)
    , m_prefs(prefs)
    , m_creditorEntries(creditorEntries)
    , m_files(files)
    , m_services(services) {
    m_entry.Combo1->installEventFilter(this);
    m_entry.Combo1->lineEdit()->installEventFilter(this);
    m_entry.DTPicker1->installEventFilter(this);
    for (int i : {2, 3})
        m_entry.Text1[size_t(i)]->installEventFilter(this);
    for (QLineEdit* box : m_details.Text2)
        box->installEventFilter(this);

    // Another creditor typed or chosen: the details shown belong to the old one.
    connect(m_entry.Combo1, &QComboBox::editTextChanged, this, [this] {
        for (QLineEdit* box : m_details.Text2)
            box->clear();
    });
    connect(m_entry.Combo1, &QComboBox::activated, this, [this] { FillCreditorDetails(); });
    connect(m_entry.DTPicker1, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { m_entry.Text1[1]->setText(DateText::format(date)); });
    connect(m_details.Check1, &QCheckBox::toggled, this, &RecordEntry::applyPasswordMask);
}

bool RecordEntry::eventFilter(QObject* watched, QEvent* event) {
    // Every rule here answers the user at a box on screen. A box that is not shown gets no say: above all
    // while the window is being destroyed, when its areas are half gone and a box losing the focus must not
    // add a record.
    if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isVisible())
        return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    QComboBox* combo = m_entry.Combo1;
    const auto& text1 = m_entry.Text1;
    const auto& text2 = m_details.Text2;

    // Keys typed into the creditor box reach the combo box, which hands them to its line edit directly,
    // past this filter; a test may send them to the line edit itself.
    if (type == QEvent::KeyRelease && (watched == combo || watched == combo->lineEdit())) {
        onCreditorKeyReleased(static_cast<QKeyEvent*>(event)->key());
    } else if (type == QEvent::FocusIn) {
        if (watched == combo) {
            onCreditorFocusIn();
        } else if (watched == m_entry.DTPicker1 || watched == text1[2] || watched == text1[3]) {
            Q_EMIT entryFocused();
        } else if (watched == text2[0]) {
            // A new address starts from the scheme, selected so that typing replaces it.
            text2[0]->setText(QStringLiteral("http://"));
            text2[0]->selectAll();
        }
    } else if (type == QEvent::FocusOut && userMovedFocus(event) && !m_busy) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == combo) {
            onCreditorFocusOut();
        } else if (watched == text1[2] && !text1[2]->text().isEmpty()) {
            NormaliseAmount();
        } else if (watched == text1[3] && !text1[3]->text().isEmpty()) {
            AddPaymentRecord();
        } else if (watched == text2[0] && reason == Qt::TabFocusReason) {
            // The details are typed address, user name, password, round and round.
            text2[1]->setFocus(Qt::TabFocusReason);
        } else if (watched == text2[1] && reason == Qt::TabFocusReason) {
            text2[2]->setFocus(Qt::TabFocusReason);
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecordEntry::onCreditorKeyReleased(int key) {
    QComboBox* combo = m_entry.Combo1;
    if (combo->currentText().size() != 1)
        return;
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names.append(combo->itemText(i));
    if (const std::optional<QString> name = EntryRules::completeFirstLetter(names, key)) {
        combo->setEditText(*name);
        combo->lineEdit()->selectAll();
    }
}

void RecordEntry::onCreditorFocusIn() {
    m_entry.Text1[2]->clear();
    m_entry.Text1[3]->clear();
    applyPasswordMask();
    Q_EMIT entryFocused();
}

void RecordEntry::onCreditorFocusOut() {
    QComboBox* combo = m_entry.Combo1;
    const QString name = EntryRules::properCaseName(combo->currentText());
    if (name != combo->currentText())
        combo->setEditText(name);
    FillCreditorDetails();
}

void RecordEntry::FillCreditorDetails() {
    const auto details = EntryRules::creditorDetails(m_creditorEntries, m_entry.Combo1->currentText());
    if (!details)
        return;
    m_details.Text2[0]->setText(details->loginUrl);
    m_details.Text2[1]->setText(details->userName);
    m_details.Text2[2]->setText(details->password);
}

void RecordEntry::applyPasswordMask() {
    m_details.Text2[2]->setEchoMode(m_details.Check1->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
}

void RecordEntry::NormaliseAmount() {
    QLineEdit* amount = m_entry.Text1[2];
    const EntryRules::Amount result = EntryRules::normaliseAmount(amount->text());
    amount->setText(result.text);
    const QScopedValueRollback busy(m_busy, true);
    // Back to the amount once the focus change that brought us here is over, so the selection stays.
    const auto backToAmount = [amount] {
        QTimer::singleShot(0, amount, [amount] {
            amount->setFocus(Qt::OtherFocusReason);
            amount->selectAll();
        });
    };
    if (result.askZero) {
        if (m_services.prompter.ask({QStringLiteral("Are you sure the amount is $0 ?"), Prompt::programTitle(),
                                     Prompt::Buttons::YesNo, Prompt::Icon::None}) == Prompt::Answer::No)
            backToAmount();
    } else if (result.notNumber) {
        m_services.prompter.inform(QStringLiteral("Only numbers can be on this field"));
        backToAmount();
    }
}

bool RecordEntry::duplicateAllowed() {
    if (m_prefs[PrefItems::Dupl] != u"0")
        return true;
    const QString confirmation = m_entry.Text1[3]->text();
    if (confirmation.isEmpty())
        return true;
    const std::optional<QByteArray> wanted = TextCodec::encode(confirmation);
    if (!wanted)
        return true;
    for (int row = m_grid.findCell(PaymentGrid::Confirmation, *wanted); row > 0;
         row = m_grid.findCell(PaymentGrid::Confirmation, *wanted, row + 1)) {
        m_grid.setCurrentCell(row, PaymentGrid::Confirmation);
        const Prompt::Answer answer = m_services.prompter.ask({QStringLiteral("Do you want to add the record anyway?"),
                                                               QStringLiteral("Duplicate Confirmation Number"),
                                                               Prompt::Buttons::OkCancel, Prompt::Icon::None});
        if (answer != Prompt::Answer::Ok)
            return false;
    }
    return true;
}

void RecordEntry::AddPaymentRecord() {
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    const auto& text1 = m_entry.Text1;
    if (text1[2]->text().isEmpty())
        return;
    if (!duplicateAllowed())
        return;
    QComboBox* combo = m_entry.Combo1;
    if (combo->currentText().isEmpty()) {
        combo->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (text1[3]->text().isEmpty()) {
        text1[3]->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The first row without a date takes the record; when every row has one, a new row at the end.
    int row = m_grid.findCell(PaymentGrid::Date, {});
    if (row == 0) {
        m_grid.addRows(1);
        row = m_grid.rows() - 1;
    }
    m_grid.setCell(row, PaymentGrid::Creditor, combo->currentText());
    m_grid.setCell(row, PaymentGrid::Date, MainRules::padDateCell(text1[1]->text()));
    m_grid.setCell(row, PaymentGrid::Payment, text1[2]->text());
    m_grid.setCell(row, PaymentGrid::Confirmation, text1[3]->text());
    m_grid.setCurrentCell(row, m_grid.currentColumn());
    AppendPaymentRecord();
}

bool RecordEntry::AppendPaymentRecord() {
    const int row = m_grid.currentRow();
    if (appendToFile(m_files.paymentLog(), m_grid.recordLine(row))) {
        m_grid.addRows(1);
        return true;
    }
    for (int column = 0; column < PaymentGrid::RecordColumns; ++column)
        m_grid.setCell(row, column, QString());
    m_services.prompter.fail(QStringLiteral("Failed to Save to DataBase"), QStringLiteral("Disk Access Error 02"));
    return false;
}
