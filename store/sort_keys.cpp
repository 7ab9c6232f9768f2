#include "store/sort_keys.h"

#include "store/date_text.h"
#include "store/huge_pages.h"
#include "store/text_codec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <QDate>
#include <utility>

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

// Every byte of the code page decodes to one character and folds to one character. Numbering the folded
// characters in their order gives each byte a rank, and texts compared rank by rank order exactly as their
// decoded, folded forms do.
const std::array<quint8, 256>& foldedRanks() {
    static const std::array<quint8, 256> ranks = [] {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString text = TextCodec::decode(QByteArrayView(&byte, 1)).toCaseFolded();
            Q_ASSERT(text.size() == 1);
            folded[size_t(b)] = text.isEmpty() ? char16_t(0) : text.at(0).unicode();
        }
        std::array<char16_t, 256> order = folded;
        std::sort(order.begin(), order.end());
        const auto last = std::unique(order.begin(), order.end());
        std::array<quint8, 256> result{};
        for (size_t b = 0; b < 256; ++b)
            result[b] = quint8(std::lower_bound(order.begin(), last, folded[b]) - order.begin());
        return result;
    }();
    return ranks;
}

} // namespace

SortKeyMaker::SortKeyMaker(SortKind kind, const QLocale& locale)
    : m_kind(kind)
    , m_dateOrder(DateText::partOrder(locale)) {
    foldedRanks();
}

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
    return key;
}

int SortKeyMaker::compareText(QByteArrayView a, QByteArrayView b) {
    // Equal bytes are the usual case in a column of creditor names: no need to fold them.
    if (a.size() == b.size() && (a.isEmpty() || std::memcmp(a.data(), b.data(), size_t(a.size())) == 0))
        return 0;
    const auto& ranks = foldedRanks();
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int difference =
            int(ranks[static_cast<unsigned char>(a[i])]) - int(ranks[static_cast<unsigned char>(b[i])]);
        if (difference != 0)
            return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Orders the entries by category, then by number: a stable sort by bytes. One counting pass puts the
// categories apart; then each category's numbers are sorted by their bytes, the least significant first,
// passing over the bytes that all of them share (the ranks of a column of creditor names need one pass,
// days of twenty years two or three). Entries with equal keys keep their order, so rows with equal cells
// keep theirs. A million entries take a few passes over memory instead of twenty million comparisons.
void sortEntries(std::vector<SortEntry>& entries) {
    const size_t n = entries.size();
    if (n < 2)
        return;
    std::vector<SortEntry> buffer;
    const auto scratch = [&buffer, n] {
        if (buffer.empty()) {
            reserveLarge(buffer, n);
            buffer.resize(n);
        }
        return buffer.data();
    };

    std::array<size_t, 257> start{}; // where each category begins once they are apart
    for (const SortEntry& entry : entries)
        ++start[size_t(entry.category) + 1];
    const bool oneCategory = std::find(start.begin(), start.end(), n) != start.end();
    for (size_t c = 1; c < start.size(); ++c)
        start[c] += start[c - 1];
    if (!oneCategory) {
        SortEntry* out = scratch();
        std::array<size_t, 256> next{};
        std::copy(start.begin(), start.end() - 1, next.begin());
        for (const SortEntry& entry : entries)
            out[next[entry.category]++] = entry;
        entries.swap(buffer);
    }

    for (size_t c = 0; c + 1 < start.size(); ++c) {
        const size_t begin = start[c];
        const size_t count = start[c + 1] - begin;
        if (count < 2)
            continue;
        std::array<std::array<size_t, 256>, 8> counts{};
        for (size_t i = begin; i < begin + count; ++i) {
            for (int b = 0; b < 8; ++b)
                ++counts[size_t(b)][(entries[i].order >> (8 * b)) & 0xFF];
        }
        bool inScratch = false;
        for (int b = 0; b < 8; ++b) {
            std::array<size_t, 256>& offset = counts[size_t(b)];
            if (std::find(offset.begin(), offset.end(), count) != offset.end())
                continue; // every entry of the category has the same byte here
            size_t next = 0;
            for (size_t& o : offset)
                next += std::exchange(o, next);
            SortEntry* const other = scratch() + begin;
            const SortEntry* from = inScratch ? other : entries.data() + begin;
            SortEntry* to = inScratch ? entries.data() + begin : other;
            for (size_t i = 0; i < count; ++i)
                to[offset[(from[i].order >> (8 * b)) & 0xFF]++] = from[i];
            inScratch = !inScratch;
        }
        if (inScratch)
            std::copy(buffer.data() + begin, buffer.data() + begin + count, entries.data() + begin);
    }
}

namespace {

// The first eight folded characters, packed so that they compare as one integer. A missing character
// counts as rank 0, which only a byte 0 shares: where two prefixes agree, the full comparison decides.
quint64 foldedPrefix(QByteArrayView text) {
    const auto& folded = foldedRanks();
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 8; ++i)
        prefix = (prefix << 8) | quint64(i < text.size() ? folded[static_cast<unsigned char>(text[i])] : 0);
    return prefix;
}

// Eight bytes at a time, each word mixed in by a multiplication; good enough to spread short texts.
quint64 hashOf(QByteArrayView text) {
    constexpr quint64 Mix = 0x9E3779B97F4A7C15ULL;
    quint64 hash = quint64(text.size()) * Mix;
    const char* p = text.data();
    for (qsizetype left = text.size(); left > 0; left -= 8, p += 8) {
        quint64 word = 0;
        std::memcpy(&word, p, size_t(std::min<qsizetype>(left, 8)));
        hash = (hash ^ word) * Mix;
        hash ^= hash >> 29;
    }
    return hash;
}

// Sorts the entries (order: a text's folded prefix, row: its index) into the order of their texts and
// gives each its rank, equal texts the same one.
void rankSorted(std::vector<SortEntry>& entries, const std::vector<QByteArrayView>& texts,
                std::vector<quint32>& ranks) {
    sortEntries(entries);
    const auto compare = [&texts](const SortEntry& a, const SortEntry& b) {
        if (a.order != b.order)
            return a.order < b.order ? -1 : 1;
        return SortKeyMaker::compareText(texts[a.row], texts[b.row]);
    };
    for (auto run = entries.begin(); run != entries.end();) {
        const auto end = std::find_if(run, entries.end(), [&](const SortEntry& e) { return e.order != run->order; });
        if (end - run > 1) {
            std::stable_sort(run, end, [&](const SortEntry& a, const SortEntry& b) { return compare(a, b) < 0; });
        }
        run = end;
    }
    quint32 rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && compare(entries[i - 1], entries[i]) != 0)
            ++rank;
        ranks[entries[i].row] = rank;
    }
}

} // namespace

