#include "store/log_file.h"
#include "store/payment_grid.h"

#include "scripted.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPaymentGrid final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void designRows();
    void rowGrowth_data();
    void rowGrowth();
    void recordFields_data();
    void recordFields();
    void malformedLineEndsReading();
    void loadClearsAnEarlierLongerLoad();
    void unreadableFileLeavesGrid();
    void setCellKeepsRecordLine();
    void setCellRefusesWhatTheFileCannotCarry();
    void appendWritesWholeLinesOnly();
    void compactingKeepsEveryRecord_data();
    void compactingKeepsEveryRecord();
    void compactingAnEmptyGridLeavesOneRow();

private:
    QString writeLog(const QByteArray& bytes);
    static QByteArray records(int n);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PaymentGrid> m_grid;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestPaymentGrid::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_grid = std::make_unique<PaymentGrid>();
    m_tester = std::make_unique<QAbstractItemModelTester>(m_grid.get(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestPaymentGrid::cleanup() {
    m_tester.reset();
    m_grid.reset();
    m_dir.reset();
}

QString TestPaymentGrid::writeLog(const QByteArray& bytes) {
    const QString path = m_dir->filePath(QStringLiteral("db.db"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture");
    file.write(bytes);
    return path;
}

QByteArray TestPaymentGrid::records(int n) {
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += "Creditor " + QByteArray::number(i) + "|01/02/2026|" + QByteArray::number(i) + ".00|C" +
                 QByteArray::number(i) + "\r\n";
    return bytes;
}

void TestPaymentGrid::designRows() {
    QCOMPARE(m_grid->rows(), 12);
    QCOMPARE(m_grid->rowCount(), 11);
    QCOMPARE(m_grid->columnCount(), 5);
    const QStringList headers = {QStringLiteral("Creditor"), QStringLiteral("Date"), QStringLiteral("Payment"),
                                 QStringLiteral("Confirmation"), QString()};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(m_grid->headerData(c, Qt::Horizontal).toString(), headers.at(c));
}

void TestPaymentGrid::rowGrowth_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("rows");
    QTest::newRow("empty log") << 0 << 12;
    QTest::newRow("ten fill the design rows") << 10 << 12;
    QTest::newRow("eleventh grows one row") << 11 << 13;
    QTest::newRow("many") << 250 << 252;
}

void TestPaymentGrid::rowGrowth() {
    QFETCH(int, records);
    QFETCH(int, rows);
    const auto result = m_grid->loadFile(writeLog(TestPaymentGrid::records(records)));
    QVERIFY(result.opened);
    QCOMPARE(result.records, records);
    QCOMPARE(m_grid->rows(), rows);
    // Every record in its row, and an empty row after the last one.
    for (int r = 1; r <= records; ++r)
        QCOMPARE(m_grid->cell(r, PaymentGrid::Creditor), QStringLiteral("Creditor %1").arg(r));
    QVERIFY(!m_grid->holdsRecord(records + 1));
    if (records > 0)
        QCOMPARE(m_grid->currentRow(), records);
}

void TestPaymentGrid::recordFields_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("count");
    QTest::newRow("empty lines anywhere")
        << QByteArray("\r\n\r\nVisa|01/02/2026|5.00|A\r\n\r\n\r\nBank|01/03/2026|6.00|B\r\n\r\n")
        << QStringList{"Visa", "01/02/2026", "5.00", "A"} << 2;
    QTest::newRow("fourth bar stays in the confirmation")
        << QByteArray("Visa|01/02/2026|5.00|A|B|\r\n") << QStringList{"Visa", "01/02/2026", "5.00", "A|B|"} << 1;
    QTest::newRow("lone line feeds and no final break") << QByteArray("Visa|01/02/2026|5.00|A\nBank|1/3/2026|6.00|B")
                                                        << QStringList{"Visa", "01/02/2026", "5.00", "A"} << 2;
    QTest::newRow("code page text") << QByteArray("Cr\xe9"
                                                  "dit \x80|01/02/2026|5.00|\xe9t\xe9\r\n")
                                    << QStringList{QStringLiteral("Cr\u00e9dit \u20ac"), "01/02/2026", "5.00",
                                                   QStringLiteral("\u00e9t\u00e9")}
                                    << 1;
    QTest::newRow("empty fields") << QByteArray("Visa|||\r\n") << QStringList{"Visa", "", "", ""} << 1;
}

void TestPaymentGrid::recordFields() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, first);
    QFETCH(int, count);
    QCOMPARE(m_grid->loadFile(writeLog(file)).records, count);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(m_grid->cell(1, c), first.at(c));
    QCOMPARE(m_grid->data(m_grid->index(0, 0)).toString(), first.at(0));
    QVERIFY(!m_grid->holdsRecord(count + 1));
}

void TestPaymentGrid::malformedLineEndsReading() {
    const QByteArray tail = "Broken|01/05/2026\r\nLater|01/06/2026|1.00|Z\r\n";
    const auto result = m_grid->loadFile(writeLog("Visa|01/02/2026|5.00|A\r\n" + tail));
    QCOMPARE(result.records, 1);
    QVERIFY(!result.complete);
    QVERIFY(!m_grid->holdsRecord(2)); // no half record is shown
    // What could not be shown is kept for the next rewrite of the log.
    QCOMPARE(m_grid->unreadTail(), tail);
}

