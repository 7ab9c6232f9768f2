#include "crash_script.h"

#include "store/storage_rules.h"

namespace CrashScript {

namespace {

const QString Names[] = {QStringLiteral("01-05-2027.db"), QStringLiteral("archive.db"), QStringLiteral("year end")};

QByteArray recordLine(quint32 seed, int serial) {
    return "Creditor " + QByteArray::number(serial % 17) + "|01/" + QByteArray::number(10 + serial % 18) + "/2027|" +
           QByteArray::number(serial % 900 + 1) + ".25|C-" + QByteArray::number(seed) + '-' +
           QByteArray::number(serial);
}

} // namespace

Script::Script(quint32 seed)
    : m_random(seed)
    , m_seed(seed) {}

Step Script::next(int records) {
    Step step;
    const quint32 roll = m_random.bounded(8u);
    if (roll < 4 || records == 0) {
        step.kind = Kind::Append;
        step.line = recordLine(m_seed, ++m_serial);
    } else if (roll < 6) {
        step.kind = Kind::Remove;
        step.record = int(m_random.bounded(quint32(records)));
    } else {
        step.kind = Kind::Store;
        step.name = Names[m_random.bounded(quint32(std::size(Names)))];
    }
    return step;
}

QByteArray initialLog(int records) {
    QByteArray log;
    for (int i = 0; i < records; ++i)
        log += recordLine(0, i) + "\r\n";
    return log;
}

QByteArray Model::log() const {
    QByteArray bytes;
    for (const QByteArray& record : records)
        bytes += record + "\r\n";
    return bytes;
}

void Model::apply(const Step& step) {
    switch (step.kind) {
    case Kind::Append:
        records.append(step.line);
        return;
    case Kind::Remove:
        records.removeAt(step.record);
        return;
    case Kind::Store: {
        // A copy never replaces one that holds records the log lacks: it takes the next free number.
        const QString name = step.name.contains(u'.') ? step.name : step.name + QStringLiteral(".db");
        const QByteArray bytes = log();
        for (int n = 1;; ++n) {
            const QString candidate = n == 1 ? name : Storage::numberedName(name, n);
            const auto existing = copies.constFind(candidate);
            if (existing != copies.cend() && !Storage::holdsAllOf(bytes, *existing))
                continue;
            copies.insert(candidate, bytes);
            return;
        }
    }
    }
}

} // namespace CrashScript
