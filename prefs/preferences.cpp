#include "prefs/preferences.h"

#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "store/scramble.h"
#include "store/text_codec.h"

namespace Preferences {

QString applicationName() {
    return QStringLiteral("Brellick");
}
QString section() {
    return QStringLiteral("Quorvane");
}
QString settingKey() {
    return QStringLiteral("RegMask");
}

const QStringList& keys() {
    static const QStringList all = {
        QStringLiteral("Jan1="), QStringLiteral("UsYr="),      QStringLiteral("JanN="), QStringLiteral("MnBK="),
        QStringLiteral("MBKF="), QStringLiteral("DBdl="),      QStringLiteral("Shut="), QStringLiteral("ShTm="),
        QStringLiteral("Dupl="), QStringLiteral("NPas="),      QStringLiteral("ontp="), QStringLiteral("Nprf="),
        QStringLiteral("Pass="), QStringLiteral("Aids="),      QStringLiteral("NoFo="), QStringLiteral("SiFo="),
        QStringLiteral("PssL="), QStringLiteral("1asdrtyuh="),
    };
    return all;
}

std::optional<QString> buildRecord(const QStringList& values) {
    const QStringList& all = keys();
    if (values.size() != all.size())
        return std::nullopt;
    QString record;
    for (qsizetype i = 0; i < all.size(); ++i) {
        // A "|" or an end mark inside a value would shift every later item into the wrong slot: a
        // password holding one could never be typed right again.
        const QString& value = values.at(i);
        if (value.contains(u'|') || value.contains(QChar(EndMark)))
            return std::nullopt;
        if (i > 0)
            record += u'|';
        record += all.at(i) + value;
    }
    record += QChar(EndMark);
    return record;
}

QStringList readItems(const SettingsStore& store) {
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

bool storeRecord(SettingsStore& store, const QString& plainRecord) {
    const std::optional<QByteArray> bytes = TextCodec::encode(plainRecord);
    if (!bytes)
        return false;
    return store.setValue(section(), settingKey(), ScrambleText(*bytes, PreferencesKey()));
}

namespace {

enum class Kind { Check, Text, Colour, Unknown };

Kind kindOf(const QString& key) {
    static const QStringList checks = {
        QStringLiteral("Jan1="), QStringLiteral("UsYr="), QStringLiteral("MnBK="), QStringLiteral("DBdl="),
        QStringLiteral("Shut="), QStringLiteral("Dupl="), QStringLiteral("NPas="), QStringLiteral("ontp="),
        QStringLiteral("Nprf="), QStringLiteral("Pass="), QStringLiteral("PssL="), QStringLiteral("Aids="),
    };
    if (checks.contains(key))
        return Kind::Check;
    if (key == u"NoFo=" || key == u"SiFo=")
        return Kind::Colour;
    if (key == u"JanN=" || key == u"MBKF=" || key == u"ShTm=")
        return Kind::Text;
    return Kind::Unknown;
}

std::optional<int> integerValue(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QList<KeyedItem> keyedItems(const QStringList& items) {
    static const QString passwordKey = keys().constLast();
    QList<KeyedItem> out;
    for (const QString& item : items) {
        if (item.startsWith(passwordKey)) {
            out.append({passwordKey, item.mid(passwordKey.size()), std::nullopt});
            continue;
        }
        const QString key = item.left(5);
        const QString text = item.mid(5);
        switch (kindOf(key)) {
        case Kind::Check: {
            const std::optional<int> state = integerValue(text);
            if (!state || *state < 0 || *state > 2)
                return out;
            out.append({key, text, state});
            break;
        }
        case Kind::Colour: {
            const std::optional<int> colour = integerValue(text);
            if (!colour)
                return out;
            out.append({key, text, colour});
            break;
        }
        case Kind::Text:
            out.append({key, text, std::nullopt});
            break;
        case Kind::Unknown:
            break;
        }
    }
    return out;
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const auto isDigit = [&](qsizetype at) { return at < n && text.at(at) >= u'0' && text.at(at) <= u'9'; };
    qsizetype digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace Preferences

QStringList PreferenceValues::values() const {
    const auto n = [](int value) { return QString::number(value); };
    return {n(Jan1), n(UsYr), JanN,    n(MnBK), MBKF,    n(DBdl), n(Shut), ShTm,    n(Dupl),
            n(NPas), n(ontp), n(Nprf), n(Pass), n(Aids), n(NoFo), n(SiFo), n(PssL), password};
}

bool SavePreferences(SettingsStore& store, Prompter& prompter, PreferenceValues& values,
                     const std::function<void()>& refresh) {
    if (Preferences::leadingNumber(values.ShTm) < 2)
        values.ShTm = QStringLiteral("2");

    const std::optional<QString> record = Preferences::buildRecord(values.values());
    const bool stored = record && Preferences::storeRecord(store, *record);
    if (!stored)
        prompter.fail(QStringLiteral("Failed to Save Preferences"), QStringLiteral("Settings Access Error"));

    if (refresh)
        refresh();
    return stored;
}

void LoadPreferences(const SettingsStore& store, PrefItems& items) {
    const QStringList read = Preferences::readItems(store);
    for (qsizetype n = 0; n < read.size() && n < Preferences::ItemCount; ++n)
        items[int(n + 1)] = read.at(n).mid(5);
}
