#include "app/entry_rules.h"
#include "app/main_rules.h"
#include "app/web_address.h"

#include <QTest>

class TestEntryRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void properCase_data();
    void properCase();
    void amount_data();
    void amount();
    void firstLetterCompletion();
    void creditorDetailsLastMatchWins();
    void dateCell_data();
    void dateCell();
    void webAddresses_data();
    void webAddresses();
};

void TestEntryRules::properCase_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("words") << "amex platinum"
                           << "Amex Platinum";
    QTest::newRow("three letters") << "ibm"
                                   << "IBM";
    QTest::newRow("four letters") << "visa"
                                  << "Visa";
    QTest::newRow("shouting") << "BANK OF OHIO"
                              << "Bank Of Ohio";
    QTest::newRow("three with a space") << "a b"
                                        << "A B";
    QTest::newRow("empty") << ""
                           << "";
}

void TestEntryRules::properCase() {
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QCOMPARE(EntryRules::properCaseName(typed), name);
}

void TestEntryRules::amount_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("askZero");
    QTest::addColumn<bool>("notNumber");
    QTest::newRow("whole") << "12"
                           << "12.00" << false << false;
    QTest::newRow("decimal comma") << "7,5"
                                   << "7.50" << false << false;
    QTest::newRow("negative") << "-3"
                              << "-3.00" << false << false;
    QTest::newRow("leading point") << ".5"
                                   << "0.50" << false << false;
    QTest::newRow("rounds half up") << "2.005"
                                    << "2.01" << false << false;
    QTest::newRow("rounds into the units") << "9.999"
                                           << "10.00" << false << false;
    QTest::newRow("spaces around") << " 42.1 "
                                   << "42.10" << false << false;
    QTest::newRow("leading zeros") << "007"
                                   << "7.00" << false << false;
    QTest::newRow("zero") << "0"
                          << "0.00" << true << false;
    QTest::newRow("point alone") << "."
                                 << "0.00" << true << false;
    QTest::newRow("minus zero") << "-0"
                                << "0.00" << true << false;
    QTest::newRow("grouping is refused") << "1,234.5"
                                         << "1.234.5" << false << true;
    QTest::newRow("letters") << "12a"
                             << "12a" << false << true;
    QTest::newRow("currency sign") << "$5"
                                   << "$5" << false << true;
    QTest::newRow("exponent") << "1e5"
                              << "1e5" << false << true;
}

void TestEntryRules::amount() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, askZero);
    QFETCH(bool, notNumber);
    const EntryRules::Amount amount = EntryRules::normaliseAmount(typed);
    QCOMPARE(amount.text, shown);
    QCOMPARE(amount.askZero, askZero);
    QCOMPARE(amount.notNumber, notNumber);
}

void TestEntryRules::firstLetterCompletion() {
    const QStringList names = {"Amex", "Acme", "bank", "3M"};
    QCOMPARE(EntryRules::completeFirstLetter(names, Qt::Key_A), std::optional<QString>("Amex"));
    QCOMPARE(EntryRules::completeFirstLetter(names, Qt::Key_3), std::optional<QString>("3M"));
    // Letter keys carry the capital's code: a name that starts in lower case is never completed.
    QCOMPARE(EntryRules::completeFirstLetter(names, Qt::Key_B), std::nullopt);
}

void TestEntryRules::creditorDetailsLastMatchWins() {
    const QStringList entries = {"Visa|old|pw1|https://old.example", "Bank| | |", "Visa|new| |https://new.example",
                                 "visa|lower|x|"};
    const auto visa = EntryRules::creditorDetails(entries, "Visa");
    QVERIFY(visa);
    QCOMPARE(visa->userName, QStringLiteral("new"));
    QCOMPARE(visa->password, QString()); // a stored single space is an empty field
    QCOMPARE(visa->loginUrl, QStringLiteral("https://new.example"));
    QCOMPARE(EntryRules::creditorDetails(entries, "Bank")->userName, QString());
    QVERIFY(!EntryRules::creditorDetails(entries, "Amex"));
}

void TestEntryRules::dateCell_data() {
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("cell");
    QTest::newRow("short parts") << "3/4/2026"
                                 << "03/04/2026";
    QTest::newRow("already two digits") << "10/12/2026"
                                        << "10/12/2026";
    QTest::newRow("two-digit year") << "1/5/03"
                                    << "01/05/03";
}

void TestEntryRules::dateCell() {
    QFETCH(QString, dateText);
    QFETCH(QString, cell);
    QCOMPARE(MainRules::padDateCell(dateText), cell);
}

void TestEntryRules::webAddresses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opened");
    QTest::newRow("https") << "https://bank.example/login"
                           << "https://bank.example/login";
    QTest::newRow("no scheme is http") << "www.bank.example/login"
                                       << "http://www.bank.example/login";
    QTest::newRow("host and port") << "bank.example:8443/x"
                                   << "http://bank.example:8443/x";
    QTest::newRow("file") << "file:///etc/passwd"
                          << "";
    QTest::newRow("javascript") << "javascript:alert(1)"
                                << "";
    QTest::newRow("local program") << "C:\\Windows\\system32\\calc.exe"
                                   << "";
    QTest::newRow("local path") << "/usr/bin/xterm"
                                << "";
    QTest::newRow("data") << "data:text/html,<b>x</b>"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestEntryRules::webAddresses() {
    QFETCH(QString, text);
    QFETCH(QString, opened);
    const std::optional<QUrl> url = webAddress(text);
    QCOMPARE(url ? url->toString() : QString(), opened);
}

QTEST_APPLESS_MAIN(TestEntryRules)
#include "tst_entry_rules.moc"
