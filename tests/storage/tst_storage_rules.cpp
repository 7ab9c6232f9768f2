#include "store/storage_rules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(PrefItems)

namespace {

PrefItems prefsWith(std::initializer_list<std::pair<int, QString>> values) {
    PrefItems prefs;
    // What the main window's load presets before the stored record is read.
    for (int k = 0; k <= 12; ++k)
        prefs[k] = QStringLiteral("0");
    for (const auto& [slot, value] : values)
        prefs[slot] = value;
    return prefs;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void stamp(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

const QByteArray TwoRecords = "Visa|01/02/2027|5.00|A\r\nBank|01/03/2027|12.00|B\r\n";

} // namespace

class TestStorageRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void storageName_data();
    void storageName();
    void backupPath_data();
    void backupPath();
    void markerLines();
    void markerDateIsTheStamp();
    void storageCovers_data();
    void storageCovers();
    void storedThisMonthReadsTheFile();
    void monthlyBackupDue_data();
    void monthlyBackupDue();
    void holdsAllOf_data();
    void holdsAllOf();
    void copyIsWholeAndChecked();
    void copyNeverReplacesWhatIsNotAFile_data();
    void copyNeverReplacesWhatIsNotAFile();
    void storeTakesAFreeName_data();
    void storeTakesAFreeName();
    void storeRefusesNamesOutsideTheDataFolder_data();
    void storeRefusesNamesOutsideTheDataFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFiles> m_files;
};

void TestStorageRules::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_files = std::make_unique<ProgramFiles>(m_dir->path());
    QVERIFY(QDir().mkpath(m_files->DataFolder()));
}

void TestStorageRules::storageName_data() {
    QTest::addColumn<PrefItems>("prefs");
    QTest::addColumn<QString>("name");
    const QDate today(2027, 1, 5);
    QTest::newRow("date name") << prefsWith({{PrefItems::UsYr, "1"}, {PrefItems::JanN, "archive"}}) << "01-05-2027.db";
    QTest::newRow("name without a dot") << prefsWith({{PrefItems::JanN, "archive"}}) << "archive.db";
    QTest::newRow("name with a dot") << prefsWith({{PrefItems::JanN, "archive.old"}}) << "archive.old";
    QTest::newRow("no preferences record") << prefsWith({}) << "0.db";
    QTest::newRow("date option not exactly 1") << prefsWith({{PrefItems::UsYr, "2"}, {PrefItems::JanN, "x"}}) << "x.db";
    QTest::newRow("full path kept as typed")
        << prefsWith({{PrefItems::JanN, "C:\\Users\\me\\archive.db"}}) << "C:\\Users\\me\\archive.db";
}

void TestStorageRules::storageName() {
    QFETCH(PrefItems, prefs);
    QFETCH(QString, name);
    QCOMPARE(Storage::storageName(prefs, QDate(2027, 1, 5)), name);
}

void TestStorageRules::backupPath_data() {
    QTest::addColumn<QString>("MBKF");
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << ""
                           << "<data>/db.bak";
    QTest::newRow("no dot") << "D:\\safe\\log"
                            << "D:\\safe\\log.bak";
    QTest::newRow("dot in a folder") << "D:\\safe.dir\\log"
                                     << "D:\\safe.dir\\log";
    QTest::newRow("folder only") << "C:\\My Documents\\"
                                 << "C:\\My Documents\\.bak";
    QTest::newRow("dot first only") << ".hidden"
                                    << ".hidden.bak";
}

void TestStorageRules::backupPath() {
    QFETCH(QString, MBKF);
    QFETCH(QString, path);
    path.replace("<data>", m_files->DataFolder());
    QCOMPARE(Storage::backupPath(prefsWith({{PrefItems::MBKF, MBKF}}), *m_files), path);
}

void TestStorageRules::markerLines() {
    QCOMPARE(Storage::backupMarkerLine(),
             QByteArray("** Quorvane ** Brellick ** v3.0 ** - Do Not Remove nor Delete this file\r\n"));
    QCOMPARE(Storage::storageDateLine(QDate(2027, 1, 5)), QByteArray("01-05-2027\r\n"));
    QCOMPARE(Storage::storageDateFile(*m_files), m_files->dataFile("lastSv.dat"));
    QCOMPARE(Storage::backupMarkerFile(*m_files), m_files->dataFile("MlastSv.dat"));
}

