#include "platform/settings_store.h"
#include "prefs/preferences.h"
#include "store/scramble.h"
#include "store/text_codec.h"

#include "scripted.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A record of the given items as the program stores it.
void storeItems(SettingsStore& store, const QStringList& items, bool endMark = true) {
    QString plain = items.join(u'|');
    if (endMark)
        plain += QChar(Preferences::EndMark);
    QVERIFY(Preferences::storeRecord(store, plain));
}

QStringList fullItems() {
    QStringList items;
    for (int i = 0; i < Preferences::ItemCount; ++i)
        items.append(Preferences::keys().at(i) + QString::number(i + 1));
    return items;
}

} // namespace

class TestPrefsRecord final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void recordOfTheDesignDefaults();
    void roundTrip();
    void storedBytesZeroTenThirteenComeBack();
    void reading_data();
    void reading();
    void emptyPasswordLeavesTheCutKey();
    void minutesRule_data();
    void minutesRule();
    void valuesThatWouldBreakTheRecord_data();
    void valuesThatWouldBreakTheRecord();
    void unwritableStoreKeepsTheOldRecord();
    void keyedItemsStopAtANonNumber_data();
    void keyedItemsStopAtANonNumber();

private:
    std::unique_ptr<TestProgram> m_program;
    int m_refreshes = 0;
};

void TestPrefsRecord::init() {
    m_program = std::make_unique<TestProgram>();
    m_refreshes = 0;
}

void TestPrefsRecord::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_program.reset();
}

void TestPrefsRecord::recordOfTheDesignDefaults() {
    PreferenceValues values;
    values.MBKF = QStringLiteral("C:\\My Documents\\");
    const std::optional<QString> record = Preferences::buildRecord(values.values());
    QVERIFY(record);
    QCOMPARE(*record, QStringLiteral("Jan1=1|UsYr=1|JanN=|MnBK=1|MBKF=C:\\My Documents\\|DBdl=0|Shut=0|ShTm=10|"
                                     "Dupl=1|NPas=0|ontp=1|Nprf=0|Pass=0|Aids=1|NoFo=255|SiFo=49152|PssL=0|"
                                     "1asdrtyuh=\x02"));
    // Scrambled under the preferences key, end mark included, as one byte array.
    QVERIFY(Preferences::storeRecord(m_program->settings, *record));
    const QByteArray stored = m_program->settings.value(QStringLiteral("Quorvane"), QStringLiteral("RegMask"));
    QCOMPARE(stored, ScrambleText(record->toLatin1(), PreferencesKey()));
}

void TestPrefsRecord::roundTrip() {
    PreferenceValues values;
    values.Jan1 = 0;
    values.JanN = QStringLiteral("Payments 2025");
    values.MBKF = QStringLiteral("D:\\Backups\\db.bak");
    values.Shut = 1;
    values.ShTm = QStringLiteral("45");
    values.Aids = 1;
    values.NoFo = -1;
    values.SiFo = 0x00C0FF;
    values.PssL = 1;
    values.password = QStringLiteral("Fünf €uros");
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, [this] { ++m_refreshes; }));
    QCOMPARE(m_refreshes, 1);

    PrefItems items;
    items[0] = QStringLiteral("untouched");
    LoadPreferences(m_program->settings, items);
    QCOMPARE(items[0], QStringLiteral("untouched"));
    const QStringList expected = {QStringLiteral("0"),
                                  QStringLiteral("1"),
                                  QStringLiteral("Payments 2025"),
                                  QStringLiteral("1"),
                                  QStringLiteral("D:\\Backups\\db.bak"),
                                  QStringLiteral("0"),
                                  QStringLiteral("1"),
                                  QStringLiteral("45"),
                                  QStringLiteral("1"),
                                  QStringLiteral("0"),
                                  QStringLiteral("1"),
                                  QStringLiteral("0"),
                                  QStringLiteral("0"),
                                  QStringLiteral("1"),
                                  QStringLiteral("-1"),
                                  QStringLiteral("49407"),
                                  QStringLiteral("1"),
                                  QStringLiteral("tyuh=Fünf €uros")};
    for (int k = 1; k <= 18; ++k)
        QCOMPARE(items[k], expected.at(k - 1));
    QCOMPARE(items.password(), QStringLiteral("Fünf €uros"));
    QVERIFY(items.isOn(PrefItems::PssL));
    QVERIFY(!items.isOn(PrefItems::Jan1));

    // By key, in record order, the way the preferences dialog reads it back.
    const QList<Preferences::KeyedItem> keyed = Preferences::keyedItems(Preferences::readItems(m_program->settings));
    QCOMPARE(keyed.size(), 18);
    for (int i = 0; i < 18; ++i)
        QCOMPARE(keyed.at(i).key, Preferences::keys().at(i));
    QCOMPARE(keyed.at(2).text, QStringLiteral("Payments 2025"));
    QCOMPARE(keyed.at(14).number, std::optional<int>(-1));
    QCOMPARE(keyed.at(15).number, std::optional<int>(49407));
    QCOMPARE(keyed.at(17).text, QStringLiteral("Fünf €uros"));
}

