#pragma once

#include <QString>

class ProgramFiles;
struct PrefItems;

// The rules of the preferences dialog that need no window.
namespace PrefsRules {

// The backup path the dialog shows before one is chosen: the given documents folder with a trailing "/".
// Empty when that path could not be kept in the preferences record (a "|" or a character outside the
// files' code page): every save would fail, so the monthly backup goes to the data folder instead.
QString defaultBackupPath(const QString& documentsFolder);
// The same for this user's documents folder.
QString defaultBackupPath();

// The minutes box: a text whose leading number is below 2 becomes "2"; any other stays as typed.
QString minutesText(const QString& text);

// The password box keeps no ":" and no "|", wherever they were typed or pasted: a "|" would split the
// preferences record.
QString withoutPasswordSeparators(const QString& text);

// Whether a text typed into a box of the dialog can stand in the preferences record.
bool storableText(const QString& text);
// The same for the storage name, which always names a file inside the data folder: no folder separator
// either.
bool storableStorageName(const QString& text);

// What the Settings command may do with the current preferences.
enum class SettingsAccess {
    Closed,      // "Never Show This Screen Again" was saved: the preferences stay closed for good
    Open,        // open the dialog at once
    AskPassword, // ask for the stored password first
};
// The password is asked only when one is stored: with none, asking could never succeed and would lock the
// user out of the preferences.
SettingsAccess settingsAccess(const PrefItems& items);

// The security breach log, made an ordinary file again and deleted. False when there was nothing to delete
// or it could not be deleted.
bool DeleteBreachLog(const ProgramFiles& files);
// True when the security breach log exists as a file that can be opened.
bool breachLogExists(const ProgramFiles& files);

} // namespace PrefsRules
