#include "app/entry_area.h"
#include "app/main_window.h"
#include "app/record_entry.h"
#include "prefs/preferences.h"
#include "store/creditor_list.h"

#include "scripted.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

// Record entry driven through the real widgets: keys, focus and the add command.
class TestRecordEntry final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void emptyAmountDoesNothing();
    void emptyCreditorTakesTheFocus();
    void duplicateAskedForEveryMatch();
    void duplicatesAllowed();
    void addThenLeaveAddsTwice();
    void leavingConfirmationAdds();
    void amountLeftAsTyped_data();
    void amountLeftAsTyped();
    void zeroAmountNoKeepsFocus();
    void firstLetterCompletes();
    void leavingCreditorCasesAndFills_data();
    void leavingCreditorCasesAndFills();
    void loginBoxStartsWithScheme();
    void datePickerSetsDateText();
    void passwordsHiddenByPreference();
    void maskBox();

private:
    MainWindow& window();
    void fillEntry(const QString& creditor, const QString& amount, const QString& confirmation);
    void addCreditorEntry(const QString& plain);

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
};

void TestRecordEntry::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->writeData("db.db", "Visa|01/02/2026|5.00|A1\r\nBank|01/03/2026|6.00|B2\r\nAmex|01/04/2026|7.00|A1\r\n");
    m_program->clock.set(QDateTime(QDate(2026, 3, 4), QTime(9, 0)));
}

void TestRecordEntry::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_window.reset();
    m_program.reset();
}

MainWindow& TestRecordEntry::window() {
    if (!m_window)
        m_window = openMainWindow(m_program->services);
    return *m_window;
}

void TestRecordEntry::fillEntry(const QString& creditor, const QString& amount, const QString& confirmation) {
    EntryArea* entry = window().entry();
    entry->Combo1->setEditText(creditor);
    entry->Text1[2]->setText(amount);
    entry->Text1[3]->setText(confirmation);
}

void TestRecordEntry::addCreditorEntry(const QString& plain) {
    QVERIFY(appendCreditorLine(m_program->dataFile("creditors.dat"), plain));
}

void TestRecordEntry::emptyAmountDoesNothing() {
    fillEntry("", "", "");
    window().entry()->Text1[2]->setFocus();
    window().AddPaymentRecord();
    QVERIFY(window().entry()->Text1[2]->hasFocus());
    QCOMPARE(window().grid().cell(4, 0), QString());
}

void TestRecordEntry::emptyCreditorTakesTheFocus() {
    fillEntry("", "12.00", "Z9");
    window().FlexGr->setFocus();
    window().AddPaymentRecord();
    QVERIFY(window().entry()->Combo1->hasFocus());
    // The creditor box taking the focus empties the amount and confirmation.
    QCOMPARE(window().entry()->Text1[2]->text(), QString());
    QCOMPARE(window().entry()->Text1[3]->text(), QString());
    QCOMPARE(m_program->readData("db.db").count('\n'), 3);
}

void TestRecordEntry::duplicateAskedForEveryMatch() {
    const QByteArray before = m_program->readData("db.db");
    fillEntry("Visa", "12.00", "A1");
    m_program->prompter.expect(Prompt::Answer::Ok);
    m_program->prompter.expect(Prompt::Answer::Cancel);
    window().AddPaymentRecord();
    QCOMPARE(m_program->prompter.texts(),
             (QStringList{"Do you want to add the record anyway?", "Do you want to add the record anyway?"}));
    QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Duplicate Confirmation Number"));
    QCOMPARE(m_program->prompter.messages().first().buttons, Prompt::Buttons::OkCancel);
    // The second match was the current cell when the question came.
    QCOMPARE(window().grid().currentRow(), 3);
    QCOMPARE(m_program->readData("db.db"), before);
    QVERIFY(!window().grid().holdsRecord(4));
}

void TestRecordEntry::duplicatesAllowed() {
    m_program->storePreferences({{PrefItems::Dupl, "1"}});
    fillEntry("Visa", "12.00", "A1");
    window().AddPaymentRecord();
    QCOMPARE(window().grid().cell(4, 3), QStringLiteral("A1"));
    QVERIFY(m_program->readData("db.db").endsWith("Visa|03/04/2026|12.00|A1\r\n"));
}

void TestRecordEntry::addThenLeaveAddsTwice() {
    m_program->storePreferences({{PrefItems::Dupl, "1"}});
    fillEntry("Visa", "12.00", "N7");
    window().entry()->Text1[3]->setFocus();
    window().AddPaymentRecord();
    // Leaving the filled confirmation box adds the same payment again, as the user asked twice.
    window().FlexGr->setFocus();
    QCOMPARE(window().grid().cell(4, 3), QStringLiteral("N7"));
    QCOMPARE(window().grid().cell(5, 3), QStringLiteral("N7"));
    QCOMPARE(m_program->readData("db.db").count("N7"), 2);
}