void TestPrefsRecord::storedBytesZeroTenThirteenComeBack() {
    // A storage name chosen so that three of its characters scramble to 0, 10 and 13.
    const QString head = QStringLiteral("Jan1=1|UsYr=0|JanN=");
    const QByteArrayView key = PreferencesKey();
    QString name;
    QList<char> wanted = {'\0', '\n', '\r'};
    while (name.size() < 12) {
        const qsizetype at = head.size() + name.size();
        const auto k = static_cast<unsigned char>(key[at % key.size()]);
        QChar c = u'x';
        if (!wanted.isEmpty()) {
            const QChar candidate = TextCodec::decode(QByteArray(1, char(k ^ (255 - uchar(wanted.first())))))[0];
            if (TextCodec::isStorable(candidate, TextCodec::Field::NoSeparator)) {
                c = candidate;
                wanted.removeFirst();
            }
        }
        name += c;
    }
    QVERIFY2(wanted.isEmpty(), "no storable character scrambles to the wanted bytes");

    PreferenceValues values;
    values.UsYr = 0;
    values.JanN = name;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
    const QByteArray stored = m_program->settings.value(QStringLiteral("Quorvane"), QStringLiteral("RegMask"));
    QVERIFY(stored.contains('\0'));
    QVERIFY(stored.contains('\n'));
    QVERIFY(stored.contains('\r'));
    QCOMPARE(stored, ScrambleText(TextCodec::encode(*Preferences::buildRecord(values.values())).value(), key));

    // A fresh store on the same file, as at the next start.
    const SettingsStore again = SettingsStore::inFile(m_program->dir.filePath(QStringLiteral("settings.ini")));
    PrefItems items;
    LoadPreferences(again, items);
    QCOMPARE(items[PrefItems::JanN], name);
    QCOMPARE(items[PrefItems::ShTm], QStringLiteral("10"));
    QCOMPARE(items[PrefItems::Password], QStringLiteral("tyuh="));
}

void TestPrefsRecord::reading_data() {
    QTest::addColumn<QStringList>("items"); // empty: no setting at all
    QTest::addColumn<bool>("endMark");
    QTest::addColumn<QStringList>("slots"); // slots 1 to 18 after loading over the main window's presets

    const QString zero = QStringLiteral("0");
    QStringList presets(12, zero);
    presets += QStringList(6, QString());
    QTest::newRow("no setting") << QStringList() << true << presets;

    QStringList full;
    for (int i = 0; i < 18; ++i)
        full.append(QString::number(i + 1));
    full.last() = QStringLiteral("tyuh=18");
    QTest::newRow("all 18 items") << fullItems() << true << full;
    QTest::newRow("no end mark") << fullItems() << false << full;

    QStringList shortSlots = presets;
    shortSlots[0] = QStringLiteral("1");
    shortSlots[1] = QStringLiteral("2");
    shortSlots[2] = QStringLiteral("3");
    QTest::newRow("cut short") << fullItems().mid(0, 3) << true << shortSlots;

    QStringList longer = fullItems();
    longer.append(QStringLiteral("Xtra=19"));
    QTest::newRow("19 items") << longer << true << full;

    // Position decides, not the key; values are taken as they stand, numbers or not.
    QStringList swapped = fullItems();
    swapped.swapItemsAt(0, 1);
    swapped[14] = QStringLiteral("NoFo=blue");
    QStringList swappedSlots = full;
    swappedSlots.swapItemsAt(0, 1);
    swappedSlots[14] = QStringLiteral("blue");
    QTest::newRow("swapped, not a number") << swapped << true << swappedSlots;

    QStringList emptyItems = fullItems();
    emptyItems[2] = QStringLiteral("JanN=");
    emptyItems[3] = QString();
    emptyItems[4] = QStringLiteral("MB");
    QStringList emptySlots = full;
    emptySlots[2] = QString();
    emptySlots[3] = QString();
    emptySlots[4] = QString();
    QTest::newRow("empty and short items") << emptyItems << true << emptySlots;
}

void TestPrefsRecord::reading() {
    QFETCH(QStringList, items);
    QFETCH(bool, endMark);
    QFETCH(QStringList, slots);

    if (!items.isEmpty())
        storeItems(m_program->settings, items, endMark);
    PrefItems prefs;
    for (int k = 0; k <= 12; ++k)
        prefs[k] = QStringLiteral("0");
    LoadPreferences(m_program->settings, prefs);
    QCOMPARE(prefs[0], QStringLiteral("0"));
    QStringList read;
    for (int k = 1; k <= 18; ++k)
        read.append(prefs[k]);
    QCOMPARE(read, slots);
}

void TestPrefsRecord::emptyPasswordLeavesTheCutKey() {
    PreferenceValues values;
    values.PssL = 1;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, {}));
    PrefItems items;
    LoadPreferences(m_program->settings, items);
    QCOMPARE(items[PrefItems::Password], QStringLiteral("tyuh="));
    QCOMPARE(items.password(), QString());
}

