#include "reports/report_builder.h"
#include "store/data_folder.h"

#include "scripted.h"

#include <memory>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// The log and the backup carry fixed time stamps, so the whole report text can be compared.
const QDateTime LogWritten(QDate(2002, 10, 4), QTime(18, 20, 7));
const QDateTime BackupWritten(QDate(2002, 11, 1), QTime(9, 30));
const QLocale British(QLocale::English, QLocale::UnitedKingdom);

void setWritten(const QString& path, const QDateTime& when) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(when, QFileDevice::FileModificationTime))
        QTest::qFail("cannot date a fixture file", __FILE__, __LINE__);
}

// One creditor's three lines and the empty line after them.
QString block(const QString& name, int count, const QString& smallest, const QString& largest) {
    return name + ": has " + QString::number(count) + " entries\r\n" + name + " smallest payment: $" + smallest +
           "\r\n" + name + " largest payment: $" + largest + "\r\n\r\n";
}

} // namespace

class TestReportBuilder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void visaAndBank();
    void groupsAndTotals_data();
    void groupsAndTotals();
    void datesFollowTheLocale();
    void logLargerThanOneRead();
    void backupLine_data();
    void backupLine();
    void unreadableLog_data();
    void unreadableLog();

private:
    QString writeLog(const QByteArray& bytes);
    QString backupPath() const { return m_program->dataFile(QStringLiteral("db.bak")); }
    void writeBackup();

    std::unique_ptr<TestProgram> m_program;
};

void TestReportBuilder::init() {
    m_program = std::make_unique<TestProgram>();
}

void TestReportBuilder::cleanup() {
    m_program.reset();
}

QString TestReportBuilder::writeLog(const QByteArray& bytes) {
    m_program->writeData(QStringLiteral("db.db"), bytes);
    const QString path = ProgramFiles(m_program->folder()).paymentLog();
    setWritten(path, LogWritten);
    return path;
}

void TestReportBuilder::writeBackup() {
    m_program->writeData(QStringLiteral("db.bak"), "Visa|01/10/2002|12.00|A1\r\n");
    setWritten(backupPath(), BackupWritten);
}

void TestReportBuilder::visaAndBank() {
    const QString log = writeLog("Visa|01/10/2002|12.00|A1\r\n"
                                 "Visa|02/10/2002|30.50|A2\r\n"
                                 "Bank|05/10/2002|250.00|B1\r\n"
                                 "Visa|03/10/2002|12.00|A3\r\n");
    writeBackup();
    QCOMPARE(BuildReport(log, backupPath(), British), QString("DataBase contains 4 entries\r\n"
                                                              "DB initialized 04/10/2002 18:20\r\n"
                                                              "\r\n"
                                                              "Bank: has 1 entries\r\n"
                                                              "Bank smallest payment: $250.00 on 05/10/2002\r\n"
                                                              "Bank largest payment: $250.00 on 05/10/2002\r\n"
                                                              "\r\n"
                                                              "Visa: has 3 entries\r\n"
                                                              "Visa smallest payment: $12.00 on 01/10/2002\r\n"
                                                              "Visa largest payment: $30.50 on 02/10/2002\r\n"
                                                              "\r\n"
                                                              "DB first record date: 01/10/2002\r\n"
                                                              "DB last record date: 05/10/2002\r\n"
                                                              "Last DB Back-Up date: 01/11/2002 09:30"));
}

