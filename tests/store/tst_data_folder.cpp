#include "store/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestDataFolder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunCreatesFolderAndEmptyLog();
    void existingLogIsNeverTouched();
    void unwritableProgramFolderIsReported();
    void pathsHangOffTheProgramFolder();
};

void TestDataFolder::firstRunCreatesFolderAndEmptyLog() {
    QTemporaryDir dir;
    const ProgramFiles files(dir.path());
    QVERIFY(EnsurePaymentLog(files));
    QVERIFY(QFileInfo(files.DataFolder()).isDir());
    QCOMPARE(QFileInfo(files.paymentLog()).size(), 0);
    QVERIFY(EnsurePaymentLog(files));
    QCOMPARE(QDir(files.DataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("db.db")});
}

void TestDataFolder::existingLogIsNeverTouched() {
    QTemporaryDir dir;
    const ProgramFiles files(dir.path());
    QVERIFY(QDir().mkpath(files.DataFolder()));
    QFile log(files.paymentLog());
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("Visa|01/02/2026|5.00|A\r\n");
    log.close();
    const QDateTime stamp = QDateTime::currentDateTime().addDays(-3);
    QVERIFY(log.open(QIODevice::ReadWrite));
    QVERIFY(log.setFileTime(stamp, QFileDevice::FileModificationTime));
    log.close();

    QVERIFY(EnsurePaymentLog(files));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("Visa|01/02/2026|5.00|A\r\n"));
    QCOMPARE(QFileInfo(files.paymentLog()).lastModified().toSecsSinceEpoch(), stamp.toSecsSinceEpoch());
}

void TestDataFolder::unwritableProgramFolderIsReported() {
    QTemporaryDir dir;
    // A file where the data folder should be cannot be turned into a folder, whoever runs the test.
    QFile blocker(dir.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!EnsurePaymentLog(ProgramFiles(dir.path())));

    // A folder standing where the log should be is not a log.
    QTemporaryDir other;
    const ProgramFiles files(other.path());
    QVERIFY(QDir().mkpath(files.paymentLog()));
    QVERIFY(!EnsurePaymentLog(files));
}

void TestDataFolder::pathsHangOffTheProgramFolder() {
    const ProgramFiles files(QStringLiteral("/opt/quorvane"));
    QCOMPARE(files.DataFolder(), QStringLiteral("/opt/quorvane/data"));
    QCOMPARE(files.paymentLog(), QStringLiteral("/opt/quorvane/data/db.db"));
    QCOMPARE(files.creditorList(), QStringLiteral("/opt/quorvane/data/creditors.dat"));
    QCOMPARE(files.helpFile(QStringLiteral("help.html")), QStringLiteral("/opt/quorvane/help/help.html"));
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_data_folder.moc"