void TestPrefsRecord::minutesRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << QString() << QStringLiteral("2");
    QTest::newRow("not a number") << QStringLiteral("ten") << QStringLiteral("2");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("2");
    QTest::newRow("one") << QStringLiteral("1") << QStringLiteral("2");
    QTest::newRow("just below two") << QStringLiteral("1.99") << QStringLiteral("2");
    QTest::newRow("negative") << QStringLiteral("-30") << QStringLiteral("2");
    QTest::newRow("two") << QStringLiteral("2") << QStringLiteral("2");
    QTest::newRow("leading number kept as typed") << QStringLiteral(" 15 min") << QStringLiteral(" 15 min");
    QTest::newRow("decimal") << QStringLiteral("2.5") << QStringLiteral("2.5");
}

void TestPrefsRecord::minutesRule() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    PreferenceValues values;
    values.ShTm = typed;
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, values, [this] { ++m_refreshes; }));
    QCOMPARE(values.ShTm, stored);
    PrefItems items;
    LoadPreferences(m_program->settings, items);
    QCOMPARE(items[PrefItems::ShTm], stored);
    QCOMPARE(m_refreshes, 1);
}

void TestPrefsRecord::valuesThatWouldBreakTheRecord_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("separator") << QStringLiteral("pass|word");
    QTest::newRow("end mark") << (QStringLiteral("pass") + QChar(2));
    QTest::newRow("outside the code page") << QStringLiteral("пароль");
}

void TestPrefsRecord::valuesThatWouldBreakTheRecord() {
    QFETCH(QString, password);
    PreferenceValues before;
    before.password = QStringLiteral("old");
    QVERIFY(SavePreferences(m_program->settings, m_program->prompter, before, {}));

    // Stored, such a password would be cut at the bar and never be typed right again: the old record stays.
    PreferenceValues values;
    values.password = password;
    m_program->prompter.expect(Prompt::Answer::Ok);
    QVERIFY(!SavePreferences(m_program->settings, m_program->prompter, values, [this] { ++m_refreshes; }));
    QCOMPARE(m_refreshes, 1);
    QCOMPARE(m_program->prompter.messages().size(), 1);
    const Prompt::Message& message = m_program->prompter.messages().constFirst();
    QCOMPARE(message.text, QStringLiteral("Failed to Save Preferences"));
    QCOMPARE(message.title, QStringLiteral("Settings Access Error"));
    QCOMPARE(message.icon, Prompt::Icon::Critical);

    PrefItems items;
    LoadPreferences(m_program->settings, items);
    QCOMPARE(items.password(), QStringLiteral("old"));
}

void TestPrefsRecord::unwritableStoreKeepsTheOldRecord() {
    // The settings file's place is taken by a folder: nothing can be written there.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QVERIFY(QDir().mkpath(path));
    SettingsStore store = SettingsStore::inFile(path);
    PreferenceValues values;
    m_program->prompter.expect(Prompt::Answer::Ok);
    QVERIFY(!SavePreferences(store, m_program->prompter, values, [this] { ++m_refreshes; }));
    QCOMPARE(m_program->prompter.texts(), QStringList{QStringLiteral("Failed to Save Preferences")});
    QCOMPARE(m_refreshes, 1);
}

void TestPrefsRecord::keyedItemsStopAtANonNumber_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("kept"); // items applied before the dialog stops

    QTest::newRow("check not a number") << QStringLiteral("DBdl=yes") << 5;
    QTest::newRow("check out of range") << QStringLiteral("DBdl=7") << 5;
    QTest::newRow("check grey") << QStringLiteral("DBdl=2") << 18;
    QTest::newRow("check with spaces") << QStringLiteral("DBdl= 1 ") << 18;
    QTest::newRow("colour not a number") << QStringLiteral("NoFo=red") << 14;
    QTest::newRow("colour beyond 32 bits") << QStringLiteral("NoFo=4294967295") << 14;
    QTest::newRow("text needs no number") << QStringLiteral("ShTm=soon") << 18;
    QTest::newRow("unknown key left out") << QStringLiteral("ABCD=1") << 17;
    QTest::newRow("key in other case left out") << QStringLiteral("dbdl=1") << 17;
}

void TestPrefsRecord::keyedItemsStopAtANonNumber() {
    QFETCH(QString, item);
    QFETCH(int, kept);
    QStringList items = fullItems();
    items[0] = QStringLiteral("Jan1=0");
    items[1] = QStringLiteral("UsYr=1");
    for (int i : {3, 5, 6, 8, 9, 10, 11, 12, 13, 16})
        items[i] = Preferences::keys().at(i) + QStringLiteral("1");
    const int at = item.startsWith(u"NoFo") ? 14 : item.startsWith(u"ShTm") ? 7 : 5;
    items[at] = item;
    const QList<Preferences::KeyedItem> keyed = Preferences::keyedItems(items);
    QCOMPARE(keyed.size(), kept);
    QCOMPARE(keyed.constFirst().number, std::optional<int>(0));
    if (kept == 18) {
        QCOMPARE(keyed.constLast().key, QStringLiteral("1asdrtyuh="));
        QCOMPARE(keyed.constLast().text, QStringLiteral("18"));
    }
}

QTEST_GUILESS_MAIN(TestPrefsRecord)
#include "tst_prefs_record.moc"