void TestStorageRules::markerDateIsTheStamp() {
    // The markers carry the program's clock, not the machine's, so a clock set in a test is what is read back.
    const QDateTime when(QDate(2031, 2, 3), QTime(9, 0));
    QVERIFY(Storage::RecordStorageDate(*m_files, when));
    QCOMPARE(readFile(m_files->dataFile("lastSv.dat")), QByteArray("02-03-2031\r\n"));
    QCOMPARE(Storage::markerDate(m_files->dataFile("lastSv.dat")), when.date());
    // Rewritten over an old one, it is dated anew.
    const QDateTime later(QDate(2032, 1, 2), QTime(9, 0));
    QVERIFY(Storage::RecordStorageDate(*m_files, later));
    QCOMPARE(Storage::markerDate(m_files->dataFile("lastSv.dat")), later.date());
    QVERIFY(!Storage::markerDate(m_files->dataFile("missing.dat")).isValid());
}

void TestStorageRules::storageCovers_data() {
    QTest::addColumn<QDate>("stored");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("covers");
    QTest::newRow("same month") << QDate(2027, 1, 2) << QDate(2027, 1, 31) << true;
    QTest::newRow("january covers february") << QDate(2027, 1, 2) << QDate(2027, 2, 10) << true;
    QTest::newRow("january of last year") << QDate(2026, 1, 2) << QDate(2027, 1, 2) << false;
    QTest::newRow("january of last year, february") << QDate(2026, 1, 2) << QDate(2027, 2, 2) << false;
    QTest::newRow("december before") << QDate(2026, 12, 31) << QDate(2027, 1, 1) << false;
    QTest::newRow("february does not cover march") << QDate(2027, 2, 2) << QDate(2027, 3, 2) << false;
    QTest::newRow("none") << QDate() << QDate(2027, 1, 2) << false;
}

void TestStorageRules::storageCovers() {
    QFETCH(QDate, stored);
    QFETCH(QDate, today);
    QFETCH(bool, covers);
    QCOMPARE(Storage::storageCovers(stored, today), covers);
}

void TestStorageRules::storedThisMonthReadsTheFile() {
    const QDate today(2027, 1, 3);
    QVERIFY(!Storage::StoredThisMonth(*m_files, today));
    writeFile(m_files->dataFile("lastSv.dat"), "whatever\r\n");
    stamp(m_files->dataFile("lastSv.dat"), QDateTime(QDate(2026, 1, 20), QTime(8, 0)));
    QVERIFY(!Storage::StoredThisMonth(*m_files, today));
    stamp(m_files->dataFile("lastSv.dat"), QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    QVERIFY(Storage::StoredThisMonth(*m_files, today));
    // Only the month counts for this test; January for February is the storage's own rule.
    QVERIFY(!Storage::StoredThisMonth(*m_files, QDate(2027, 2, 1)));
}

void TestStorageRules::monthlyBackupDue_data() {
    QTest::addColumn<QDate>("last");
    QTest::addColumn<bool>("due");
    QTest::newRow("no marker yet") << QDate() << true;
    QTest::newRow("this month") << QDate(2027, 3, 1) << false;
    QTest::newRow("march of last year") << QDate(2026, 3, 20) << true;
    QTest::newRow("last month") << QDate(2027, 2, 28) << true;
}

void TestStorageRules::monthlyBackupDue() {
    QFETCH(QDate, last);
    QFETCH(bool, due);
    if (last.isValid())
        QVERIFY(Storage::writeMarker(Storage::backupMarkerFile(*m_files), Storage::backupMarkerLine(),
                                     QDateTime(last, QTime(12, 0))));
    QCOMPARE(Storage::monthlyBackupDue(*m_files, QDate(2027, 3, 15)), due);
}

void TestStorageRules::holdsAllOf_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("holds");
    const QByteArray a = "A|01/01/2027|1.00|1\r\n";
    const QByteArray b = "B|01/01/2027|2.00|2\r\n";
    const QByteArray c = "C|01/01/2027|3.00|3\r\n";
    QTest::newRow("same") << a + b << a + b << true;
    QTest::newRow("log grew") << a + b + c << a + b << true;
    QTest::newRow("log holds fewer") << a << a + b << false;
    QTest::newRow("as many, others") << a + c << a + b << false;
    QTest::newRow("other order") << b + a << a + b << true;
    QTest::newRow("stored empty") << QByteArray() << QByteArray("\r\n") << true;
    QTest::newRow("a record twice") << a + b << a + a << false;
    QTest::newRow("line ends differ") << QByteArray("A|1|1|1\nB|2|2|2") << QByteArray("A|1|1|1\r\n") << true;
}

void TestStorageRules::holdsAllOf() {
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, stored);
    QFETCH(bool, holds);
    QCOMPARE(Storage::holdsAllOf(log, stored), holds);
}

