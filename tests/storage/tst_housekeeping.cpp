#include "app/housekeeping.h"
#include "app/storage_commands.h"
#include "store/payment_grid.h"

#include "scripted.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace {

const QByteArray ThreeRecords = "Visa|12/02/2026|5.00|A\r\n"
                                "Bank|12/03/2026|12.00|B\r\n"
                                "Water|12/04/2026|30.10|C\r\n";

void stamp(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class TestHousekeeping final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void timerRunsTheTicks();
    void addEntriesFollowTheBoxes();
    void shutDownAtTheMinute_data();
    void shutDownAtTheMinute();
    void shutDownEndsTheTickAtOnce();
    void yearStartStorage();
    void yearStartStorageDoneAlready_data();
    void yearStartStorageDoneAlready();
    void yearStartStorageKeepsOlderRecords();
    void yearStartStorageThatFailsLosesNothing();
    void refresh_data();
    void refresh();

private:
    Housekeeping& housekeeping();
    void setToday(const QDate& date, const QTime& time = QTime(10, 0)) { m_program->clock.set({date, time}); }
    void expectNothingStored();

    std::unique_ptr<TestProgram> m_program;
    PrefItems m_prefs;
    std::unique_ptr<PaymentGrid> m_grid;
    std::unique_ptr<StorageCommands> m_storage;
    std::unique_ptr<QComboBox> m_combo;
    std::unique_ptr<QLineEdit> m_amount;
    std::unique_ptr<QLineEdit> m_confirmation;
    std::unique_ptr<Housekeeping> m_housekeeping;
    QAction m_creditorEntry{"&Creditor"};
    QAction m_recordEntry{"&Record"};
};

void TestHousekeeping::init() {
    m_program = std::make_unique<TestProgram>();
    // No preferences record: what the window's load presets.
    m_prefs = PrefItems();
    for (int k = 0; k <= 12; ++k)
        m_prefs[k] = "0";
    m_program->writeData("db.db", ThreeRecords);
    m_grid = std::make_unique<PaymentGrid>();
    m_grid->loadFile(m_program->dataFile("db.db"));
    m_storage =
        std::make_unique<StorageCommands>(*m_grid, ProgramFiles(m_program->folder()), m_prefs, m_program->services);
    m_combo = std::make_unique<QComboBox>();
    m_combo->setEditable(true);
    m_combo->addItems({"Visa", "Water", "Bank"});
    m_combo->setEditText(QString());
    m_amount = std::make_unique<QLineEdit>();
    m_confirmation = std::make_unique<QLineEdit>();
    setToday(QDate(2027, 3, 4));
}

void TestHousekeeping::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_housekeeping.reset();
    m_storage.reset();
    m_grid.reset();
    m_program.reset();
}

Housekeeping& TestHousekeeping::housekeeping() {
    if (!m_housekeeping) {
        m_housekeeping = std::make_unique<Housekeeping>(
            m_program->services, m_prefs, *m_grid, *m_storage,
            Housekeeping::EntryBoxes{m_combo.get(), m_amount.get(), m_confirmation.get()});
        m_housekeeping->setAddEntries(&m_creditorEntry, &m_recordEntry);
        m_housekeeping->noteLoadTime(m_program->clock.now());
    }
    return *m_housekeeping;
}

void TestHousekeeping::expectNothingStored() {
    QCOMPARE(m_program->readData("db.db"), ThreeRecords);
    QCOMPARE(m_grid->cell(3, PaymentGrid::Creditor), QStringLiteral("Water"));
    QStringList files = QDir(m_program->folder() + "/data").entryList(QDir::Files);
    files.removeAll("lastSv.dat");
    QCOMPARE(files, QStringList{"db.db"});
}

void TestHousekeeping::timerRunsTheTicks() {
    housekeeping();
    QCOMPARE(housekeeping().timer().interval(), 500);
    QVERIFY(housekeeping().timer().isActive());
    m_combo->setEditText("New creditor");
    m_creditorEntry.setEnabled(false);
    QTRY_VERIFY_WITH_TIMEOUT(m_creditorEntry.isEnabled(), 2000);
}

