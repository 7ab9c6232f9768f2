#include "reports/report_builder.h"

#include "store/date_text.h"
#include "store/text_codec.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

const char* findByte(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, size_t(end - from)));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number of an amount text, "." as the decimal point; 0 when the text does not start with one.
double leadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    // Digits gathered as a whole number and divided once by a power of ten round exactly as the decimal
    // text would: each step is exact up to fifteen digits.
    static constexpr double Scale[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qint64 whole = 0;
    int digits = 0;
    int decimals = 0;
    const auto take = [&](char c) {
        if (digits++ < 18)
            whole = whole * 10 + (c - '0');
    };
    for (; i < text.size() && isDigit(text[i]); ++i)
        take(text[i]);
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++decimals)
            take(text[i]);
    }
    double value = 0;
    if (digits <= 15)
        value = double(whole) / Scale[decimals];
    else
        std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
    return negative ? -value : value;
}

// Creditor names and dates are short; a plain FNV-1a hash of their bytes is all the lookups need. Keys are
// kept as strings and looked up by views, so a record costs no allocation.
struct ShortHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const noexcept {
        size_t hash = 14695981039346656037ULL;
        for (const char c : text)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return hash;
    }
};
template <typename Value> using ShortMap = std::unordered_map<std::string, Value, ShortHash, std::equal_to<>>;

QString decode(std::string_view bytes) {
    return TextCodec::decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

struct Payment {
    std::string amount;
    std::string date;
    double value = 0;
};

struct Group {
    std::string name;
    QString text; // the name as shown, decoded once for the sort and the lines
    qsizetype count = 0;
    Payment smallest;
    Payment largest;
};

// The statistics, gathered record by record in the log's order.
class Tally {
public:
    explicit Tally(const QLocale& locale)
        : m_locale(locale) {}

    void add(std::string_view creditor, std::string_view date, std::string_view amount) {
        ++m_count;
        if (creditor.empty())
            return; // counted, but it belongs to no creditor
        const double value = leadingNumber(amount);
        auto entry = m_groupOf.find(creditor);
        if (entry == m_groupOf.end()) {
            entry = m_groupOf.emplace(std::string(creditor), m_groups.size()).first;
            const Payment first{std::string(amount), std::string(date), value};
            m_groups.push_back(Group{std::string(creditor), {}, 0, first, first});
        }
        Group& group = m_groups[entry->second];
        ++group.count;
        // Only a strictly smaller or larger amount replaces the one kept, so the earlier record wins a tie.
        if (value < group.smallest.value)
            group.smallest = Payment{std::string(amount), std::string(date), value};
        if (value > group.largest.value)
            group.largest = Payment{std::string(amount), std::string(date), value};

        const QDate day = dayOf(date);
        if (!day.isValid())
            return; // a date that cannot be read moves neither end
        if (!m_first.isValid() || day < m_first)
            m_first = day;
        if (!m_last.isValid() || day > m_last)
            m_last = day;
    }

    // The groups without regard to case; a stable sort keeps names that differ only in case in the order
    // the log first names them.
    std::vector<Group>& sortedGroups() {
        for (Group& group : m_groups)
            group.text = decode(group.name);
        std::stable_sort(m_groups.begin(), m_groups.end(), [](const Group& a, const Group& b) {
            return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
        });
        return m_groups;
    }

    QDate dayOf(std::string_view date) {
        // Records of one day usually follow one another, and every date repeats: each distinct text is
        // converted once.
        if (m_lastDate && *m_lastDate == date)
            return m_lastDay;
        auto known = m_dateOf.find(date);
        if (known == m_dateOf.end())
            known = m_dateOf.emplace(std::string(date), DateText::parse(decode(date), m_locale)).first;
        m_lastDate = &known->first;
        m_lastDay = known->second;
        return m_lastDay;
    }

    qsizetype count() const { return m_count; }
    QDate first() const { return m_first; }
    QDate last() const { return m_last; }

private:
    const QLocale& m_locale;
    ShortMap<size_t> m_groupOf;
    std::vector<Group> m_groups;
    ShortMap<QDate> m_dateOf;
    const std::string* m_lastDate = nullptr; // keys of an unordered map stay where they are
    QDate m_lastDay;
    QDate m_first;
    QDate m_last;
    qsizetype m_count = 0;
};

// Hands each record of the log to the tally, up to the end of the file, an empty line or a line that is not a
// record, so that the count and the statistics always cover the same records. The file is read in pieces
// into one buffer: a large log costs neither its size in memory nor the time to fill that memory.
bool readLog(QFile& file, Tally& tally) {
    constexpr qsizetype Piece = qsizetype(1) << 20;
    QByteArray buffer(Piece, Qt::Uninitialized);
    qsizetype held = 0; // bytes of an unfinished line carried over from the last piece
    bool atEnd = false;
    while (!atEnd) {
        if (buffer.size() - held < Piece / 2)
            buffer.resize(buffer.size() * 2); // a line longer than the buffer
        const qint64 got = file.read(buffer.data() + held, buffer.size() - held);
        if (got < 0)
            return false;
        atEnd = got == 0;
        const char* const begin = buffer.constData();
        const char* const end = begin + held + got;
        const char* line = begin;
        while (line < end) {
            const char* newline = findByte(line, end, '\n');
            if (!newline && !atEnd)
                break; // the rest of this line comes with the next piece
            const char* lineEnd = newline ? newline : end;
            const char* bar1 = findByte(line, lineEnd, '|');
            const char* bar2 = bar1 ? findByte(bar1 + 1, lineEnd, '|') : nullptr;
            const char* bar3 = bar2 ? findByte(bar2 + 1, lineEnd, '|') : nullptr;
            if (!bar3)
                return true; // an empty line or one that is not a record ends the log
            tally.add(std::string_view(line, size_t(bar1 - line)), std::string_view(bar1 + 1, size_t(bar2 - bar1 - 1)),
                      std::string_view(bar2 + 1, size_t(bar3 - bar2 - 1)));
            line = newline ? newline + 1 : end;
        }
        held = end - line;
        std::memmove(buffer.data(), line, size_t(held));
    }
    return true;
}

QString timeStamp(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when, QLocale::ShortFormat);
}

