#include "prefs/prefs_rules.h"

#include "prefs/pref_items.h"
#include "prefs/preferences.h"
#include "store/data_folder.h"
#include "store/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PrefsRules {

QString defaultBackupPath(const QString& documentsFolder) {
    QString path = documentsFolder.isEmpty() ? QDir::homePath() : documentsFolder;
    if (!path.endsWith(u'/'))
        path += u'/';
    return storableText(path) ? path : QString();
}

QString defaultBackupPath() {
    return defaultBackupPath(GetSpecialFolderPath(SpecialFolder::Documents));
}

QString minutesText(const QString& text) {
    return Preferences::leadingNumber(text) < 2 ? QStringLiteral("2") : text;
}

QString withoutPasswordSeparators(const QString& text) {
    QString kept = text;
    kept.remove(u':');
    kept.remove(u'|');
    return kept;
}

bool storableText(const QString& text) {
    // Control characters, the end mark among them, are refused with the rest.
    return TextCodec::isStorable(text, TextCodec::Field::NoSeparator);
}

bool storableStorageName(const QString& text) {
    return storableText(text) && !text.contains(u'/') && !text.contains(u'\\');
}

SettingsAccess settingsAccess(const PrefItems& items) {
    if (items.isOn(PrefItems::Nprf))
        return SettingsAccess::Closed;
    if (items.isOn(PrefItems::Pass) && !items.password().isEmpty())
        return SettingsAccess::AskPassword;
    return SettingsAccess::Open;
}

bool DeleteBreachLog(const ProgramFiles& files) {
    const QString log = files.breachLog();
    const QFileInfo info(log);
    if (!info.exists() && !info.isSymLink())
        return false;
    // The log is kept hidden (owner-only elsewhere); make it an ordinary file again before removing it.
    if (info.isFile())
        QFile::setPermissions(log, QFile::permissions(log) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return QFile::remove(log);
}

bool breachLogExists(const ProgramFiles& files) {
    return QFileInfo(files.breachLog()).isFile();
}

} // namespace PrefsRules
