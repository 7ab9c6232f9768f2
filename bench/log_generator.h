#pragma once

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// Payment logs and creditor lists for the benchmark, made the same on every machine and library version:
// one fixed-seed generator of our own, no standard-library distributions.
namespace LogGenerator {

// SplitMix64: small, fast and fully specified, so a seed always gives the same numbers.
class Random final {
public:
    explicit Random(quint64 seed)
        : m_state(seed) {}
    quint64 next();
    // A number in [0, bound); the tiny modulo bias does not matter here.
    quint64 below(quint64 bound) { return bound == 0 ? 0 : next() % bound; }

private:
    quint64 m_state;
};

inline constexpr quint64 DefaultSeed = 0x51A7E5EEDULL;
inline constexpr int LogCreditors = 200;
inline constexpr int Years = 20;

// Distinct creditor names, mixed in case as people type them.
QStringList creditorNames(int count);

// The creditor list file: one scrambled entry per line (name, user name, password, login address).
QByteArray creditorList(int count, quint64 seed = DefaultSeed);

struct LogShape {
    int records = 0;
    int creditors = LogCreditors; // the first names of creditorNames()
    QDate firstDay = QDate(2006, 1, 1);
    int years = Years;
    quint64 seed = DefaultSeed;
};
// The payment log: records in the order they were entered, twenty years of dates in the program's date
// form for the locale, amounts from 0.01 to 99999.99, confirmation numbers unique but for about one in a
// hundred that repeats an earlier one.
QByteArray paymentLog(const LogShape& shape, const QLocale& locale = QLocale());

// FNV-1a of the bytes, so that two machines can tell they timed the same data.
quint64 fingerprint(const QByteArray& bytes);

} // namespace LogGenerator
