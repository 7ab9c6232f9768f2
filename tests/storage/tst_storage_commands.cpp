#include "app/storage_commands.h"
#include "store/payment_grid.h"
#include "store/storage_rules.h"

#include "scripted.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray FiveRecords = "Visa|01/02/2027|5.00|A\r\n"
                               "Bank|01/03/2027|12.00|B\r\n"
                               "Water|01/04/2027|30.10|C\r\n"
                               "Gas|01/04/2027|41.00|D\r\n"
                               "Phone|01/05/2027|9.99|E\r\n";
const QByteArray TwoOldRecords = "Visa|12/02/2026|7.00|X\r\n"
                                 "Bank|12/03/2026|8.00|Y\r\n";

void stamp(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStorageCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void backupStoresUnderTheStorageName_data();
    void backupStoresUnderTheStorageName();
    void backupAgainTheSameDayReplaces();
    void backupFailureIsReported_data();
    void backupFailureIsReported();
    void backupKeepsOlderRecordsUnderAFreeName();
    void monthlyBackupTarget_data();
    void monthlyBackupTarget();
    void monthlyBackupComparesMonthAndYear_data();
    void monthlyBackupComparesMonthAndYear();
    void monthlyBackupFailure_data();
    void monthlyBackupFailure();
    void backupAtLoad_data();
    void backupAtLoad();
    void recoverShowsOnlyTheStoredRecords();
    void recoverWithoutAFileChangesNothing_data();
    void recoverWithoutAFileChangesNothing();
    void recoverOfTheLogItselfIsNoCopy();
    void keepThatFailsStopsTheRewrite();

private:
    StorageCommands& commands();
    void setPref(int slot, const QString& value) { m_prefs[slot] = value; }
    void fail(const QString& text, const QString& title);
    // What the removal command does around keepLogBeforeRewrite(): the rewrite of db.db from the grid.
    bool removeRecord(int row);
    QMap<QString, QByteArray> dataFolder() const;

    std::unique_ptr<TestProgram> m_program;
    PrefItems m_prefs;
    std::unique_ptr<PaymentGrid> m_grid;
    std::unique_ptr<StorageCommands> m_commands;
};

void TestStorageCommands::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->clock.set(QDateTime(QDate(2027, 1, 5), QTime(9, 30)));
    m_program->writeData("db.db", FiveRecords);
    m_prefs = PrefItems();
    for (int k = 0; k <= 12; ++k)
        m_prefs[k] = "0";
    m_grid = std::make_unique<PaymentGrid>();
    m_grid->loadFile(m_program->dataFile("db.db"));
}

void TestStorageCommands::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_commands.reset();
    m_grid.reset();
    m_program.reset();
}

StorageCommands& TestStorageCommands::commands() {
    if (!m_commands)
        m_commands =
            std::make_unique<StorageCommands>(*m_grid, ProgramFiles(m_program->folder()), m_prefs, m_program->services);
    return *m_commands;
}

void TestStorageCommands::fail(const QString& text, const QString& title) {
    const auto& messages = m_program->prompter.messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().text, text);
    QCOMPARE(messages.first().title, title);
    QCOMPARE(messages.first().icon, Prompt::Icon::Critical);
}

bool TestStorageCommands::removeRecord(int row) {
    if (!commands().keepLogBeforeRewrite())
        return false;
    m_grid->removeGridRow(row);
    QByteArray log;
    for (int r = 1; r < m_grid->rows(); ++r) {
        if (m_grid->holdsRecord(r))
            log += m_grid->recordLine(r);
    }
    m_program->writeData("db.db", log);
    return true;
}

