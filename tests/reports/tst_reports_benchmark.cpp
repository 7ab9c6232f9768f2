#include "reports/report_builder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The report over a log of a million records, as a user who has kept one for decades might have.
class TestReportsBenchmark final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void millionRecords();

private:
    static constexpr int Records = 1'000'000;
    static constexpr int Creditors = 40;
    QTemporaryDir m_dir;
    QString m_log;
};

void TestReportsBenchmark::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_log = m_dir.filePath(QStringLiteral("db.db"));
    QByteArray bytes;
    bytes.reserve(qsizetype(Records) * 48);
    const QDate start(1990, 1, 1);
    for (int i = 0; i < Records; ++i) {
        const QDate day = start.addDays(i / 40);
        bytes += "Creditor " + QByteArray::number(i * 7 % Creditors) + '|' + day.toString(u"MM/dd/yyyy").toLatin1() +
                 '|' + QByteArray::number(i % 9973) + '.' + QByteArray::number(10 + i % 90) + "|CONF" +
                 QByteArray::number(i) + "\r\n";
    }
    QFile file(m_log);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestReportsBenchmark::millionRecords() {
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    QString report;
    QBENCHMARK {
        report = BuildReport(m_log, QString(), locale);
    }
    QVERIFY(report.startsWith(u"DataBase contains 1000000 entries\r\n"));
    QCOMPARE(report.count(u" entries\r\n"), 1 + Creditors);
    QVERIFY(report.contains(u"Creditor 0: has 25000 entries\r\n"));
    QVERIFY(report.contains(u"DB first record date: 1/1/90\r\n"));
}

QTEST_GUILESS_MAIN(TestReportsBenchmark)
#include "tst_reports_benchmark.moc"
