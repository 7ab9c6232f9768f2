// The payment log reader, fed any bytes as db.db. Beyond not crashing, a load followed by the rewrite of a
// removal must give back every line it read: records with a creditor unchanged, and everything from the
// first line that is not a record on, as it stood.

#include "fuzz_support.h"
#include "store/payment_grid.h"

#include <algorithm>
#include <QBuffer>

namespace {

QByteArray written(const PaymentGrid& grid) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    FuzzSupport::check(grid.writeLog(out), "writeLog failed on a buffer");
    return out.data();
}

// The lines a rewrite keeps: the records up to the first line that is not one, except those without a
// creditor (only rows with a creditor are records of the grid), then all the rest.
QByteArrayList expectedLines(const QByteArray& input) {
    QByteArrayList kept;
    bool inTail = false;
    for (const QByteArray& line : FuzzSupport::nonEmptyLines(input)) {
        if (!inTail && line.count('|') < 3)
            inTail = true;
        if (inTail || !line.startsWith('|'))
            kept.append(line);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    PaymentGrid grid;
    const PaymentGrid::LoadResult result = grid.loadFile(FuzzSupport::writeInput(QStringLiteral("db.db"), data, size));
    FuzzSupport::check(result.opened, "a regular file did not open");
    FuzzSupport::check(grid.rows() >= PaymentGrid::DesignRows, "fewer rows than the design");
    FuzzSupport::check(!grid.holdsRecord(grid.rows() - 1), "no empty row after the last record");

    // Everything the view asks for.
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            grid.data(grid.index(row, column));
    }

    const QByteArray rewritten = written(grid);
    FuzzSupport::check(FuzzSupport::nonEmptyLines(rewritten) == expectedLines(input), "a rewrite changed the log");

    // A header click, the column and direction picked by the input's first byte: the sort, then the
    // compaction.
    const int column = size > 0 ? data[0] % PaymentGrid::RecordColumns : 0;
    const bool ascending = size > 0 && (data[0] & 4) != 0;
    grid.sortRows(column, ascending, column == PaymentGrid::Creditor ? SortKind::Text : SortKind::Numeric);
    grid.CompactGridRows();
    QByteArrayList sorted = FuzzSupport::nonEmptyLines(written(grid));
    QByteArrayList unsorted = FuzzSupport::nonEmptyLines(rewritten);
    std::sort(sorted.begin(), sorted.end());
    std::sort(unsorted.begin(), unsorted.end());
    FuzzSupport::check(sorted == unsorted, "sorting changed the records");

    if (grid.holdsRecord(1)) {
        const QByteArray first = grid.recordLine(1);
        const PaymentGrid::TakenRow taken = grid.takeRecord(1);
        grid.putBack(taken);
        FuzzSupport::check(grid.recordLine(1) == first, "a record put back differs");
    }
    return 0;
}
