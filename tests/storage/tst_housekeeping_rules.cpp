#include "app/housekeeping_rules.h"

#include <QTest>

using namespace HousekeepingRules;

class TestHousekeepingRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addEntries_data();
    void addEntries();
    void shutDown_data();
    void shutDown();
    void shutDownNeedsTheOption();
    void yearStartStorage_data();
    void yearStartStorage();
};

void TestHousekeepingRules::addEntries_data() {
    QTest::addColumn<QString>("creditor");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<bool>("creditorEntry");
    QTest::addColumn<bool>("recordEntry");
    QTest::newRow("nothing typed") << ""
                                   << ""
                                   << "" << false << false;
    QTest::newRow("listed name, all filled") << "Visa"
                                             << "5.00"
                                             << "A" << false << true;
    QTest::newRow("listed further down") << "Bank"
                                         << ""
                                         << "" << false << false;
    QTest::newRow("one letter's case differs") << "visa"
                                               << ""
                                               << "" << true << false;
    QTest::newRow("part of a listed name") << "Vis"
                                           << "5.00"
                                           << "" << true << false;
    QTest::newRow("no amount") << "Visa"
                               << ""
                               << "A" << false << false;
    QTest::newRow("no creditor") << ""
                                 << "5.00"
                                 << "A" << false << false;
    QTest::newRow("trailing space is another name") << "Visa "
                                                    << "5.00"
                                                    << "A" << true << true;
}

void TestHousekeepingRules::addEntries() {
    QFETCH(QString, creditor);
    QFETCH(QString, amount);
    QFETCH(QString, confirmation);
    QFETCH(bool, creditorEntry);
    QFETCH(bool, recordEntry);
    const QStringList listed{"Visa", "Water", "Bank"};
    QCOMPARE(creditorAddEnabled(creditor, listed), creditorEntry);
    QCOMPARE(recordAddEnabled(creditor, amount, confirmation), recordEntry);
}

void TestHousekeepingRules::shutDown_data() {
    QTest::addColumn<QDateTime>("loadedAt");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<bool>("due");
    const QDate day(2027, 3, 4);
    const QDateTime at1020(day, QTime(10, 20, 45));
    QTest::newRow("10:20, a second early") << at1020 << QDateTime(day, QTime(10, 29, 59)) << "10" << false;
    QTest::newRow("10:20, at 10:30") << at1020 << QDateTime(day, QTime(10, 30, 0)) << "10" << true;
    QTest::newRow("10:20, later") << at1020 << QDateTime(day, QTime(10, 31, 30)) << "10" << true;
    const QDateTime at1055(day, QTime(10, 55, 10));
    QTest::newRow("across the hour, early") << at1055 << QDateTime(day, QTime(11, 4, 59)) << "10" << false;
    QTest::newRow("across the hour") << at1055 << QDateTime(day, QTime(11, 5, 0)) << "10" << true;
    const QDateTime at2358(day, QTime(23, 58));
    QTest::newRow("across midnight, early") << at2358 << QDateTime(day.addDays(1), QTime(0, 2, 59)) << "5" << false;
    QTest::newRow("across midnight") << at2358 << QDateTime(day.addDays(1), QTime(0, 3)) << "5" << true;
    QTest::newRow("empty is 0") << at1020 << at1020 << "" << true;
    QTest::newRow("no number is 0") << at1020 << at1020 << "soon" << true;
    QTest::newRow("leading number") << at1020 << QDateTime(day, QTime(10, 26, 59)) << " 7 min" << false;
    QTest::newRow("leading number, reached") << at1020 << QDateTime(day, QTime(10, 27)) << " 7 min" << true;
    QTest::newRow("part of a minute waits for the next whole")
        << at1020 << QDateTime(day, QTime(10, 22, 59)) << "2.5" << false;
    QTest::newRow("part of a minute, reached") << at1020 << QDateTime(day, QTime(10, 23)) << "2.5" << true;
    QTest::newRow("an hour and more") << at1020 << QDateTime(day, QTime(11, 49, 59)) << "90" << false;
}

void TestHousekeepingRules::shutDown() {
    QFETCH(QDateTime, loadedAt);
    QFETCH(QDateTime, now);
    QFETCH(QString, minutes);
    QFETCH(bool, due);
    QCOMPARE(shutDownDue(loadedAt, now, minutes), due);
}

void TestHousekeepingRules::shutDownNeedsTheOption() {
    PrefItems prefs;
    prefs[PrefItems::ShTm] = "0";
    const QDateTime at(QDate(2027, 3, 4), QTime(10, 20));
    for (const QString& shut : QStringList{"0", "", "2", "true"}) {
        prefs[PrefItems::Shut] = shut;
        QVERIFY2(!shutDownDue(prefs, at, at.addSecs(3600)), qPrintable(shut));
    }
    prefs[PrefItems::Shut] = "1";
    QVERIFY(shutDownDue(prefs, at, at));
    // Before the window's load time is known nothing is counted.
    QVERIFY(!shutDownDue(prefs, QDateTime(), at));
}

void TestHousekeepingRules::yearStartStorage_data() {
    QTest::addColumn<QString>("Jan1");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("wanted");
    QTest::newRow("2 January") << "1" << QDate(2027, 1, 2) << true;
    QTest::newRow("end of February") << "1" << QDate(2027, 2, 28) << true;
    QTest::newRow("March") << "1" << QDate(2027, 3, 1) << false;
    QTest::newRow("December") << "1" << QDate(2026, 12, 31) << false;
    QTest::newRow("switched off") << "0" << QDate(2027, 1, 2) << false;
    QTest::newRow("anything but 0 is on") << "" << QDate(2027, 1, 2) << true;
}

void TestHousekeepingRules::yearStartStorage() {
    QFETCH(QString, Jan1);
    QFETCH(QDate, today);
    QFETCH(bool, wanted);
    PrefItems prefs;
    prefs[PrefItems::Jan1] = Jan1;
    QCOMPARE(yearStartStorageWanted(prefs, today), wanted);
}

QTEST_GUILESS_MAIN(TestHousekeepingRules)
#include "tst_housekeeping_rules.moc"
