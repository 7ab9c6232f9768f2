#include "prefs/password_lock.h"

#include "store/data_folder.h"
#include "store/log_file.h"
#include "store/text_codec.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

QString passwordResultText(PasswordResult result) {
    switch (result) {
    case PasswordResult::Ok:
        return QStringLiteral("Ok");
    case PasswordResult::WRNG:
        return QStringLiteral("WRNG");
    case PasswordResult::cancel:
        break;
    }
    return QStringLiteral("cancel");
}

PasswordLock::PasswordLock(QString expected)
    : m_expected(std::move(expected)) {}

PasswordLock::Verdict PasswordLock::attempt(const QString& typed) {
    if (typed == m_expected)
        return Verdict::Right;
    const bool last = m_failedAttempts == Allowed;
    ++m_failedAttempts;
    return last ? Verdict::Refused : Verdict::Wrong;
}

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

// The typed text as the log's code page holds it; a character it cannot hold is written as "?", so that
// the attempt is still on record.
QByteArray fileBytes(const QString& text) {
    if (const std::optional<QByteArray> bytes = TextCodec::encode(text))
        return *bytes;
    QByteArray bytes;
    for (const QChar c : text) {
        const std::optional<QByteArray> one = TextCodec::encode(QString(c));
        bytes += one ? *one : QByteArray("?");
    }
    return bytes;
}

} // namespace

QByteArray securityBreachEntry(const QString& typed, const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    const QString dateText = twoDigits(date.month()) + u'-' + twoDigits(date.day()) + u'-' +
                             QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
    const QString timeText = twoDigits(time.hour()) + u':' + twoDigits(time.minute()) + u':' + twoDigits(time.second());
    return "[ " + dateText.toLatin1() + " ]   [ " + timeText.toLatin1() + " ]     > " + fileBytes(typed) +
           " < \r\n\r\n";
}

bool hideFile(const QString& path) {
#ifdef Q_OS_WIN
    return SetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()),
                              FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
}

bool LogSecurityBreach(const ProgramFiles& files, const QString& typed, const QDateTime& when) {
    // At start-up the check runs before the data folder is made sure of; a missing folder must not cost
    // the record of an attempt.
    if (!EnsureDataFolder(files))
        return false;
    const QString log = files.breachLog();
    if (!appendToFile(log, securityBreachEntry(typed, when)))
        return false;
    hideFile(log);
    return true;
}