void TestRecordEntry::leavingConfirmationAdds() {
    fillEntry("Visa", "12.00", "");
    QLineEdit* confirmation = window().entry()->Text1[3];
    confirmation->setFocus();
    QTest::keyClicks(confirmation, "Q-55");
    QTest::keyClick(confirmation, Qt::Key_Tab);
    QCOMPARE(window().grid().cell(4, 0), QStringLiteral("Visa"));
    QCOMPARE(window().grid().cell(4, 1), QStringLiteral("03/04/2026"));
    QCOMPARE(window().grid().rows(), 13);
    // The boxes keep their text after the add.
    QCOMPARE(window().entry()->Text1[2]->text(), QStringLiteral("12.00"));
}

void TestRecordEntry::amountLeftAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("number") << "7,5"
                            << "7.50"
                            << "";
    QTest::newRow("grouped") << "1,234.5"
                             << "1.234.5"
                             << "Only numbers can be on this field";
    QTest::newRow("zero") << "0"
                          << "0.00"
                          << "Are you sure the amount is $0 ?";
    QTest::newRow("point") << "."
                           << "0.00"
                           << "Are you sure the amount is $0 ?";
}

void TestRecordEntry::amountLeftAsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QLineEdit* amount = window().entry()->Text1[2];
    amount->setFocus();
    QTest::keyClicks(amount, typed);
    if (!message.isEmpty())
        m_program->prompter.expect(message.startsWith("Are") ? Prompt::Answer::Yes : Prompt::Answer::Ok);
    window().FlexGr->setFocus();
    QCOMPARE(amount->text(), shown);
    QCOMPARE(m_program->prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (message.startsWith("Only")) {
        QTRY_VERIFY(amount->hasFocus());
        QCOMPARE(amount->selectedText(), shown);
    }
}

void TestRecordEntry::zeroAmountNoKeepsFocus() {
    QLineEdit* amount = window().entry()->Text1[2];
    amount->setFocus();
    QTest::keyClicks(amount, "0");
    m_program->prompter.expect(Prompt::Answer::No);
    window().FlexGr->setFocus();
    QCOMPARE(m_program->prompter.messages().first().buttons, Prompt::Buttons::YesNo);
    QTRY_VERIFY(amount->hasFocus());
    QCOMPARE(amount->selectedText(), QStringLiteral("0.00"));
}

void TestRecordEntry::firstLetterCompletes() {
    addCreditorEntry("Amex|u|p|");
    addCreditorEntry("Acme|u|p|");
    QComboBox* combo = window().entry()->Combo1;
    combo->setFocus();
    // Where the desktop sends a typed key: to the focus widget, the combo box, not to its line edit.
    QTest::keyClick(combo, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(combo->currentText(), QStringLiteral("Amex"));
    QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("Amex"));
}

void TestRecordEntry::leavingCreditorCasesAndFills_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("user");
    QTest::newRow("words") << "amex platinum"
                           << "Amex Platinum"
                           << "plat";
    QTest::newRow("three letters") << "ibm"
                                   << "IBM"
                                   << "";
    QTest::newRow("unknown keeps boxes empty") << "visa"
                                               << "Visa"
                                               << "";
}

void TestRecordEntry::leavingCreditorCasesAndFills() {
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, user);
    addCreditorEntry("Amex Platinum|plat| |https://amex.example");
    QComboBox* combo = window().entry()->Combo1;
    combo->setFocus();
    // Typed whole: letter by letter, the first letter would complete to a listed name.
    combo->setEditText(typed);
    window().FlexGr->setFocus();
    QCOMPARE(combo->currentText(), name);
    QCOMPARE(window().details()->Text2[1]->text(), user);
    QCOMPARE(window().details()->Text2[2]->text(), QString());
}

void TestRecordEntry::loginBoxStartsWithScheme() {
    QLineEdit* url = window().details()->Text2[0];
    url->setText("https://old.example");
    url->setFocus();
    QCOMPARE(url->text(), QStringLiteral("http://"));
    QCOMPARE(url->selectedText(), QStringLiteral("http://"));
    // Tab from the address goes on to the user name.
    QTest::keyClick(url, Qt::Key_Tab);
    QVERIFY(window().details()->Text2[1]->hasFocus());
}

void TestRecordEntry::datePickerSetsDateText() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MainWindow& w = window();
    QCOMPARE(w.entry()->Text1[1]->text(), QStringLiteral("3/4/2026"));
    w.entry()->DTPicker1->setDate(QDate(2026, 12, 7));
    QCOMPARE(w.entry()->Text1[1]->text(), QStringLiteral("12/7/2026"));
    QLocale::setDefault(QLocale::system());
}

void TestRecordEntry::passwordsHiddenByPreference() {
    m_program->storePreferences({{PrefItems::NPas, "1"}});
    MainWindow& w = window();
    QVERIFY(!w.details()->Text2[2]->isVisible());
    QVERIFY(w.details()->Text3->isVisible());
    QVERIFY(!w.details()->Check1->isEnabled());
}

void TestRecordEntry::maskBox() {
    QLineEdit* password = window().details()->Text2[2];
    window().details()->Check1->setChecked(true);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    window().details()->Check1->setChecked(false);
    QCOMPARE(password->echoMode(), QLineEdit::Normal);
}

QTEST_MAIN(TestRecordEntry)
#include "tst_record_entry.moc"
