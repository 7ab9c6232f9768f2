#include "bench/log_generator.h"

#include "app/main_rules.h"
#include "store/date_text.h"
#include "store/scramble.h"
#include "store/text_codec.h"

#include <array>
#include <vector>

namespace LogGenerator {

quint64 Random::next() {
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

QStringList creditorNames(int count) {
    static const std::array<const char*, 25> Prefixes = {
        "Northwind", "First Union", "Blue River", "Summit",   "Cedar",     "Harbor",     "Pioneer",
        "Granite",   "Silver Oak",  "Meridian",   "Lakeside", "Redwood",   "Keystone",   "Evergreen",
        "Beacon",    "Clearwater",  "Ironbridge", "Maple",    "Westfield", "Brightline", "Old Mill",
        "Sunrise",   "Highland",    "Bayview",    "Stonegate"};
    static const std::array<const char*, 8> Kinds = {"Bank",  "Card",     "Power",     "Water",
                                                     "Phone", "Mortgage", "Auto Loan", "Insurance"};
    constexpr int Distinct = int(Prefixes.size() * Kinds.size());
    QStringList names;
    names.reserve(count);
    for (int k = 0; k < count; ++k) {
        QString name = QString::fromLatin1(Prefixes[size_t(k % int(Prefixes.size()))]) + u' ' +
                       QString::fromLatin1(Kinds[size_t((k / int(Prefixes.size())) % int(Kinds.size()))]);
        if (k >= Distinct)
            name += u' ' + QString::number(k / Distinct + 1);
        // Some names typed all in small or all in capital letters, so that the text sort has case to fold.
        if (k % 7 == 3)
            name = name.toLower();
        else if (k % 11 == 5)
            name = name.toUpper();
        names.append(name);
    }
    return names;
}

QByteArray creditorList(int count, quint64 seed) {
    Random random(seed ^ 0xC4ED1705ULL);
    const QStringList names = creditorNames(count);
    static constexpr char Letters[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789#$%&*+-=?@";
    QByteArray file;
    for (int k = 0; k < count; ++k) {
        QByteArray password;
        for (int i = 0; i < 12; ++i)
            password += Letters[random.below(sizeof(Letters) - 1)];
        QByteArray slug = names.at(k).toLower().toLatin1();
        slug.replace(' ', "");
        const QByteArray plain = TextCodec::encode(names.at(k)).value_or(QByteArray()) + "|user" +
                                 QByteArray::number(k + 1) + '|' + password + "|https://www." + slug + ".example/login";
        file += ScrambleText(plain, CreditorListKey());
        file += "\r\n";
    }
    return file;
}

namespace {

// The confirmation number of record j: unique for every j below 10^10, as digits for most creditors and
// letters and digits for the rest.
QByteArray confirmationNumber(quint64 j) {
    const quint64 v = (j * 2654435761ULL + 12345ULL) % 10'000'000'000ULL; // odd and not a multiple of 5
    if (v % 10 < 6)
        return QByteArray::number(v);
    return "QV-" + QByteArray::number(v, 36).toUpper();
}

QByteArray amountText(quint64 cents) {
    QByteArray text = QByteArray::number(cents / 100);
    text += '.';
    const quint64 fraction = cents % 100;
    text += char('0' + fraction / 10);
    text += char('0' + fraction % 10);
    return text;
}

} // namespace

QByteArray paymentLog(const LogShape& shape, const QLocale& locale) {
    Random random(shape.seed);
    const QDate lastDay = shape.firstDay.addYears(shape.years).addDays(-1);
    const qint64 days = shape.firstDay.daysTo(lastDay) + 1;

    // Every day's date cell as record entry writes it, made once.
    std::vector<QByteArray> dateCells;
    dateCells.reserve(size_t(days));
    for (qint64 d = 0; d < days; ++d)
        dateCells.push_back(MainRules::padDateCell(DateText::format(shape.firstDay.addDays(d), locale)).toLatin1());
    std::vector<QByteArray> creditors;
    for (const QString& name : creditorNames(shape.creditors))
        creditors.push_back(TextCodec::encode(name).value_or(QByteArray()));

    static constexpr quint64 Powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    QByteArray log;
    log.reserve(qsizetype(shape.records) * 48);
    for (int i = 0; i < shape.records; ++i) {
        // Records come in the order of their dates, a payment now and then entered a day or two late.
        qint64 day = qint64(i) * days / std::max(shape.records, 1) - qint64(random.below(3));
        day = std::clamp<qint64>(day, 0, days - 1);
        // Amounts spread evenly over their number of digits, from 0.01 to 99999.99.
        const quint64 power = Powers[random.below(7)];
        const quint64 cents = power + random.below(9 * power);
        const bool repeat = i > 0 && random.below(100) == 0;
        const quint64 confirmation = repeat ? random.below(quint64(i)) : quint64(i);

        log += creditors[size_t(random.below(creditors.size()))];
        log += '|';
        log += dateCells[size_t(day)];
        log += '|';
        log += amountText(cents);
        log += '|';
        log += confirmationNumber(confirmation);
        log += "\r\n";
    }
    return log;
}

quint64 fingerprint(const QByteArray& bytes) {
    quint64 hash = 14695981039346656037ULL;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

} // namespace LogGenerator
