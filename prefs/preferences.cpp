#include "prefs/preferences.h"

#include "platform/settings_store.h"
#include "store/scramble.h"
#include "store/text_codec.h"

namespace Preferences {

QString applicationName() { return QStringLiteral("Brellick"); }
QString section() { return QStringLiteral("Quorvane"); }
QString settingKey() { return QStringLiteral("RegMask"); }

const QStringList& keys()
{
    static const QStringList all = {
        QStringLiteral("Jan1="), QStringLiteral("UsYr="), QStringLiteral("JanN="), QStringLiteral("MnBK="),
        QStringLiteral("MBKF="), QStringLiteral("DBdl="), QStringLiteral("Shut="), QStringLiteral("ShTm="),
        QStringLiteral("Dupl="), QStringLiteral("NPas="), QStringLiteral("ontp="), QStringLiteral("Nprf="),
        QStringLiteral("Pass="), QStringLiteral("Aids="), QStringLiteral("NoFo="), QStringLiteral("SiFo="),
        QStringLiteral("PssL="), QStringLiteral("1asdrtyuh="),
    };
    return all;
}

QString buildRecord(const QStringList& values)
{
    QString record;
    const QStringList& all = keys();
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (i > 0)
            record += u'|';
        record += all.at(i) + values.value(i);
    }
    record += QChar(EndMark);
    return record;
}

QStringList readItems(const SettingsStore& store)
{
    const QByteArray stored = store.value(section(), settingKey());
    QString text = TextCodec::decode(ScrambleText(stored, PreferencesKey()));
    const qsizetype end = text.indexOf(QChar(EndMark));
    if (end >= 0)
        text.truncate(end);
    QStringList items;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype bar = text.indexOf(u'|', start);
        if (bar < 0)
            bar = text.size();
        items.append(text.mid(start, bar - start));
        start = bar + 1;
    }
    return items;
}

bool storeRecord(SettingsStore& store, const QString& plainRecord)
{
    const std::optional<QByteArray> bytes = TextCodec::encode(plainRecord);
    if (!bytes)
        return false;
    return store.setValue(section(), settingKey(), ScrambleText(*bytes, PreferencesKey()));
}

} // namespace Preferences

void LoadPreferences(const SettingsStore& store, PrefItems& items)
{
    const QStringList read = Preferences::readItems(store);
    for (qsizetype n = 0; n < read.size() && n + 1 < PrefItems::Slots; ++n)
        items[int(n + 1)] = read.at(n).mid(5);
}
