#pragma once

#include <QString>
#include <QStringList>

class ProgramFiles;

// One creditor as kept in the list: name, user name, password and login address, joined by "|" in that
// order ("plain entry"). A user name or password stored as a single space means empty.
struct CreditorEntry {
    QString name;
    QString userName;
    QString password;
    QString loginUrl;
    bool hasName = false; // false when the entry holds no "|" at all

    // Splits at the first three "|": the login address is all the rest.
    static CreditorEntry fromPlain(const QString& plain);
    QString plain() const;
};

// Reads the scrambled creditor list: one plain entry per line until the first empty line. A missing or
// unreadable file gives no entries.
QStringList readCreditorFile(const QString& path);
// Appends one plain entry, scrambled, as a line. False when the line could not be written whole, or when
// the entry holds a character the file cannot carry.
bool appendCreditorLine(const QString& path, const QString& plainEntry);

// Creates the data folder when it is missing and, only then, an empty creditor list in it.
void EnsureCreditorFile(const ProgramFiles& files);

// The name shown in the creditor box for a plain entry, or an empty text when it has none.
QString creditorName(const QString& plainEntry);
