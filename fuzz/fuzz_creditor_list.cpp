// The creditor list reader, fed any bytes as creditors.dat. Every entry it reads that the file can carry
// must come back the same after it is written again, as the add command writes it.

#include "fuzz_support.h"
#include "store/creditor_list.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList entries = readCreditorFile(FuzzSupport::writeInput(QStringLiteral("creditors.dat"), data, size));

    const QString copy = FuzzSupport::path(QStringLiteral("written.dat"));
    QFile::remove(copy);
    QStringList written;
    for (const QString& entry : entries) {
        const CreditorEntry split = CreditorEntry::fromPlain(entry);
        // Split at its first three "|", an entry of all four fields joins back as it was.
        if (entry.count(u'|') >= 3)
            FuzzSupport::check(split.plain() == entry, "an entry does not split and join back");
        const QString name = creditorName(entry);
        FuzzSupport::check(name.isEmpty() || entry.startsWith(name + u'|'), "a name that is not the entry's start");
        if (written.size() < 64 && appendCreditorLine(copy, entry))
            written.append(entry);
    }
    FuzzSupport::check(readCreditorFile(copy) == written, "a written entry reads back differently");
    return 0;
}
