#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class ProgramFiles;

// The answer of a password request.
enum class PasswordResult {
    Ok,     // the typed password was right
    WRNG,   // the third wrong password: access denied
    cancel, // the user gave up, by Cancel or by closing the window
};
QString passwordResultText(PasswordResult result);

// The rule behind the password dialog's "Ok": the typed text must equal the stored password code by code,
// case and spaces included, and the third wrong answer in one showing of the dialog refuses access.
class PasswordLock final {
public:
    enum class Verdict { Right, Wrong, Refused };

    explicit PasswordLock(QString expected);

    // Judges one attempt; a wrong one counts.
    Verdict attempt(const QString& typed);
    // 1 while no wrong password has been given, one more after each.
    int FailedAttempts() const { return m_failedAttempts; }

    static constexpr int Allowed = 3;

private:
    QString m_expected;
    int m_failedAttempts = 1;
};

// One entry of the security breach log for a wrong password typed at the given time, in the file's bytes:
// "[ 01-02-2026 ]   [ 10:55:00 ]     > typed < " and two line ends, so that an empty line follows.
// The date and time forms are fixed, whatever the user's regional settings.
QByteArray securityBreachEntry(const QString& typed, const QDateTime& when);

// Appends the entry for a wrong password to the security breach log, creating the log (and the data folder)
// when missing, then hides the log: the hidden attribute on Windows, readable by its owner only elsewhere.
// False when the log could not be written; nothing is logged then, and nothing is shown.
bool LogSecurityBreach(const ProgramFiles& files, const QString& typed, const QDateTime& when);

// Hides a file: the hidden attribute alone on Windows, owner-only permissions elsewhere.
bool hideFile(const QString& path);