QMap<QString, QByteArray> TestStorageCommands::dataFolder() const {
    QMap<QString, QByteArray> files;
    const QDir folder(m_program->folder() + "/data");
    for (const QFileInfo& entry : folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files.insert(entry.fileName(), entry.isFile() ? readFile(entry.filePath()) : QByteArray("<folder>"));
    return files;
}

void TestStorageCommands::backupStoresUnderTheStorageName_data() {
    QTest::addColumn<QString>("UsYr");
    QTest::addColumn<QString>("JanN");
    QTest::addColumn<QString>("name");
    QTest::newRow("date name on 5 January 2027") << "1"
                                                 << "ignored"
                                                 << "01-05-2027.db";
    QTest::newRow("name without a dot") << "0"
                                        << "archive"
                                        << "archive.db";
    QTest::newRow("name with a dot") << "0"
                                     << "archive.old"
                                     << "archive.old";
    QTest::newRow("no preferences record") << "0"
                                           << "0"
                                           << "0.db";
}

void TestStorageCommands::backupStoresUnderTheStorageName() {
    QFETCH(QString, UsYr);
    QFETCH(QString, JanN);
    QFETCH(QString, name);
    setPref(PrefItems::UsYr, UsYr);
    setPref(PrefItems::JanN, JanN);
    commands().Savemnu_Click();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(dataFolder(), (QMap<QString, QByteArray>{{"db.db", FiveRecords}, {name, FiveRecords}}));
}

void TestStorageCommands::backupAgainTheSameDayReplaces() {
    setPref(PrefItems::UsYr, "1");
    commands().Savemnu_Click();
    const QByteArray grown = FiveRecords + "Rent|01/05/2027|900.00|F\r\n";
    m_program->writeData("db.db", grown);
    commands().Savemnu_Click();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(dataFolder(), (QMap<QString, QByteArray>{{"db.db", grown}, {"01-05-2027.db", grown}}));
}

void TestStorageCommands::backupFailureIsReported_data() {
    QTest::addColumn<QString>("JanN");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("full path") << "<program>/archive.db"
                               << "";
    QTest::newRow("windows path") << "C:\\Users\\me\\archive.db"
                                  << "";
    QTest::newRow("a folder where the copy goes") << "archive.db"
                                                  << "folder";
    QTest::newRow("no log") << "archive.db"
                            << "no log";
}

void TestStorageCommands::backupFailureIsReported() {
    QFETCH(QString, JanN);
    QFETCH(QString, fixture);
    setPref(PrefItems::JanN, QString(JanN).replace("<program>", m_program->folder()));
    if (fixture == "folder")
        QVERIFY(QDir().mkpath(m_program->dataFile("archive.db")));
    if (fixture == "no log")
        QVERIFY(QFile::remove(m_program->dataFile("db.db")));
    const auto before = dataFolder();
    m_program->prompter.expect(Prompt::Answer::Ok);
    commands().Savemnu_Click();
    fail("Error creating File", "Disk Access Error 01");
    QCOMPARE(dataFolder(), before);
    QVERIFY(!QFile::exists(m_program->folder() + "/archive.db"));
}

void TestStorageCommands::backupKeepsOlderRecordsUnderAFreeName() {
    // Last year's storage under the same fixed name holds records that this log lacks.
    m_program->writeData("archive.db", TwoOldRecords);
    setPref(PrefItems::JanN, "archive");
    m_program->prompter.expect(Prompt::Answer::Ok);
    commands().Savemnu_Click();
    QCOMPARE(m_program->prompter.texts(), QStringList{"Data Base Stored as\r\narchive (2).db"});
    QCOMPARE(m_program->prompter.messages().first().icon, Prompt::Icon::Information);
    QCOMPARE(m_program->readData("archive.db"), TwoOldRecords);
    QCOMPARE(m_program->readData("archive (2).db"), FiveRecords);
}

void TestStorageCommands::monthlyBackupTarget_data() {
    QTest::addColumn<QString>("MBKF");
    QTest::addColumn<QString>("target");
    QTest::newRow("empty") << ""
                           << "<program>/data/db.bak";
    QTest::newRow("no dot") << "<program>/safe/log"
                            << "<program>/safe/log.bak";
    QTest::newRow("dot in a folder") << "<program>/safe.dir/log"
                                     << "<program>/safe.dir/log";
}

void TestStorageCommands::monthlyBackupTarget() {
    QFETCH(QString, MBKF);
    QFETCH(QString, target);
    if (m_program->folder().contains('.'))
        QSKIP("the temporary folder's own name holds a dot");
    MBKF.replace("<program>", m_program->folder());
    target.replace("<program>", m_program->folder());
    QVERIFY(QDir().mkpath(m_program->folder() + "/safe"));
    QVERIFY(QDir().mkpath(m_program->folder() + "/safe.dir"));
    setPref(PrefItems::MBKF, MBKF);
    m_program->writeData("MlastSv.dat", "old");
    stamp(m_program->dataFile("MlastSv.dat"), QDateTime(QDate(2026, 12, 20), QTime(8, 0)));

    commands().BackUpLogMonthly();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(readFile(target), FiveRecords);
    QCOMPARE(m_program->readData("MlastSv.dat"),
             QByteArray("** Quorvane ** Brellick ** v3.0 ** - Do Not Remove nor Delete this file\r\n"));
    QCOMPARE(QFileInfo(m_program->dataFile("MlastSv.dat")).lastModified().date(), QDate(2027, 1, 5));
}

void TestStorageCommands::monthlyBackupComparesMonthAndYear_data() {
    QTest::addColumn<QDate>("last");
    QTest::addColumn<bool>("made");
    QTest::newRow("march of last year") << QDate(2026, 3, 10) << true;
    QTest::newRow("this march") << QDate(2027, 3, 1) << false;
    QTest::newRow("never, no marker yet") << QDate() << true;
}

void TestStorageCommands::monthlyBackupComparesMonthAndYear() {
    QFETCH(QDate, last);
    QFETCH(bool, made);
    m_program->clock.set(QDateTime(QDate(2027, 3, 15), QTime(9, 0)));
    setPref(PrefItems::MBKF, "");
    const QDateTime lastStamp(last, QTime(8, 0));
    if (last.isValid()) {
        m_program->writeData("MlastSv.dat", "old");
        stamp(m_program->dataFile("MlastSv.dat"), lastStamp);
    }
    commands().BackUpLogMonthly();
    // A missing marker only means that no backup was made yet: no error.
    QCOMPARE(m_program->prompter.messages().size(), 0);
    QCOMPARE(QFile::exists(m_program->dataFile("db.bak")), made);
    const QDateTime marked = QFileInfo(m_program->dataFile("MlastSv.dat")).lastModified();
    QCOMPARE(marked.date(), made ? QDate(2027, 3, 15) : last);
    if (made)
        QCOMPARE(m_program->readData("db.bak"), FiveRecords);
}

void TestStorageCommands::monthlyBackupFailure_data() {
    QTest::addColumn<QString>("MBKF");
    QTest::newRow("missing folder") << "<program>/nowhere/log.bak";
    QTest::newRow("a folder in the way") << "<program>/safe.bak";
    QTest::newRow("relative path") << "D:\\safe\\log";
    QTest::newRow("the creditor list") << "<program>/data/creditors.dat";
}

void TestStorageCommands::monthlyBackupFailure() {
    QFETCH(QString, MBKF);
    MBKF.replace("<program>", m_program->folder());
    setPref(PrefItems::MBKF, MBKF);
    QVERIFY(QDir().mkpath(m_program->folder() + "/safe.bak"));
    m_program->writeData("creditors.dat", "scrambled\r\n");
    m_program->writeData("MlastSv.dat", "old");
    stamp(m_program->dataFile("MlastSv.dat"), QDateTime(QDate(2026, 12, 20), QTime(8, 0)));

    m_program->prompter.expect(Prompt::Answer::Ok);
    commands().BackUpLogMonthly();
    fail("Error creating DataBase Back Up. Check your disk and try again", "Disk Error 03");
    // The month counts as done, so the next start this month does not report it again.
    QCOMPARE(QFileInfo(m_program->dataFile("MlastSv.dat")).lastModified().date(), QDate(2027, 1, 5));
    QCOMPARE(m_program->readData("creditors.dat"), QByteArray("scrambled\r\n"));
    QCOMPARE(m_program->readData("db.db"), FiveRecords);
    QVERIFY(QFileInfo(m_program->folder() + "/safe.bak").isDir());
    QVERIFY(!QFile::exists("D:\\safe\\log.bak"));
}

void TestStorageCommands::backupAtLoad_data() {
    QTest::addColumn<QString>("MnBK");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<bool>("made");
    QTest::newRow("records") << "1" << FiveRecords << true;
    QTest::newRow("empty log") << "1" << QByteArray() << false;
    QTest::newRow("switched off") << "0" << FiveRecords << false;
}

void TestStorageCommands::backupAtLoad() {
    QFETCH(QString, MnBK);
    QFETCH(QByteArray, log);
    QFETCH(bool, made);
    m_program->writeData("db.db", log);
    m_grid->loadFile(m_program->dataFile("db.db"));
    setPref(PrefItems::MnBK, MnBK);
    setPref(PrefItems::MBKF, "");
    commands().backUpAtLoad();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    // Without a backup neither file is touched.
    QCOMPARE(QFile::exists(m_program->dataFile("db.bak")), made);
    QCOMPARE(QFile::exists(m_program->dataFile("MlastSv.dat")), made);
}

void TestStorageCommands::recoverShowsOnlyTheStoredRecords() {
    m_program->writeData("old.db", TwoOldRecords);
    QSignalSpy notes(&commands(), &StorageCommands::titleNoteChanged);
    m_program->prompter.expectFile(m_program->dataFile("old.db"));
    commands().Rcovermnu_Click();

    QCOMPARE(m_grid->cell(1, PaymentGrid::Confirmation), QStringLiteral("X"));
    QCOMPARE(m_grid->cell(2, PaymentGrid::Confirmation), QStringLiteral("Y"));
    QVERIFY(!m_grid->holdsRecord(3));
    QVERIFY(!m_grid->holdsRecord(5));
    QCOMPARE(m_grid->rows(), PaymentGrid::DesignRows);
    QVERIFY(commands().viewingRecoveredCopy());
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().first().toString().contains("old.db"));
    QCOMPARE(m_program->readData("db.db"), FiveRecords);

    // Removing a shown record rewrites db.db from the grid: the log it held is kept first, and the user told.
    m_program->prompter.expect(Prompt::Answer::Ok);
    QVERIFY(removeRecord(1));
    QCOMPARE(m_program->prompter.texts(), (QStringList{"<open file>", "Data Base Stored as\r\n01-05-2027.db"}));
    QCOMPARE(m_program->prompter.messages().last().icon, Prompt::Icon::Information);
    QCOMPARE(m_program->readData("01-05-2027.db"), FiveRecords);
    QCOMPARE(m_program->readData("db.db"), QByteArray("Bank|12/03/2026|8.00|Y\r\n"));
    QVERIFY(!commands().viewingRecoveredCopy());
    QCOMPARE(notes.last().first().toString(), QString());

    // From now on db.db is what the grid shows: a further removal keeps nothing more.
    QVERIFY(removeRecord(1));
    QCOMPARE(m_program->readData("db.db"), QByteArray());
    QCOMPARE(m_program->readData("01-05-2027.db"), FiveRecords);
}

