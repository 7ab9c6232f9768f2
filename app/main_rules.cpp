#include "app/main_rules.h"

#include <QStringList>

namespace MainRules {

QString startMinute(const QTime& time) {
    const QString text = time.toString(QStringLiteral("HH:mm:ss"));
    QString minute = text.mid(text.indexOf(u':') + 1, 2);
    if (minute.size() == 2 && minute.at(1) == u':')
        minute.chop(1);
    return minute;
}

QString padDateCell(const QString& dateText) {
    QStringList parts = dateText.split(u'/');
    if (parts.size() > 3) {
        // Only the first two "/" cut the text; the rest belongs to the last part.
        const QString rest = parts.mid(2).join(u'/');
        parts = {parts.at(0), parts.at(1), rest};
    }
    for (QString& part : parts) {
        if (part.size() < 2)
            part.prepend(u'0');
    }
    return parts.join(u'/');
}

} // namespace MainRules
