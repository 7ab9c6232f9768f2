#include "app/housekeeping_rules.h"

#include "prefs/preferences.h"

#include <cmath>

namespace HousekeepingRules {

bool recordAddEnabled(const QString& creditor, const QString& amount, const QString& confirmation) {
    return !creditor.isEmpty() && !amount.isEmpty() && !confirmation.isEmpty();
}

bool creditorAddEnabled(const QString& creditor, const QStringList& listed) {
    if (listed.contains(creditor, Qt::CaseSensitive))
        return false;
    return !creditor.isEmpty();
}

double leadingNumber(const QString& text) {
    return Preferences::leadingNumber(text);
}

bool shutDownDue(const QDateTime& loadedAt, const QDateTime& now, const QString& minutes) {
    if (!loadedAt.isValid() || !now.isValid())
        return false;
    // Seconds are ignored: the count runs in whole minutes from the beginning of the start minute.
    QDateTime startMinute = loadedAt;
    startMinute.setTime(QTime(loadedAt.time().hour(), loadedAt.time().minute()));
    const qint64 elapsed = startMinute.secsTo(now);
    const double wholeMinutes = std::floor(double(elapsed) / 60.0);
    return wholeMinutes >= leadingNumber(minutes);
}

bool shutDownDue(const PrefItems& prefs, const QDateTime& loadedAt, const QDateTime& now) {
    return prefs.isOn(PrefItems::Shut) && shutDownDue(loadedAt, now, prefs[PrefItems::ShTm]);
}

bool yearStartStorageWanted(const PrefItems& prefs, const QDate& today) {
    return prefs[PrefItems::Jan1] != u"0" && (today.month() == 1 || today.month() == 2);
}

} // namespace HousekeepingRules