void TestHousekeeping::addEntriesFollowTheBoxes() {
    // The rule's cases are tabled with the rule; here the boxes and the list are what is read.
    m_combo->setEditText("Bank");
    m_amount->setText("5.00");
    m_confirmation->setText("A-1");
    housekeeping().Timer1_Timer();
    QVERIFY(!m_creditorEntry.isEnabled());
    QVERIFY(m_recordEntry.isEnabled());
    m_combo->setEditText("bank");
    m_confirmation->clear();
    housekeeping().Timer1_Timer();
    QVERIFY(m_creditorEntry.isEnabled());
    QVERIFY(!m_recordEntry.isEnabled());
}

void TestHousekeeping::shutDownAtTheMinute_data() {
    QTest::addColumn<QTime>("loaded");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QTime>("early");
    QTest::addColumn<QTime>("due");
    QTest::newRow("10:20 for 10") << QTime(10, 20, 30) << "10" << QTime(10, 29, 59) << QTime(10, 30);
    QTest::newRow("across the hour") << QTime(10, 55) << "10" << QTime(11, 4, 59) << QTime(11, 5);
}

void TestHousekeeping::shutDownAtTheMinute() {
    QFETCH(QTime, loaded);
    QFETCH(QString, minutes);
    QFETCH(QTime, early);
    QFETCH(QTime, due);
    m_prefs[PrefItems::Shut] = "1";
    m_prefs[PrefItems::ShTm] = minutes;
    setToday(QDate(2027, 3, 4), loaded);
    housekeeping();
    setToday(QDate(2027, 3, 4), early);
    housekeeping().Timer1_Timer();
    QVERIFY(!m_program->exit.requested());
    setToday(QDate(2027, 3, 4), due);
    housekeeping().Timer1_Timer();
    QVERIFY(m_program->exit.requested());
    QVERIFY(!housekeeping().timer().isActive());
}

void TestHousekeeping::shutDownEndsTheTickAtOnce() {
    // N = 0 in January: the program ends at its first tick, and no storage starts on the way out.
    m_prefs[PrefItems::Shut] = "1";
    m_prefs[PrefItems::ShTm] = "";
    m_prefs[PrefItems::Jan1] = "1";
    setToday(QDate(2027, 1, 2));
    housekeeping().Timer1_Timer();
    QVERIFY(m_program->exit.requested());
    QVERIFY(!housekeeping().annualStorageDone());
    expectNothingStored();
}

void TestHousekeeping::yearStartStorage() {
    m_prefs[PrefItems::Jan1] = "1";
    m_prefs[PrefItems::UsYr] = "1";
    setToday(QDate(2027, 1, 2));
    m_program->prompter.expect(Prompt::Answer::Ok);
    housekeeping().Timer1_Timer();

    QCOMPARE(m_program->prompter.texts(), QStringList{"Data Base Stored as\r\n01-02-2027.db"});
    QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Jan 1 Storage"));
    QCOMPARE(m_program->prompter.messages().first().icon, Prompt::Icon::Information);
    QCOMPARE(m_program->readData("01-02-2027.db"), ThreeRecords);
    QCOMPARE(m_program->readData("lastSv.dat"), QByteArray("01-02-2027\r\n"));
    QVERIFY(!QFile::exists(m_program->dataFile("db.db")));
    // The records are gone from the grid; the header and the rows stay.
    for (int row = 1; row < m_grid->rows(); ++row)
        QVERIFY(!m_grid->holdsRecord(row));
    QCOMPARE(m_grid->rows(), PaymentGrid::DesignRows);
    QCOMPARE(m_grid->headerData(PaymentGrid::Creditor, Qt::Horizontal).toString(), QStringLiteral("Creditor"));
    QVERIFY(housekeeping().annualStorageDone());

    // Once per run: the next tick stores nothing.
    housekeeping().Timer1_Timer();
    QCOMPARE(m_program->prompter.messages().size(), 1);
}

void TestHousekeeping::yearStartStorageDoneAlready_data() {
    QTest::addColumn<QString>("Jan1");
    QTest::addColumn<QDate>("lastStored");
    QTest::addColumn<QDate>("today");
    QTest::newRow("second run on 3 January") << "1" << QDate(2027, 1, 2) << QDate(2027, 1, 3);
    QTest::newRow("february after a january storage") << "1" << QDate(2027, 1, 2) << QDate(2027, 2, 10);
    QTest::newRow("switched off") << "0" << QDate() << QDate(2027, 1, 2);
    QTest::newRow("no preferences record") << "<preset>" << QDate() << QDate(2027, 1, 2);
    QTest::newRow("march") << "1" << QDate() << QDate(2027, 3, 1);
}