void TestReportBuilder::groupsAndTotals_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("names differing in case are two groups, side by side")
        << QByteArray("visa|01/10/2002|5.00|1\r\n"
                      "Bank|02/10/2002|7.00|2\r\n"
                      "Visa|03/10/2002|9.00|3\r\n"
                      "visa|04/10/2002|1.00|4\r\n"
                      "amex|05/10/2002|2.00|5\r\n")
        << 5
        << block("amex", 1, "2.00 on 05/10/2002", "2.00 on 05/10/2002") +
               block("Bank", 1, "7.00 on 02/10/2002", "7.00 on 02/10/2002") +
               block("visa", 2, "1.00 on 04/10/2002", "5.00 on 01/10/2002") +
               block("Visa", 1, "9.00 on 03/10/2002", "9.00 on 03/10/2002")
        << "01/10/2002"
        << "05/10/2002";
    QTest::newRow("an empty line ends the log")
        << QByteArray("Visa|01/10/2002|5.00|1\r\n\r\nVisa|02/10/2002|1.00|2\r\nBank|03/10/2002|7.00|3\r\n") << 1
        << block("Visa", 1, "5.00 on 01/10/2002", "5.00 on 01/10/2002") << "01/10/2002"
        << "01/10/2002";
    QTest::newRow("a line that is not a record ends the log")
        << QByteArray("Visa|01/10/2002|5.00|1\r\nVisa|02/10/2002|1.00\r\nBank|03/10/2002|7.00|3\r\n") << 1
        << block("Visa", 1, "5.00 on 01/10/2002", "5.00 on 01/10/2002") << "01/10/2002"
        << "01/10/2002";
    QTest::newRow("one record") << QByteArray("Visa|01/10/2002|5.00|1\r\n") << 1
                                << block("Visa", 1, "5.00 on 01/10/2002", "5.00 on 01/10/2002") << "01/10/2002"
                                << "01/10/2002";
    QTest::newRow("empty log") << QByteArray() << 0 << QString() << " none"
                               << " none";
    QTest::newRow("amounts by value, ties to the earlier record")
        << QByteArray("Visa|01/10/2002|9.00|1\r\n"
                      "Visa|02/10/2002|100.00|2\r\n"
                      "Visa|03/10/2002|10.00|3\r\n"
                      "Visa|04/10/2002|100.00|4\r\n"
                      "Visa|05/10/2002|9|5\r\n")
        << 5 << block("Visa", 5, "9.00 on 01/10/2002", "100.00 on 02/10/2002") << "01/10/2002"
        << "05/10/2002";
    QTest::newRow("leading number of an amount")
        << QByteArray("Visa|01/10/2002| 12.5 EUR|1\r\n"
                      "Visa|02/10/2002|-3.00|2\r\n"
                      "Visa|03/10/2002|n/a|3\r\n"
                      "Visa|04/10/2002|12345678901234567.5|4\r\n"
                      "Visa|05/10/2002|12345678901234567.25|5\r\n")
        << 5 << block("Visa", 5, "-3.00 on 02/10/2002", "12345678901234567.5 on 04/10/2002") << "01/10/2002"
        << "05/10/2002";
    QTest::newRow("record dates by calendar")
        << QByteArray("Visa|12/01/2003|1.00|1\r\nVisa|31/12/2002|1.00|2\r\nVisa|2/10/2002|1.00|3\r\n") << 3
        << block("Visa", 3, "1.00 on 12/01/2003", "1.00 on 12/01/2003") << "02/10/2002"
        << "12/01/2003";
    QTest::newRow("unreadable date shown as stored, left out of first and last")
        << QByteArray("Visa|someday|5.00|1\r\nVisa|01/10/2002|9.00|2\r\n") << 2
        << block("Visa", 2, "5.00 on someday", "9.00 on 01/10/2002") << "01/10/2002"
        << "01/10/2002";
    QTest::newRow("separators in the confirmation, bare line feeds, no final break")
        << QByteArray("Visa|01/10/2002|5.00|a|b|\nBank|02/10/2002|6.00|c") << 2
        << block("Bank", 1, "6.00 on 02/10/2002", "6.00 on 02/10/2002") +
               block("Visa", 1, "5.00 on 01/10/2002", "5.00 on 01/10/2002")
        << "01/10/2002"
        << "02/10/2002";
    QTest::newRow("code page names") << QByteArray("Caf\xe9 \x80|01/10/2002|5.00|1\r\n") << 1
                                     << block(QStringLiteral("Caf\u00e9 \u20ac"), 1, "5.00 on 01/10/2002",
                                              "5.00 on 01/10/2002")
                                     << "01/10/2002"
                                     << "01/10/2002";
    QTest::newRow("a record without creditor is counted in no group")
        << QByteArray("|01/10/2001|1.00|1\r\nVisa|01/10/2002|5.00|2\r\n") << 2
        << block("Visa", 1, "5.00 on 01/10/2002", "5.00 on 01/10/2002") << "01/10/2002"
        << "01/10/2002";
}

