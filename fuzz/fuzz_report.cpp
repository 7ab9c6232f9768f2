// The report builder, fed any bytes as db.db. Its count must be the number of records from the start of the
// log up to the first line that is not one.

#include "fuzz_support.h"
#include "reports/report_builder.h"

#include <QLocale>

namespace {

qsizetype leadingRecords(const QByteArray& log) {
    qsizetype count = 0;
    qsizetype start = 0;
    while (start < log.size()) {
        qsizetype end = log.indexOf('\n', start);
        if (end < 0)
            end = log.size();
        if (QByteArrayView(log).sliced(start, end - start).count('|') < 3)
            break;
        ++count;
        start = end + 1;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray log(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = FuzzSupport::writeInput(QStringLiteral("db.db"), data, size);
    const QString expected = QStringLiteral("DataBase contains %1 entries\r\n").arg(leadingRecords(log));
    // Day first, month first, and the C locale whose short date has no numeric month.
    for (const QLocale& locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
        const QString report = BuildReport(path, path, locale);
        FuzzSupport::check(report.startsWith(expected), "the report counts other records than the log holds");
    }
    return 0;
}