void TestHousekeeping::yearStartStorageDoneAlready() {
    QFETCH(QString, Jan1);
    QFETCH(QDate, lastStored);
    QFETCH(QDate, today);
    if (Jan1 != "<preset>")
        m_prefs[PrefItems::Jan1] = Jan1;
    if (lastStored.isValid()) {
        m_program->writeData("lastSv.dat", "01-02-2027\r\n");
        stamp(m_program->dataFile("lastSv.dat"), QDateTime(lastStored, QTime(9, 0)));
    }
    setToday(today);
    housekeeping().Timer1_Timer();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    expectNothingStored();
}

void TestHousekeeping::yearStartStorageKeepsOlderRecords() {
    // A fixed storage name, last year's storage under it, and last January's lastSv.dat.
    m_prefs[PrefItems::Jan1] = "1";
    m_prefs[PrefItems::JanN] = "archive";
    const QByteArray lastYear = "Old|01/10/2025|1.00|X\r\n";
    m_program->writeData("archive.db", lastYear);
    m_program->writeData("lastSv.dat", "01-02-2026\r\n");
    stamp(m_program->dataFile("lastSv.dat"), QDateTime(QDate(2026, 1, 2), QTime(9, 0)));
    setToday(QDate(2027, 1, 2));
    m_program->prompter.expect(Prompt::Answer::Ok);
    housekeeping().Timer1_Timer();
    QCOMPARE(m_program->prompter.texts(), QStringList{"Data Base Stored as\r\narchive (2).db"});
    QCOMPARE(m_program->readData("archive.db"), lastYear);
    QCOMPARE(m_program->readData("archive (2).db"), ThreeRecords);
    QVERIFY(!QFile::exists(m_program->dataFile("db.db")));
}

void TestHousekeeping::yearStartStorageThatFailsLosesNothing() {
    m_prefs[PrefItems::Jan1] = "1";
    m_prefs[PrefItems::UsYr] = "1";
    // Root ignores a read-only folder; a folder standing where the copy goes stops the copy for anyone.
    QVERIFY(QDir().mkpath(m_program->dataFile("01-02-2027.db")));
    setToday(QDate(2027, 1, 2));
    m_program->prompter.expect(Prompt::Answer::Ok);
    housekeeping().Timer1_Timer();
    QCOMPARE(m_program->prompter.texts(), QStringList{"Error creating File"});
    QCOMPARE(m_program->prompter.messages().first().title, QStringLiteral("Disk Access Error 01"));
    QCOMPARE(m_program->readData("db.db"), ThreeRecords);
    QCOMPARE(m_grid->cell(3, PaymentGrid::Creditor), QStringLiteral("Water"));
    // No date is recorded, so the next start tries again; this run does not try twice.
    QVERIFY(!QFile::exists(m_program->dataFile("lastSv.dat")));
    housekeeping().Timer1_Timer();
    QCOMPARE(m_program->prompter.messages().size(), 1);
}

void TestHousekeeping::refresh_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("restoreOnTop");
    QTest::addColumn<int>("putOnTop");
    QTest::addColumn<int>("applied");
    QTest::newRow("refresh") << "Refresh" << false << 0 << 1;
    QTest::newRow("refresh, back on top") << "Refresh" << true << 1 << 1;
    QTest::newRow("another caption") << "refresh" << true << 0 << 0;
}

void TestHousekeeping::refresh() {
    QFETCH(QString, caption);
    QFETCH(bool, restoreOnTop);
    QFETCH(int, putOnTop);
    QFETCH(int, applied);
    int onTopCalls = 0;
    int applyCalls = 0;
    housekeeping().setWindowActions([&] { ++onTopCalls; }, [&] { ++applyCalls; });
    housekeeping().setRestoreOnTop(restoreOnTop);
    housekeeping().setRefreshCaption(caption);
    QCOMPARE(onTopCalls, putOnTop);
    QCOMPARE(applyCalls, applied);
    QCOMPARE(housekeeping().restoreOnTop(), restoreOnTop && putOnTop == 0);
    QCOMPARE(housekeeping().refreshCaption(), applied ? QString() : caption);
    // The caption is empty again, so the next save's signal is seen too.
    if (applied) {
        housekeeping().setRefreshCaption("Refresh");
        QCOMPARE(applyCalls, 2);
    }
}

QTEST_MAIN(TestHousekeeping)
#include "tst_housekeeping.moc"
