#pragma once

#include "prefs/pref_items.h"

#include <functional>
#include <optional>
#include <QByteArray>
#include <QList>
#include <QStringList>

class SettingsStore;
class Prompter;

// The preferences record: 18 items "key=value" joined by "|", ended by a character of code 2, scrambled
// as a whole and kept in the per-user setting "RegMask".
namespace Preferences {

inline constexpr char16_t EndMark = 2;
inline constexpr int ItemCount = 18;

QString applicationName();
QString section();
QString settingKey();

// The keys in record order; all are five characters but the last, the password's.
const QStringList& keys();

// The plain record for values in record order (18 of them). No value when a value would break the record
// apart: a "|" or an end mark in it, or a count other than 18.
std::optional<QString> buildRecord(const QStringList& values);
// The stored record's items, unscrambled and split; none when nothing is stored.
QStringList readItems(const SettingsStore& store);
// Scrambles and stores a plain record. False when it could not be stored.
bool storeRecord(SettingsStore& store, const QString& plainRecord);

// One stored item as the preferences dialog reads it: by key, not by position.
struct KeyedItem {
    QString key;               // the five-character key, or the password's ten-character one
    QString text;              // the value as stored
    std::optional<int> number; // for check and colour items, the value as a number
};
// The items the dialog applies, in record order. Items with an unknown key are left out. The list ends
// before the first check or colour item whose value is not a number (a check state must be 0, 1 or 2):
// the dialog stops there and leaves the rest of its controls as they are.
QList<KeyedItem> keyedItems(const QStringList& items);

// The leading number of a text, as the minutes box is read: spaces, a sign, digits, a decimal part; 0 when
// the text does not start with a number.
double leadingNumber(const QString& text);

} // namespace Preferences

// What the preferences dialog holds, one member per record item, under the item's key. The initial values
// are the dialog's design defaults; the backup path's default depends on the machine and is set by the
// dialog. Check states are 0 or 1, colours Windows RGB values.
struct PreferenceValues {
    int Jan1 = 1;
    int UsYr = 1;
    QString JanN;
    int MnBK = 1;
    QString MBKF;
    int DBdl = 0;
    int Shut = 0;
    QString ShTm = QStringLiteral("10");
    int Dupl = 1;
    int NPas = 0;
    int ontp = 1;
    int Nprf = 0;
    int Pass = 0;
    int Aids = 1;
    qint32 NoFo = 255;
    qint32 SiFo = 49152;
    int PssL = 0;
    QString password;

    // The 18 values in record order, as they are written.
    QStringList values() const;
};

// Saves the dialog's values as the stored record, then runs refresh (the main window re-reads the record),
// whether or not the save succeeded. A minutes text whose leading number is below 2 becomes "2" first, in
// values too, so that the dialog shows what was stored. A record that cannot be stored (a "|" or a
// character outside the files' code page in a text, a settings store that cannot be written) leaves the
// earlier record as it was and is reported to the user; false then.
bool SavePreferences(SettingsStore& store, Prompter& prompter, PreferenceValues& values,
                     const std::function<void()>& refresh);

// Fills slots 1 onward by position from the stored record; other slots keep what they hold. A record of
// more than 18 items fills slots 1 to 18 only.
void LoadPreferences(const SettingsStore& store, PrefItems& items);
