#pragma once

#include <array>
#include <QDate>
#include <QLocale>
#include <QString>

// The program's date text: day, month and year in the order of the locale's short date form, joined by
// "/", with a numeric month and a four-digit year. Where the short form has no numeric month, the order is
// month/day/year. The same form is read back by the report and the sort.
namespace DateText {

// The same form as a Qt date format, for the date picker.
QString displayFormat(const QLocale& locale = QLocale());
QString format(const QDate& date, const QLocale& locale = QLocale());
// The order of the parts: 'd', 'M' and 'y'.
std::array<char16_t, 3> partOrder(const QLocale& locale = QLocale());
// Reads a date text written in that form, with or without leading zeros. Invalid when it is not one.
QDate parse(QStringView text, const QLocale& locale = QLocale());

} // namespace DateText
