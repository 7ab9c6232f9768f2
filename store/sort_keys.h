#pragma once

#include <array>
#include <QByteArrayView>
#include <QLocale>
#include <QString>

// How the grid orders a column: case-insensitive text, or "numeric", where numbers come by value, dates
// of the program's date form by calendar, other texts after them without regard to case, and empty cells
// last.
enum class SortKind { Text, Numeric };

struct SortKey {
    enum Category : quint8 { Number, Date, Text, Empty };
    Category category = Empty;
    double value = 0; // the number, or the date's day count
    QString text;     // case-folded, for text
};

class SortKeyMaker {
public:
    explicit SortKeyMaker(SortKind kind, const QLocale& locale = QLocale());
    SortKey make(QByteArrayView cell) const;
    // Strict weak order; empty cells compare after everything else.
    static bool less(const SortKey& a, const SortKey& b);

private:
    SortKind m_kind;
    std::array<char16_t, 3> m_dateOrder;
};
