#pragma once

#include "prefs/pref_items.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Rules of the main window's periodic housekeeping that need no window.
namespace HousekeepingRules {

// "&Record" makes sense once creditor, amount and confirmation are all filled in.
bool recordAddEnabled(const QString& creditor, const QString& amount, const QString& confirmation);
// "&Creditor" makes sense for a typed name that is not listed yet; names are compared exactly, case
// included.
bool creditorAddEnabled(const QString& creditor, const QStringList& listed);

// The leading number of a text: spaces, a sign, digits with at most one "."; 0 when there is none.
double leadingNumber(const QString& text);
// Whether the automatic shut-down is due: the minutes of ShTm have passed since the beginning of the
// minute in which the window was loaded. Whole minutes count, across the hour and across midnight.
bool shutDownDue(const QDateTime& loadedAt, const QDateTime& now, const QString& minutes);
bool shutDownDue(const PrefItems& prefs, const QDateTime& loadedAt, const QDateTime& now);

// The start-of-year storage is considered in January and February, unless Jan1 is "0".
bool yearStartStorageWanted(const PrefItems& prefs, const QDate& today);

} // namespace HousekeepingRules
