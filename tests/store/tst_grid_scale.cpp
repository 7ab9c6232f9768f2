#include "store/payment_grid.h"
#include "store/sort_keys.h"
#include "store/text_codec.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// What the grid does quickly for a million records must still do exactly what it did for a few. Sorting by
// compact keys (ranked texts, numbers as integers, a byte-wise radix sort) gives the order of the plain
// rule: numbers by value, dates by day, other texts by their decoded, case-folded form, empty cells last,
// rows with equal cells in their earlier order.
class TestGridScale final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void readableOrders_data();
    void readableOrders();
    void ordersAsThePlainRule_data();
    void ordersAsThePlainRule();
    void viewsKeepTheirRows();
    void writeLogAcrossBlocks();
    void findCellMatchesWholeCells();
    void cellsChangedPastTheSpareRoom();

private:
    QString writeLog(const QByteArray& bytes);
    QList<QByteArray> confirmations() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PaymentGrid> m_grid;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void TestGridScale::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_grid = std::make_unique<PaymentGrid>();
    m_tester = std::make_unique<QAbstractItemModelTester>(m_grid.get(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestGridScale::cleanup() {
    m_tester.reset();
    m_grid.reset();
    m_dir.reset();
}

QString TestGridScale::writeLog(const QByteArray& bytes) {
    const QString path = m_dir->filePath(QStringLiteral("db.db"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture");
    file.write(bytes);
    return path;
}

// The Confirmation column from the first row down to the last record.
QList<QByteArray> TestGridScale::confirmations() const {
    QList<QByteArray> cells;
    for (int row = 1; row < m_grid->rows(); ++row) {
        if (m_grid->holdsRecord(row))
            cells.append(m_grid->cellBytes(row, PaymentGrid::Confirmation).toByteArray());
    }
    return cells;
}

void TestGridScale::readableOrders_data() {
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QList<QByteArray>>("sorted");
    // "0" and "-0" are the same number: they keep their order.
    const QList<QByteArray> mixed = {"Zeta",  "10", "9.5",   "01/02/2026", "12/31/2025", "",
                                     "alpha", "-3", "ALPHA", "0",          "-0"};
    QTest::newRow("numeric ascending") << mixed << true << true
                                       << QList<QByteArray>{"-3",         "0",     "-0",    "9.5",  "10", "12/31/2025",
                                                            "01/02/2026", "alpha", "ALPHA", "Zeta", ""};
    QTest::newRow("numeric descending") << mixed << true << false
                                        << QList<QByteArray>{"Zeta",       "alpha", "ALPHA", "01/02/2026",
                                                             "12/31/2025", "10",    "9.5",   "0",
                                                             "-0",         "-3",    ""};
    QTest::newRow("accents fold with their letters") << QList<QByteArray>{"\xc9"
                                                                          "cole",
                                                                          "ecole",
                                                                          "Eclair",
                                                                          "\xe9"
                                                                          "cole",
                                                                          "Zoo",
                                                                          "zebra",
                                                                          "\x8a"
                                                                          "ki",
                                                                          "\x9a"
                                                                          "KI"}
                                                     << false << true
                                                     << QList<QByteArray>{"Eclair",
                                                                          "ecole",
                                                                          "zebra",
                                                                          "Zoo",
                                                                          "\xc9"
                                                                          "cole",
                                                                          "\xe9"
                                                                          "cole",
                                                                          "\x8a"
                                                                          "ki",
                                                                          "\x9a"
                                                                          "KI"};
    QTest::newRow("names alike beyond eight characters")
        << QList<QByteArray>{"Northwind Water", "northwind bank", "NORTHWIND BANK",
                             "Northwind",       "Northwin",       "Northwind Auto"}
        << false << true << QList<QByteArray>{"Northwin",       "Northwind",      "Northwind Auto",
                                              "northwind bank", "NORTHWIND BANK", "Northwind Water"};
    QTest::newRow("a byte 0 is not a missing character")
        << QList<QByteArray>{QByteArray("ab\0", 3), "ab", QByteArray("ab\0c", 4), "AB"} << false << true
        << QList<QByteArray>{"ab", "AB", QByteArray("ab\0", 3), QByteArray("ab\0c", 4)};
}

void TestGridScale::readableOrders() {
    QFETCH(QList<QByteArray>, cells);
    QFETCH(bool, numeric);
    QFETCH(bool, ascending);
    QFETCH(QList<QByteArray>, sorted);
    QByteArray log;
    for (const QByteArray& cell : cells)
        log += "Visa|01/02/2026|1.00|" + cell + "\r\n";
    QCOMPARE(m_grid->loadFile(writeLog(log)).records, int(cells.size()));
    m_grid->sortRows(PaymentGrid::Confirmation, ascending, numeric ? SortKind::Numeric : SortKind::Text);
    QCOMPARE(confirmations(), sorted);
}

void TestGridScale::ordersAsThePlainRule_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<bool>("ascending");
    // A few hundred distinct texts are ranked by hashing them, tens of thousands by sorting them.
    QTest::newRow("few texts, text order") << 3000 << false << true;
    QTest::newRow("few texts, numeric descending") << 3000 << true << false;
    QTest::newRow("many texts, text descending") << 60000 << false << false;
    QTest::newRow("many texts, numeric ascending") << 60000 << true << true;
}

void TestGridScale::ordersAsThePlainRule() {
    QFETCH(int, records);
    QFETCH(bool, numeric);
    QFETCH(bool, ascending);
    // Cells of every kind, made the same on every run: numbers, dates, texts that differ only in case or in
    // accents, texts alike in their first eight characters, empty cells.
    static const char* const Pieces[] = {"a",    "A",    "b",          "B",          "\xe9", "\xc9", "\x9a",
                                         "\x8a", "\xff", "\x9f",       "\xb5",       "\xdf", "z",    "Z",
                                         " ",    "-",    "Northwind ", "NORTHWIND ", "e"};
    constexpr int PieceCount = int(sizeof(Pieces) / sizeof(Pieces[0]));
    quint32 state = 12345;
    const auto next = [&state](quint32 bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    };
    const bool manyTexts = records > 10000;
    QList<QByteArray> cells;
    for (int i = 0; i < records; ++i) {
        QByteArray cell;
        switch (next(8)) {
        case 0:
            cell = QByteArray::number(int(next(2000)) - 1000) + '.' + QByteArray::number(next(100));
            break;
        case 1:
            cell = QByteArray::number(next(13) + 1) + '/' + QByteArray::number(next(31) + 1) + '/' +
                   QByteArray::number(2000 + next(30));
            break;
        case 2:
            cell = next(4) == 0 ? QByteArray() : "13/45/2020";
            break;
        default:
            for (quint32 n = next(manyTexts ? 6 : 3) + 1; n > 0; --n)
                cell += Pieces[next(manyTexts ? PieceCount : 6)];
            if (manyTexts)
                cell += QByteArray::number(next(100000));
            break;
        }
        cells.append(cell);
    }
    QByteArray log;
    for (const QByteArray& cell : cells)
        log += "Visa|01/02/2026|1.00|" + cell + "\r\n";
    QCOMPARE(m_grid->loadFile(writeLog(log)).records, records);

    // The plain rule, as the cells read: keys by value, texts decoded and folded, a stable sort.
    const SortKeyMaker maker(numeric ? SortKind::Numeric : SortKind::Text);
    struct Plain {
        SortKey key;
        QString folded;
    };
    std::vector<Plain> plain;
    for (const QByteArray& cell : cells)
        plain.push_back({maker.make(cell), TextCodec::decode(cell).toCaseFolded()});
    const auto less = [&](int a, int b) {
        const Plain& x = plain[size_t(a)];
        const Plain& y = plain[size_t(b)];
        if (x.key.category != y.key.category)
            return x.key.category < y.key.category;
        return x.key.category == SortKey::Text ? x.folded < y.folded : x.key.value < y.key.value;
    };
    std::vector<int> order(cells.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool aEmpty = plain[size_t(a)].key.category == SortKey::Empty;
        const bool bEmpty = plain[size_t(b)].key.category == SortKey::Empty;
        if (aEmpty || bEmpty)
            return !aEmpty && bEmpty;
        return ascending ? less(a, b) : less(b, a);
    });

    m_grid->sortRows(PaymentGrid::Confirmation, ascending, numeric ? SortKind::Numeric : SortKind::Text);
    for (int row = 1; row <= records; ++row) {
        const QByteArray expected = cells.at(order[size_t(row - 1)]);
        if (m_grid->cellBytes(row, PaymentGrid::Confirmation) != QByteArrayView(expected))
            QFAIL(qPrintable(QStringLiteral("row %1: \"%2\" where \"%3\" belongs")
                                 .arg(row)
                                 .arg(TextCodec::decode(m_grid->cellBytes(row, PaymentGrid::Confirmation)),
                                      TextCodec::decode(expected))));
    }
    // The empty row after the records stays last.
    QCOMPARE(m_grid->rows(), records + 2);
    QVERIFY(!m_grid->holdsRecord(records + 1));
}

void TestGridScale::viewsKeepTheirRows() {
    m_grid->loadFile(writeLog("Visa|01/02/2026|5.00|C\r\nBank|01/03/2026|6.00|A\r\nAmex|01/04/2026|7.00|B\r\n"));
    const QPersistentModelIndex bank = m_grid->index(1, PaymentGrid::Payment);
    const QPersistentModelIndex empty = m_grid->index(5, PaymentGrid::Creditor);
    m_grid->sortRows(PaymentGrid::Confirmation, true, SortKind::Text);
    QCOMPARE(bank.row(), 0);
    QCOMPARE(bank.data().toString(), QStringLiteral("6.00"));
    QVERIFY(empty.isValid());
    QVERIFY(!m_grid->holdsRecord(empty.row() + 1));
}

void TestGridScale::writeLogAcrossBlocks() {
    // Over a megabyte of records, written out block by block, comes back byte for byte, with the lines the
    // load could not read after them.
    QByteArray records;
    for (int i = 0; i < 30000; ++i)
        records += "Creditor " + QByteArray::number(i % 37) + "|01/02/2026|" + QByteArray::number(i) + ".00|C" +
                   QByteArray::number(i * 7) + "\r\n";
    const QByteArray tail = "not a record\r\nVisa|01/02/2026|1.00|Z\r\n";
    QVERIFY(records.size() > (1 << 20));
    m_grid->loadFile(writeLog(records + tail));
    QBuffer out;
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(m_grid->writeLog(out));
    QCOMPARE(out.data().size(), records.size() + tail.size());
    QVERIFY(out.data() == records + tail);
}

void TestGridScale::findCellMatchesWholeCells() {
    m_grid->loadFile(writeLog("Visa|01/02/2026|5.00|C-10\r\nBank|01/03/2026|6.00|C-1\r\nAmex||7.00|C-1\r\n"));
    QCOMPARE(m_grid->findCell(PaymentGrid::Confirmation, "C-1"), 2);
    QCOMPARE(m_grid->findCell(PaymentGrid::Confirmation, "C-1", 3), 3);
    QCOMPARE(m_grid->findCell(PaymentGrid::Confirmation, "C-1", 4), 0);
    QCOMPARE(m_grid->findCell(PaymentGrid::Confirmation, "c-1"), 0);
    QCOMPARE(m_grid->findCell(PaymentGrid::Confirmation, "C-"), 0);
    // An empty view finds the first empty cell: the date of the third record, then the rows below.
    QCOMPARE(m_grid->findCell(PaymentGrid::Date, {}), 3);
    QCOMPARE(m_grid->findCell(PaymentGrid::Creditor, {}), 4);
    QCOMPARE(m_grid->findCell(PaymentGrid::Filler, {}), 0);
}

void TestGridScale::cellsChangedPastTheSpareRoom() {
    // Changed cells go to the end of the buffer, which keeps some room after a load; past that room it
    // moves, and no record may change on the way.
    const QByteArray log = "Visa|01/02/2026|5.00|C1\r\nBank|01/03/2026|6.00|C2\r\n";
    m_grid->loadFile(writeLog(log));
    for (int i = 0; i < 2000; ++i)
        QVERIFY(m_grid->setCell(2, PaymentGrid::Confirmation, QStringLiteral("Confirmation %1").arg(i)));
    QCOMPARE(m_grid->recordLine(1), QByteArray("Visa|01/02/2026|5.00|C1\r\n"));
    QCOMPARE(m_grid->recordLine(2), QByteArray("Bank|01/03/2026|6.00|Confirmation 1999\r\n"));
}

QTEST_GUILESS_MAIN(TestGridScale)
#include "tst_grid_scale.moc"