void TestPaymentGrid::loadClearsAnEarlierLongerLoad() {
    m_grid->loadFile(writeLog(records(20)));
    QCOMPARE(m_grid->rows(), 22);
    m_grid->loadFile(writeLog("Only|01/02/2026|1.00|X\r\n"));
    QCOMPARE(m_grid->rows(), 12);
    QVERIFY(m_grid->holdsRecord(1));
    for (int r = 2; r < m_grid->rows(); ++r)
        QVERIFY2(!m_grid->holdsRecord(r), qPrintable(QString::number(r)));
}

void TestPaymentGrid::unreadableFileLeavesGrid() {
    m_grid->loadFile(writeLog(records(3)));
    const auto result = m_grid->loadFile(m_dir->filePath(QStringLiteral("missing.db")));
    QVERIFY(!result.opened);
    QCOMPARE(m_grid->cell(3, PaymentGrid::Creditor), QStringLiteral("Creditor 3"));
}

void TestPaymentGrid::setCellKeepsRecordLine() {
    m_grid->loadFile(writeLog(records(2)));
    QVERIFY(m_grid->setCell(3, PaymentGrid::Creditor, QStringLiteral("Cr\u00e9dit")));
    QVERIFY(m_grid->setCell(3, PaymentGrid::Date, QStringLiteral("03/04/2026")));
    QVERIFY(m_grid->setCell(3, PaymentGrid::Payment, QStringLiteral("12.00")));
    QVERIFY(m_grid->setCell(3, PaymentGrid::Confirmation, QStringLiteral("X|Y")));
    QCOMPARE(m_grid->recordLine(3), QByteArray("Cr\xe9"
                                               "dit|03/04/2026|12.00|X|Y\r\n"));
    // Changing one cell leaves the others of the row and the other rows alone.
    QVERIFY(m_grid->setCell(1, PaymentGrid::Payment, QStringLiteral("99.99")));
    QCOMPARE(m_grid->recordLine(1), QByteArray("Creditor 1|01/02/2026|99.99|C1\r\n"));
    QCOMPARE(m_grid->recordLine(2), QByteArray("Creditor 2|01/02/2026|2.00|C2\r\n"));
}

void TestPaymentGrid::setCellRefusesWhatTheFileCannotCarry() {
    QVERIFY(!m_grid->setCell(1, PaymentGrid::Creditor, QStringLiteral("\u4e2d")));
    QVERIFY(!m_grid->holdsRecord(1));
    QVERIFY(!m_grid->setCell(0, PaymentGrid::Creditor, QStringLiteral("header")));
    QVERIFY(!m_grid->setCell(1, PaymentGrid::Filler, QStringLiteral("x")));
}

void TestPaymentGrid::appendWritesWholeLinesOnly() {
    const QString path = writeLog("Visa|01/02/2026|5.00|A\r\n");
    QVERIFY(appendToFile(path, "Bank|01/03/2026|6.00|B\r\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Visa|01/02/2026|5.00|A\r\nBank|01/03/2026|6.00|B\r\n"));

    FailingDevice full(5);
    full.open(QIODevice::WriteOnly);
    QVERIFY(!appendToDevice(full, "Bank|01/03/2026|6.00|B\r\n"));
}

// A click on a header or on the grid compacts it on the clicked column. Records whose cell in that column is
// empty (a payment without a confirmation number, a hand-edited log) used to be taken out of the grid, and
// the next removal then dropped them from the log.
void TestPaymentGrid::compactingKeepsEveryRecord_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("sortFirst");
    QTest::newRow("first record without confirmation, no sort")
        << QByteArray("Visa|01/02/2026|5.00|\r\nBank|01/03/2026|6.00|B\r\n") << 3 << false;
    QTest::newRow("no record has a confirmation, sorted on it")
        << QByteArray("Visa|01/02/2026|5.00|\r\nBank|01/03/2026|6.00|\r\n") << 3 << true;
    QTest::newRow("no record has an amount, sorted on it")
        << QByteArray("Visa|01/02/2026||A\r\nBank|01/03/2026||B\r\nCard|01/04/2026||C\r\n") << 2 << true;
    QTest::newRow("a row without creditor on top")
        << QByteArray("|01/02/2026|5.00|A\r\nBank|01/03/2026|6.00|B\r\n") << 0 << false;
}

void TestPaymentGrid::compactingKeepsEveryRecord() {
    QFETCH(QByteArray, log);
    QFETCH(int, column);
    QFETCH(bool, sortFirst);
    m_grid->loadFile(writeLog(log));
    // Every row that holds anything, as the grid shows it. A sort may change their order; a compaction alone
    // leaves the rows that hold anything where they were.
    const auto shown = [this, sortFirst] {
        QStringList rows;
        for (int row = 1; row < m_grid->rows(); ++row) {
            QStringList cells;
            for (int c = 0; c < PaymentGrid::RecordColumns; ++c)
                cells.append(m_grid->cell(row, c));
            if (!cells.join(QString()).isEmpty())
                rows.append(cells.join(u'|'));
        }
        if (sortFirst)
            rows.sort();
        return rows;
    };
    const QStringList before = shown();
    QVERIFY(!before.isEmpty());
    const int rows = m_grid->rows();
    if (sortFirst)
        m_grid->sortRows(column, true, SortKind::Numeric);
    m_grid->CompactGridRows();
    QCOMPARE(shown(), before);
    QCOMPARE(m_grid->rows(), rows);
}

void TestPaymentGrid::compactingAnEmptyGridLeavesOneRow() {
    m_grid->CompactGridRows();
    QCOMPARE(m_grid->rows(), 2);
    QVERIFY(!m_grid->holdsRecord(1));
}

QTEST_GUILESS_MAIN(TestPaymentGrid)
#include "tst_payment_grid.moc"
