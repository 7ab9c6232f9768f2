#include "store/date_text.h"
#include "store/text_codec.h"

#include <QTest>

// The files' code page and the program's date form.
class TestText final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codePageRoundTrip();
    void storable_data();
    void storable();
    void dateForm_data();
    void dateForm();
    void dateReadBack();
};

void TestText::codePageRoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = TextCodec::decode(all);
    QCOMPARE(text.at(0x80), QChar(0x20AC)); // the euro sign
    QCOMPARE(text.at(0xE9), QChar(0xE9));
    QCOMPARE(TextCodec::encode(text), std::optional<QByteArray>(all));
    QVERIFY(!TextCodec::encode(QStringLiteral("caf\u00e9 \u4e2d")).has_value());
}

void TestText::storable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("free");
    QTest::addColumn<bool>("noSeparator");
    QTest::newRow("plain") << QStringLiteral("Bank of Ohio") << true << true;
    QTest::newRow("accented and euro") << QStringLiteral("Cr\u00e9dit \u20ac") << true << true;
    QTest::newRow("bar") << QStringLiteral("A|B") << true << false;
    QTest::newRow("tab") << QStringLiteral("A\tB") << false << false;
    QTest::newRow("line feed") << QStringLiteral("A\nB") << false << false;
    QTest::newRow("C1 control") << QStringLiteral("A\u0081B") << false << false;
    QTest::newRow("outside the code page") << QStringLiteral("\u4e2d") << false << false;
    QTest::newRow("empty") << QString() << true << true;
}

void TestText::storable() {
    QFETCH(QString, text);
    QFETCH(bool, free);
    QFETCH(bool, noSeparator);
    QCOMPARE(TextCodec::isStorable(text, TextCodec::Field::Free), free);
    QCOMPARE(TextCodec::isStorable(text, TextCodec::Field::NoSeparator), noSeparator);
}

void TestText::dateForm_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    const QDate date(2026, 3, 4);
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("3/4/2026");
    QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                    << QStringLiteral("04/03/2026");
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("04/03/2026");
    QTest::newRow("Japan") << QLocale(QLocale::Japanese, QLocale::Japan) << QStringLiteral("2026/03/04");
    QTest::newRow("C: no numeric month") << QLocale::c() << QStringLiteral("3/4/2026");
}

void TestText::dateForm() {
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    const QDate date(2026, 3, 4);
    QCOMPARE(DateText::format(date, locale), expected);
    QCOMPARE(DateText::parse(expected, locale), date);
}

void TestText::dateReadBack() {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(DateText::parse(u"03/04/2026", us), QDate(2026, 3, 4));
    QCOMPARE(DateText::parse(u"12/31/1999", us), QDate(1999, 12, 31));
    QVERIFY(!DateText::parse(u"13/01/2026", us).isValid());
    QVERIFY(!DateText::parse(u"03-04-2026", us).isValid());
    QVERIFY(!DateText::parse(u"", us).isValid());
}

QTEST_APPLESS_MAIN(TestText)
#include "tst_text.moc"
