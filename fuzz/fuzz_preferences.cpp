// The preferences record reader, fed any bytes as the stored "RegMask" value. Every consumer of the slots
// must cope, and a record the program could have written must read back as it was.

#include "app/housekeeping_rules.h"
#include "fuzz_support.h"
#include "platform/settings_store.h"
#include "prefs/preferences.h"
#include "store/data_folder.h"
#include "store/storage_rules.h"

#include <QDateTime>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsStore store = SettingsStore::inFile(FuzzSupport::path(QStringLiteral("settings.ini")));
    const QByteArray stored(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzSupport::check(store.setValue(Preferences::section(), Preferences::settingKey(), stored),
                       "the settings file took no value");
    FuzzSupport::check(store.value(Preferences::section(), Preferences::settingKey()) == stored,
                       "the settings store changed the bytes");

    PrefItems prefs;
    for (int k = 0; k <= 12; ++k)
        prefs[k] = QStringLiteral("0");
    LoadPreferences(store, prefs);
    const QStringList items = Preferences::readItems(store);
    for (qsizetype n = 0; n < items.size() && n < Preferences::ItemCount; ++n)
        FuzzSupport::check(prefs[int(n + 1)] == items.at(n).mid(5), "a slot differs from its item");

    // What the main window, the storage and the housekeeping make of the slots.
    const QList<Preferences::KeyedItem> keyed = Preferences::keyedItems(items);
    for (const Preferences::KeyedItem& item : keyed)
        FuzzSupport::check(Preferences::keys().contains(item.key), "an item with an unknown key was kept");
    Preferences::leadingNumber(prefs[PrefItems::ShTm]);
    prefs[PrefItems::NoFo].toInt();
    prefs[PrefItems::SiFo].toInt();
    const ProgramFiles files(FuzzSupport::path(QStringLiteral("program")));
    const QDateTime now(QDate(2027, 1, 5), QTime(10, 55));
    Storage::storageName(prefs, now.date());
    Storage::backupPath(prefs, files);
    HousekeepingRules::shutDownDue(prefs, now.addSecs(-3600), now);
    HousekeepingRules::yearStartStorageWanted(prefs, now.date());

    // A record of 18 values that the dialog could have saved reads back item for item.
    if (items.size() == Preferences::ItemCount) {
        QStringList values;
        for (qsizetype n = 0; n < items.size(); ++n)
            values.append(items.at(n).mid(Preferences::keys().at(n).size()));
        const std::optional<QString> record = Preferences::buildRecord(values);
        if (record && Preferences::storeRecord(store, *record)) {
            const QStringList again = Preferences::readItems(store);
            for (qsizetype n = 0; n < again.size(); ++n)
                FuzzSupport::check(again.at(n).mid(Preferences::keys().at(n).size()) == values.at(n),
                                   "a saved value reads back differently");
        }
    }
    return 0;
}