void TestStorageRules::copyIsWholeAndChecked() {
    const QString from = m_files->paymentLog();
    const QString to = m_files->dataFile("copy.db");
    writeFile(from, TwoRecords);
    writeFile(to, "older and longer content than the log holds\r\n\r\n\r\n\r\n");
    QVERIFY(Storage::copyWhole(from, to));
    QCOMPARE(readFile(to), TwoRecords);
    QCOMPARE(QFileInfo(to).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_files->DataFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    QVERIFY(!Storage::copyWhole(m_files->dataFile("missing.db"), to));
    QCOMPARE(readFile(to), TwoRecords);
}

void TestStorageRules::copyNeverReplacesWhatIsNotAFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("link to a device") << "device";
    QTest::newRow("link to nothing") << "dangling";
}

void TestStorageRules::copyNeverReplacesWhatIsNotAFile() {
    QFETCH(QString, kind);
    writeFile(m_files->paymentLog(), TwoRecords);
    const QString to = m_files->dataFile("copy.db");
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(to + "/inside"));
    } else if (kind == "device") {
        if (!QFile::exists("/dev/full") || !QFile::link("/dev/full", to))
            QSKIP("no /dev/full here");
    } else {
        QVERIFY(QFile::link(m_dir->filePath("elsewhere.db"), to));
    }
    QVERIFY(!Storage::copyWhole(m_files->paymentLog(), to));
    if (kind == "folder")
        QVERIFY(QFileInfo(to + "/inside").isDir());
    if (kind == "device")
        QVERIFY(!QFileInfo("/dev/full").isFile());
    if (kind == "dangling")
        QVERIFY(!QFile::exists(m_dir->filePath("elsewhere.db")));
}

void TestStorageRules::storeTakesAFreeName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("existing"); // name=content pairs
    QTest::addColumn<QString>("storedAs");
    const QString other = "Old|01/01/2026|1.00|X\r\nOld|02/01/2026|1.00|Y\r\nOld|03/01/2026|1.00|Z\r\n";
    const QString older = "Visa|01/02/2027|5.00|A\r\n";
    QTest::newRow("new name") << "archive.db" << QStringList{} << "archive.db";
    QTest::newRow("same day again") << "archive.db" << QStringList{"archive.db=" + older} << "archive.db";
    QTest::newRow("more records stored") << "archive.db" << QStringList{"archive.db=" + other} << "archive (2).db";
    QTest::newRow("numbered name holds nothing new")
        << "archive.db" << QStringList{"archive.db=" + other, "archive (2).db=" + older} << "archive (2).db";
    QTest::newRow("numbered names taken")
        << "a.old" << QStringList{"a.old=" + other, "a (2).old=" + other} << "a (3).old";
    QTest::newRow("the log's own name") << "db.db" << QStringList{} << "db (2).db";
    QTest::newRow("the creditor list") << "creditors.dat" << QStringList{} << "creditors (2).dat";
    QTest::newRow("a marker, case ignored") << "LASTSV.DAT" << QStringList{} << "LASTSV (2).DAT";
}

void TestStorageRules::storeTakesAFreeName() {
    QFETCH(QString, name);
    QFETCH(QStringList, existing);
    QFETCH(QString, storedAs);
    writeFile(m_files->paymentLog(), TwoRecords);
    writeFile(m_files->creditorList(), "scrambled\r\n");
    QMap<QString, QByteArray> before;
    for (const QString& pair : existing) {
        const QString file = pair.section('=', 0, 0);
        const QByteArray content = pair.section('=', 1).toLatin1();
        writeFile(m_files->dataFile(file), content);
        before.insert(file, content);
    }
    const Storage::StoredCopy copy = Storage::storeLogCopy(*m_files, name);
    QVERIFY(copy.ok);
    QCOMPARE(copy.name, storedAs);
    QCOMPARE(readFile(m_files->dataFile(storedAs)), TwoRecords);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != storedAs)
            QCOMPARE(readFile(m_files->dataFile(it.key())), it.value());
    }
    QCOMPARE(readFile(m_files->paymentLog()), TwoRecords);
    QCOMPARE(readFile(m_files->creditorList()), QByteArray("scrambled\r\n"));
}

void TestStorageRules::storeRefusesNamesOutsideTheDataFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("full path") << m_dir->filePath("outside.db");
    QTest::newRow("up a folder") << "../outside.db";
    QTest::newRow("windows path") << "C:\\Users\\me\\archive.db";
    QTest::newRow("empty") << "";
    QTest::newRow("dots") << "..";
}

void TestStorageRules::storeRefusesNamesOutsideTheDataFolder() {
    QFETCH(QString, name);
    writeFile(m_files->paymentLog(), TwoRecords);
    QVERIFY(!Storage::storeLogCopy(*m_files, name).ok);
    QVERIFY(!QFile::exists(m_dir->filePath("outside.db")));
    QCOMPARE(QDir(m_files->DataFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"db.db"});
}

QTEST_GUILESS_MAIN(TestStorageRules)
#include "tst_storage_rules.moc"