void TestReportBuilder::groupsAndTotals() {
    QFETCH(QByteArray, log);
    QFETCH(int, count);
    QFETCH(QString, blocks);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const QString expected = "DataBase contains " + QString::number(count) +
                             " entries\r\n"
                             "DB initialized 04/10/2002 18:20\r\n\r\n" +
                             blocks + "DB first record date: " + first + "\r\nDB last record date: " + last +
                             "\r\nLast DB Back-Up date:  none";
    QCOMPARE(BuildReport(writeLog(log), QString(), British), expected);
}

void TestReportBuilder::datesFollowTheLocale() {
    // The log holds the program's month/day/year form of this locale; the report writes its short form.
    const QString log = writeLog("Visa|10/01/2002|5.00|1\r\nVisa|2/3/2002|9.00|2\r\n");
    writeBackup();
    QCOMPARE(BuildReport(log, backupPath(), QLocale(QLocale::English, QLocale::UnitedStates)),
             QString("DataBase contains 2 entries\r\n"
                     "DB initialized 10/4/02 6:20 PM\r\n"
                     "\r\n"
                     "Visa: has 2 entries\r\n"
                     "Visa smallest payment: $5.00 on 10/1/02\r\n"
                     "Visa largest payment: $9.00 on 2/3/02\r\n"
                     "\r\n"
                     "DB first record date: 2/3/02\r\n"
                     "DB last record date: 10/1/02\r\n"
                     "Last DB Back-Up date: 11/1/02 9:30 AM"));
}

void TestReportBuilder::logLargerThanOneRead() {
    // Lines cross the borders of the pieces the log is read in, and one line is longer than any piece.
    QByteArray log;
    for (int i = 0; i < 40000; ++i)
        log += "Visa|01/10/2002|1.00|C" + QByteArray::number(i) + "\r\n";
    log += "Bank|02/10/2002|5.00|" + QByteArray(3 << 20, 'x') + "\r\n";
    for (int i = 0; i < 40000; ++i)
        log += "Visa|03/10/2002|2.00|D" + QByteArray::number(i) + "\r\n";
    log += "Gas|04/10/2002|7.00|last";
    const QString expected = "DataBase contains 80002 entries\r\n"
                             "DB initialized 04/10/2002 18:20\r\n\r\n" +
                             block("Bank", 1, "5.00 on 02/10/2002", "5.00 on 02/10/2002") +
                             block("Gas", 1, "7.00 on 04/10/2002", "7.00 on 04/10/2002") +
                             block("Visa", 80000, "1.00 on 01/10/2002", "2.00 on 03/10/2002") +
                             "DB first record date: 01/10/2002\r\n"
                             "DB last record date: 04/10/2002\r\n"
                             "Last DB Back-Up date:  none";
    QCOMPARE(BuildReport(writeLog(log), QString(), British), expected);
}

void TestReportBuilder::backupLine_data() {
    QTest::addColumn<QString>("name"); // in the data folder; empty for an empty path
    QTest::addColumn<QString>("expected");
    QTest::newRow("no backup path") << QString() << " none";
    QTest::newRow("missing file") << "missing.bak"
                                  << " none";
    QTest::newRow("a folder") << "folder.bak"
                              << " none";
    QTest::newRow("backup file") << "db.bak"
                                 << "01/11/2002 09:30";
}

void TestReportBuilder::backupLine() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    writeBackup();
    QVERIFY(QDir().mkpath(m_program->dataFile(QStringLiteral("folder.bak"))));
    const QString path = name.isEmpty() ? QString() : m_program->dataFile(name);
    QCOMPARE(LastBackupDate(path, British), expected);
    const QString report = BuildReport(writeLog("Visa|01/10/2002|5.00|1\r\n"), path, British);
    QVERIFY2(report.endsWith("\r\nLast DB Back-Up date: " + expected), qPrintable(report));
}

void TestReportBuilder::unreadableLog_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "db.db";
    QTest::newRow("a folder in its place") << "db.db/";
}

void TestReportBuilder::unreadableLog() {
    QFETCH(QString, name);
    if (name.endsWith('/'))
        QVERIFY(QDir().mkpath(m_program->dataFile(name)));
    writeBackup();
    // Nothing is reported rather than a report of an empty log.
    QCOMPARE(BuildReport(m_program->dataFile(name), backupPath(), British), QString());
}

QTEST_GUILESS_MAIN(TestReportBuilder)
#include "tst_reports_builder.moc"
