#pragma once

#include <array>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <vector>

// How the grid orders a column: case-insensitive text, or "numeric", where numbers come by value, dates
// of the program's date form by calendar, other texts after them without regard to case, and empty cells
// last.
enum class SortKind { Text, Numeric };

// A cell's place in the order, made without allocating: a million of them are made for one sort.
struct SortKey {
    enum Category : quint8 { Number, Date, Text, Empty };
    double value = 0; // the number, or the date's day count
    Category category = Empty;
};

class SortKeyMaker {
public:
    explicit SortKeyMaker(SortKind kind, const QLocale& locale = QLocale());
    // Texts are only told apart from numbers and dates here; TextRanks orders them.
    SortKey make(QByteArrayView cell) const;

    // Texts (the file's Windows-1252 bytes) without regard to case: the same order as comparing the
    // decoded, case-folded texts, without decoding them.
    static int compareText(QByteArrayView a, QByteArrayView b);

private:
    SortKind m_kind;
    std::array<char16_t, 3> m_dateOrder;
};

// One row's place in a sort: a category, then a number, both plain integers, and where the row stood.
struct SortEntry {
    quint64 order = 0;
    quint32 row = 0;
    quint8 category = 0;
};
// Orders the entries by category, then by number; entries with equal keys keep their order.
void sortEntries(std::vector<SortEntry>& entries);

// Numbers the texts of a column in their order, so that a million cells sort as numbers instead of
// comparing texts again and again. Texts that differ only in case get the same number.
class TextRanks {
public:
    // Room for as many texts as are expected, set aside at once: growing a list of a million step by step
    // costs more than ranking it.
    explicit TextRanks(size_t expected = 0);
    // Adds a text and returns its index. The bytes must stay where they are until ranks() is done.
    quint32 add(QByteArrayView text) {
        m_texts.push_back(text);
        return quint32(m_texts.size() - 1);
    }
    // Each added text's rank: ranks()[i] < ranks()[j] when text i orders before text j.
    std::vector<quint32> ranks() const;

private:
    // A column of a few hundred creditor names: each distinct text is found by hashing, and only those are
    // compared. False when there are too many distinct texts for that to stay in the processor's cache.
    bool rankByDistinctTexts(std::vector<quint32>& ranks) const;
    // A column of mostly different texts, such as confirmation numbers: all are sorted at once by their
    // first eight characters; only texts that share them are compared.
    void rankBySorting(std::vector<quint32>& ranks) const;

    std::vector<QByteArrayView> m_texts;
};