void TestStorageCommands::recoverWithoutAFileChangesNothing_data() {
    QTest::addColumn<QString>("chosen");
    QTest::newRow("cancelled") << "";
    QTest::newRow("missing file") << "<program>/data/gone.db";
    QTest::newRow("a folder") << "<program>/data";
}

void TestStorageCommands::recoverWithoutAFileChangesNothing() {
    QFETCH(QString, chosen);
    m_program->prompter.expectFile(chosen.replace("<program>", m_program->folder()));
    commands().Rcovermnu_Click();
    QCOMPARE(m_program->prompter.texts(), QStringList{"<open file>"});
    QCOMPARE(m_grid->cell(5, PaymentGrid::Creditor), QStringLiteral("Phone"));
    QVERIFY(!commands().viewingRecoveredCopy());
    QVERIFY(commands().keepLogBeforeRewrite());
}

void TestStorageCommands::recoverOfTheLogItselfIsNoCopy() {
    m_program->prompter.expectFile(m_program->dataFile("db.db"));
    commands().Rcovermnu_Click();
    QVERIFY(!commands().viewingRecoveredCopy());
    QVERIFY(removeRecord(1));
    QCOMPARE(m_program->prompter.texts(), QStringList{"<open file>"});
    QCOMPARE(dataFolder().size(), 1);
}

void TestStorageCommands::keepThatFailsStopsTheRewrite() {
    m_program->writeData("old.db", TwoOldRecords);
    m_program->prompter.expectFile(m_program->dataFile("old.db"));
    commands().Rcovermnu_Click();
    // A folder stands where the copy of the log would go.
    QVERIFY(QDir().mkpath(m_program->dataFile("01-05-2027.db")));
    m_program->prompter.clear();
    m_program->prompter.expect(Prompt::Answer::Ok);
    QVERIFY(!removeRecord(1));
    fail("Error creating File", "Disk Access Error 01");
    QCOMPARE(m_program->readData("db.db"), FiveRecords);
    QVERIFY(commands().viewingRecoveredCopy());
    QCOMPARE(m_grid->cell(1, PaymentGrid::Confirmation), QStringLiteral("X"));
}

QTEST_MAIN(TestStorageCommands)
#include "tst_storage_commands.moc"