std::optional<QDateTime> lastWritten(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    // Only a file can be a log or a backup; a folder of that name holds no date worth reporting.
    if (!info.isFile())
        return std::nullopt;
    const QDateTime when = info.lastModified();
    if (!when.isValid())
        return std::nullopt;
    return when;
}

const QString None = QStringLiteral(" none");

} // namespace

QString LastBackupDate(const QString& backupPath, const QLocale& locale) {
    const std::optional<QDateTime> when = lastWritten(backupPath);
    return when ? timeStamp(*when, locale) : None;
}

QString BuildReport(const QString& logPath, const QString& backupPath, const QLocale& locale) {
    // A device in place of the log might never end; only a regular file is read.
    if (!QFileInfo(logPath).isFile())
        return {};
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Tally tally(locale);
    if (!readLog(file, tally))
        return {};
    file.close();

    const auto shortDate = [&locale](const QDate& day) { return locale.toString(day, QLocale::ShortFormat); };
    const auto recordDate = [&](const std::string& text) {
        const QDate day = tally.dayOf(text);
        // A date the program cannot read is shown as the log holds it.
        return day.isValid() ? shortDate(day) : decode(text);
    };
    const std::optional<QDateTime> initialized = lastWritten(logPath);

    const QString lineBreak = QStringLiteral("\r\n");
    QString report;
    report +=
        QStringLiteral("DataBase contains ") + QString::number(tally.count()) + QStringLiteral(" entries") + lineBreak;
    report += QStringLiteral("DB initialized ") + (initialized ? timeStamp(*initialized, locale) : None) + lineBreak +
              lineBreak;
    for (const Group& group : tally.sortedGroups()) {
        report += group.text + QStringLiteral(": has ") + QString::number(group.count) + QStringLiteral(" entries") +
                  lineBreak;
        report += group.text + QStringLiteral(" smallest payment: $") + decode(group.smallest.amount) +
                  QStringLiteral(" on ") + recordDate(group.smallest.date) + lineBreak;
        report += group.text + QStringLiteral(" largest payment: $") + decode(group.largest.amount) +
                  QStringLiteral(" on ") + recordDate(group.largest.date) + lineBreak + lineBreak;
    }
    report += QStringLiteral("DB first record date: ") + (tally.first().isValid() ? shortDate(tally.first()) : None) +
              lineBreak;
    report +=
        QStringLiteral("DB last record date: ") + (tally.last().isValid() ? shortDate(tally.last()) : None) + lineBreak;
    report += QStringLiteral("Last DB Back-Up date: ") + LastBackupDate(backupPath, locale);
    return report;
}