TextRanks::TextRanks(size_t expected) {
    reserveLarge(m_texts, expected);
}

std::vector<quint32> TextRanks::ranks() const {
    std::vector<quint32> ranks;
    reserveLarge(ranks, m_texts.size());
    ranks.resize(m_texts.size());
    if (!rankByDistinctTexts(ranks))
        rankBySorting(ranks);
    return ranks;
}

bool TextRanks::rankByDistinctTexts(std::vector<quint32>& ranks) const {
    // Open addressing over a power-of-two table, half full at most: a few probes, no allocation per text.
    constexpr size_t MostDistinct = 1 << 15;
    struct Slot {
        quint64 hash = 0;
        quint32 idPlusOne = 0; // 0: free
    };
    std::vector<Slot> slots(256);
    std::vector<QByteArrayView> distinct;
    const auto place = [&slots](const Slot& slot) -> Slot& {
        const size_t mask = slots.size() - 1;
        size_t at = size_t(slot.hash) & mask;
        while (slots[at].idPlusOne != 0)
            at = (at + 1) & mask;
        return slots[at];
    };
    for (size_t i = 0; i < m_texts.size(); ++i) {
        const QByteArrayView text = m_texts[i];
        const quint64 hash = hashOf(text);
        const size_t mask = slots.size() - 1;
        size_t at = size_t(hash) & mask;
        quint32 id = 0;
        for (;; at = (at + 1) & mask) {
            const Slot& slot = slots[at];
            if (slot.idPlusOne == 0) {
                if (distinct.size() == MostDistinct)
                    return false;
                id = quint32(distinct.size());
                distinct.push_back(text);
                slots[at] = {hash, id + 1};
                if (distinct.size() * 2 > slots.size()) {
                    std::vector<Slot> old(slots.size() * 2);
                    old.swap(slots);
                    for (const Slot& kept : old) {
                        if (kept.idPlusOne != 0)
                            place(kept) = kept;
                    }
                }
                break;
            }
            const QByteArrayView known = distinct[slot.idPlusOne - 1];
            if (slot.hash == hash && known.size() == text.size() &&
                std::memcmp(known.data(), text.data(), size_t(text.size())) == 0) {
                id = slot.idPlusOne - 1;
                break;
            }
        }
        ranks[i] = id;
    }
    std::vector<SortEntry> entries;
    entries.reserve(distinct.size());
    for (size_t id = 0; id < distinct.size(); ++id)
        entries.push_back({foldedPrefix(distinct[id]), quint32(id), 0});
    std::vector<quint32> distinctRanks(distinct.size());
    rankSorted(entries, distinct, distinctRanks);
    for (quint32& rank : ranks)
        rank = distinctRanks[rank];
    return true;
}

void TextRanks::rankBySorting(std::vector<quint32>& ranks) const {
    std::vector<SortEntry> entries;
    reserveLarge(entries, m_texts.size());
    for (size_t i = 0; i < m_texts.size(); ++i)
        entries.push_back({foldedPrefix(m_texts[i]), quint32(i), 0});
    rankSorted(entries, m_texts, ranks);
}
