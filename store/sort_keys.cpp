#include "store/sort_keys.h"

#include "store/date_text.h"
#include "store/text_codec.h"

#include <charconv>
#include <cmath>
#include <QDate>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

QByteArrayView trimmed(QByteArrayView bytes) {
    while (!bytes.isEmpty() && bytes.front() == ' ')
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && bytes.back() == ' ')
        bytes.chop(1);
    return bytes;
}

// Optional sign, digits with at most one ".", at least one digit.
bool readNumber(QByteArrayView bytes, double& value) {
    bytes = trimmed(bytes);
    if (bytes.isEmpty())
        return false;
    qsizetype i = (bytes.front() == '-' || bytes.front() == '+') ? 1 : 0;
    bool point = false, digit = false;
    for (qsizetype k = i; k < bytes.size(); ++k) {
        if (bytes[k] == '.' && !point)
            point = true;
        else if (isDigit(bytes[k]))
            digit = true;
        else
            return false;
    }
    if (!digit)
        return false;
    const char* begin = bytes.data() + (bytes.front() == '+' ? 1 : 0);
    const auto result = std::from_chars(begin, bytes.data() + bytes.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = bytes.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return true;
}

bool readDate(QByteArrayView bytes, const std::array<char16_t, 3>& order, double& day) {
    int parts[3] = {0, 0, 0};
    int part = 0, digits = 0;
    for (const char c : trimmed(bytes)) {
        if (c == '/') {
            if (digits == 0 || ++part > 2)
                return false;
            digits = 0;
        } else if (isDigit(c) && digits < 6) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else {
            return false;
        }
    }
    if (part != 2 || digits == 0)
        return false;
    int d = 0, m = 0, y = 0;
    for (int k = 0; k < 3; ++k) {
        (order[size_t(k)] == u'd' ? d : order[size_t(k)] == u'M' ? m : y) = parts[k];
    }
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    day = double(date.toJulianDay());
    return true;
}

} // namespace

SortKeyMaker::SortKeyMaker(SortKind kind, const QLocale& locale)
    : m_kind(kind)
    , m_dateOrder(DateText::partOrder(locale)) {}

SortKey SortKeyMaker::make(QByteArrayView cell) const {
    SortKey key;
    if (cell.isEmpty())
        return key;
    if (m_kind == SortKind::Numeric) {
        if (readNumber(cell, key.value)) {
            key.category = SortKey::Number;
            return key;
        }
        if (readDate(cell, m_dateOrder, key.value)) {
            key.category = SortKey::Date;
            return key;
        }
    }
    key.category = SortKey::Text;
    key.text = TextCodec::decode(cell).toCaseFolded();
    return key;
}

bool SortKeyMaker::less(const SortKey& a, const SortKey& b) {
    if (a.category != b.category)
        return a.category < b.category;
    if (a.category == SortKey::Text)
        return a.text < b.text;
    return a.value < b.value;
}
