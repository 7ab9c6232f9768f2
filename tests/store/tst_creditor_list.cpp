#include "store/creditor_list.h"
#include "store/data_folder.h"
#include "store/scramble.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCreditorList final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }
    void writtenEntriesReadBackInOrder();
    void fileBytesAreScrambledLines();
    void emptyLineEndsTheList();
    void missingFileGivesNothing();
    void entrySplitting_data();
    void entrySplitting();
    void creditorFileOnlyWithANewDataFolder();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("creditors.dat")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCreditorList::writtenEntriesReadBackInOrder() {
    const QStringList entries = {
        QStringLiteral("Visa|jane| |https://visa.example/login"),
        QStringLiteral("Bank of Ohio|j.doe|s3cr\u00e9t \u20ac|"),
        QStringLiteral("Amex| | |"),
    };
    for (const QString& entry : entries)
        QVERIFY(appendCreditorLine(path(), entry));
    QCOMPARE(readCreditorFile(path()), entries);
}

void TestCreditorList::fileBytesAreScrambledLines() {
    QVERIFY(appendCreditorLine(path(), QStringLiteral("Visa|u|p|")));
    QFile file(path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, ScrambleText("Visa|u|p|", CreditorListKey()) + "\r\n");
    QVERIFY(!bytes.contains("Visa"));
#ifndef Q_OS_WIN
    QCOMPARE(file.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
#endif
}

void TestCreditorList::emptyLineEndsTheList() {
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ScrambleText("First|a|b|", CreditorListKey()) + "\r\n\r\n" +
               ScrambleText("After|c|d|", CreditorListKey()) + "\r\n");
    file.close();
    QCOMPARE(readCreditorFile(path()), QStringList{QStringLiteral("First|a|b|")});
}

void TestCreditorList::missingFileGivesNothing() {
    QVERIFY(readCreditorFile(path()).isEmpty());
}

void TestCreditorList::entrySplitting_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("name");
    QTest::newRow("whole") << QStringLiteral("Visa|jane|pw|https://a.example/?x=1|2")
                           << QStringList{"Visa", "jane", "pw", "https://a.example/?x=1|2"} << QStringLiteral("Visa");
    QTest::newRow("no address") << QStringLiteral("Visa|jane|pw|") << QStringList{"Visa", "jane", "pw", ""}
                                << QStringLiteral("Visa");
    QTest::newRow("two fields") << QStringLiteral("Visa|jane") << QStringList{"Visa", "jane", "", ""}
                                << QStringLiteral("Visa");
    QTest::newRow("no bar") << QStringLiteral("Visa") << QStringList{"Visa", "", "", ""} << QString();
    QTest::newRow("empty name") << QStringLiteral("|jane|pw|") << QStringList{"", "jane", "pw", ""} << QString();
}

void TestCreditorList::entrySplitting() {
    QFETCH(QString, plain);
    QFETCH(QStringList, fields);
    QFETCH(QString, name);
    const CreditorEntry entry = CreditorEntry::fromPlain(plain);
    QCOMPARE(QStringList({entry.name, entry.userName, entry.password, entry.loginUrl}), fields);
    QCOMPARE(creditorName(plain), name);
}

void TestCreditorList::creditorFileOnlyWithANewDataFolder() {
    ProgramFiles files(m_dir->path());
    EnsureCreditorFile(files);
    QVERIFY(QFileInfo(files.creditorList()).isFile());
    QCOMPARE(QFileInfo(files.creditorList()).size(), 0);

    // With the folder already there, nothing is created.
    QVERIFY(QFile::remove(files.creditorList()));
    EnsureCreditorFile(files);
    QVERIFY(!QFileInfo::exists(files.creditorList()));
}

QTEST_GUILESS_MAIN(TestCreditorList)
#include "tst_creditor_list.moc"
