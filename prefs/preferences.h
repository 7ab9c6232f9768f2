#pragma once

#include "prefs/pref_items.h"

#include <QByteArray>
#include <QStringList>

class SettingsStore;

// The preferences record: 18 items "key=value" joined by "|", ended by a character of code 2, scrambled
// as a whole and kept in the per-user setting "RegMask".
namespace Preferences {

inline constexpr char16_t EndMark = 2;

QString applicationName();
QString section();
QString settingKey();

// The keys in record order; all are five characters but the last, the password's.
const QStringList& keys();

// The plain record for values in record order (18 of them).
QString buildRecord(const QStringList& values);
// The stored record's items, unscrambled and split; none when nothing is stored.
QStringList readItems(const SettingsStore& store);
// Scrambles and stores a plain record. False when it could not be stored.
bool storeRecord(SettingsStore& store, const QString& plainRecord);

} // namespace Preferences

// Fills slots 1 onward by position from the stored record; other slots keep what they hold.
void LoadPreferences(const SettingsStore& store, PrefItems& items);
