#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// Rules of record entry that need no window.
namespace EntryRules {

// First letter of each word upper case, the rest lower case; a result of exactly three characters is all
// upper case (ibm becomes IBM, visa becomes Visa).
QString properCaseName(const QString& text);

// An amount as the user may type it: optional sign, digits with at most one ".", spaces around. The value
// written with at least one integer digit and exactly two decimals, rounded half away from zero; none
// when the text is no such number.
std::optional<QString> formatAmount(const QString& text);

struct Amount {
    QString text;
    bool askZero = false;   // "Are you sure the amount is $0 ?"
    bool notNumber = false; // "Only numbers can be on this field"
};
// What leaving the amount box does with its text: the first comma becomes a point, a number is written
// with two decimals, a zero asks, anything else is refused.
Amount normaliseAmount(const QString& text);

// The first name in the list whose first character has the code of the released key, or none.
std::optional<QString> completeFirstLetter(const QStringList& names, int key);

struct Details {
    QString loginUrl;
    QString userName;
    QString password;
};
// The details of the last entry whose name is exactly the given one; none when no entry matches.
std::optional<Details> creditorDetails(const QStringList& entries, const QString& name);

} // namespace EntryRules
