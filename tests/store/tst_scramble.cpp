#include "store/scramble.h"

#include <QTest>

class TestScramble final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripEveryByte_data();
    void roundTripEveryByte();
    void keyWrapsAfterItsLength();
    void lineBreakBytesFromChosenCharacters();
    void creditorKeyNeverBreaksPrintableText();
    void preferencesKeyShape();
};

void TestScramble::roundTripEveryByte_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("creditor list") << CreditorListKey().toByteArray();
    QTest::newRow("preferences") << PreferencesKey().toByteArray();
}

void TestScramble::roundTripEveryByte() {
    QFETCH(QByteArray, key);
    QByteArray all;
    for (int repeat = 0; repeat < 3; ++repeat)
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
    const QByteArray scrambled = ScrambleText(all, key);
    QCOMPARE(scrambled.size(), all.size());
    QVERIFY(scrambled != all);
    QCOMPARE(ScrambleText(scrambled, key), all);
    QCOMPARE(ScrambleText(QByteArray(), key), QByteArray());
}

void TestScramble::keyWrapsAfterItsLength() {
    const QByteArray key("\x01\x02\x03", 3);
    const QByteArray text("AAAAA");
    const QByteArray out = ScrambleText(text, key);
    // Character 4 meets the key's first character again; each output is 255 - (text XOR key).
    QCOMPARE(quint8(out[0]), quint8(255 - ('A' ^ 1)));
    QCOMPARE(quint8(out[3]), quint8(255 - ('A' ^ 1)));
    QCOMPARE(quint8(out[4]), quint8(255 - ('A' ^ 2)));
}

void TestScramble::lineBreakBytesFromChosenCharacters() {
    const auto k = quint8(PreferencesKey()[0]);
    QByteArray text;
    text.append(char(k ^ 255)).append(char(k ^ 242)).append(char(k ^ 245));
    // Only the first position counts here, so scramble each alone.
    QCOMPARE(ScrambleText(text.left(1), PreferencesKey()), QByteArray(1, '\0'));
    QCOMPARE(ScrambleText(text.mid(1, 1), PreferencesKey()), QByteArray(1, '\r'));
    QCOMPARE(ScrambleText(text.mid(2, 1), PreferencesKey()), QByteArray(1, '\n'));
}

void TestScramble::creditorKeyNeverBreaksPrintableText() {
    const QByteArrayView key = CreditorListKey();
    QCOMPARE(key.size(), 30);
    for (qsizetype i = 0; i < key.size(); ++i) {
        QVERIFY(quint8(key[i]) >= 224);
        for (int code = 32; code < 256; ++code) {
            if (code == 127)
                continue;
            const auto out = quint8(255 - (code ^ quint8(key[i])));
            QVERIFY2(out != 0 && out != 10 && out != 13,
                     qPrintable(QStringLiteral("code %1 at key position %2").arg(code).arg(i)));
        }
    }
}

void TestScramble::preferencesKeyShape() {
    const QByteArrayView key = PreferencesKey();
    QCOMPARE(key.size(), 45);
    int low = 0, high = 0;
    for (const char c : key) {
        const auto code = quint8(c);
        QVERIFY(code != 0);
        if (code < 128)
            ++low;
        else if (code >= 160 && code <= 253)
            ++high;
    }
    QCOMPARE(low, 18);
    QCOMPARE(high, 27);
}

QTEST_APPLESS_MAIN(TestScramble)
#include "tst_scramble.moc"
