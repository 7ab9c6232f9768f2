#include "app/entry_area.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "app/startup.h"
#include "faults.h"
#include "prefs/password_lock.h"
#include "prefs/preferences.h"
#include "reports/report_builder.h"
#include "store/scramble.h"

#include "scripted.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>
#include <sys/stat.h>

// Files that no version of the program wrote: the program starts on them, shows what it can read, stays
// quick to answer, keeps its memory within a small multiple of the files, and loses none of their bytes.
class TestBadFiles final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startsOnBadFiles_data();
    void startsOnBadFiles();
    void appendAfterALogWithoutLastLineBreak_data();
    void appendAfterALogWithoutLastLineBreak();
    void pipesInPlaceOfFilesDoNotHang_data();
    void pipesInPlaceOfFilesDoNotHang();

private:
    MainWindow* start();

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<Startup> m_startup;
};

namespace {

// Sanitizer builds run several times slower; the limits are for the plain build.
#ifdef QUORVANE_SLOW_BUILD
constexpr int Slowdown = 8;
#else
constexpr int Slowdown = 1;
#endif

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

QByteArray scrambledRecord(const QByteArray& plain) {
    return ScrambleText(plain, PreferencesKey());
}

} // namespace

void TestBadFiles::init() {
    m_program = std::make_unique<TestProgram>();
    // Away from January, so that no yearly storage starts while a test runs.
    m_program->clock.set(QDateTime(QDate(2026, 6, 15), QTime(10, 55)));
}

void TestBadFiles::cleanup() {
    m_startup.reset();
    QCOMPARE(m_program->prompter.pending(), 0);
    m_program.reset();
}

MainWindow* TestBadFiles::start() {
    m_startup = std::make_unique<Startup>(m_program->services);
    if (!m_startup->Main())
        return nullptr;
    QTest::mouseClick(m_startup->splash(), Qt::LeftButton, {}, QPoint(5, 5));
    return m_startup->mainWindow();
}

void TestBadFiles::startsOnBadFiles_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("creditors");
    QTest::addColumn<QByteArray>("preferences"); // the stored value, as it is kept
    QTest::addColumn<int>("records");            // records the grid shows, -1 for any number
    QTest::addColumn<int>("messages");           // messages the start shows
    QTest::addColumn<int>("seconds");            // start-up, and the report, within

    const QByteArray good = "Visa|01/02/2027|5.00|A\r\n";
    QTest::newRow("log of 100 MB of random bytes")
        << randomBytes(100 << 20, 1) << QByteArray() << QByteArray() << 0 << 0 << 10;
    // Random bytes again, but cut into lines of three separators: some 400 000 records of garbage.
    QByteArray dense = randomBytes(100 << 20, 2);
    for (qsizetype i = 0; i < dense.size(); ++i) {
        if (i % 61 == 0)
            dense[i] = (i / 61) % 4 == 3 ? '\n' : '|';
        else if (dense.at(i) == '\n' || dense.at(i) == '|')
            dense[i] = 'x';
    }
    dense.prepend(good);
    // Every one of these lines names a creditor of its own: the report, one block per creditor, is not
    // built for it (seconds 0).
    QTest::newRow("log of 100 MB of random records") << dense << QByteArray() << QByteArray() << -1 << 0 << 0;
    QTest::newRow("one line of 10 MB") << good + "Bank|01/03/2027|5.00|" + QByteArray(10 << 20, 'x') + "\r\n" + good
                                       << QByteArray() << QByteArray() << 3 << 0 << 10;
    static const char nul[] = "Vi\0sa|01/02/2027|5.\0"
                              "00|A\0\r\n\0\0\0\r\n";
    QTest::newRow("NUL bytes") << QByteArray(nul, sizeof(nul) - 1) + good << QByteArray() << QByteArray() << 1 << 0
                               << 5;
    QTest::newRow("lines of only |") << "|||\r\n||||\r\n|||||||\r\n||\r\n|\r\n" + good << QByteArray() << QByteArray()
                                     << 0 << 0 << 5;
    QTest::newRow("creditor list of 10 MB of random bytes")
        << good << randomBytes(10 << 20, 3) << QByteArray() << 1 << 0 << 20;
    QTest::newRow("creditor list with a line of 10 MB")
        << good
        << ScrambleText(QByteArray("Visa|" + QByteArray(10 << 20, 'v') + "|pw|http://x/"), CreditorListKey()) + "\r\n"
        << QByteArray() << 1 << 0 << 10;
    QTest::newRow("preferences value of random bytes")
        << good << QByteArray() << randomBytes(1 << 16, 4) << 1 << 0 << 5;
    // The monthly backup is on, to a path that is no path: the start says so once.
    QTest::newRow("preferences of garbage values")
        << good << QByteArray()
        << scrambledRecord("Jan1=x|UsYr=\xff|JanN=../../etc|MnBK=1|MBKF=\x01\x02|DBdl=-1|Shut=0|ShTm=nan|Dupl=|"
                           "NPas=99|ontp=1e9|Nprf=0|Pass=1|Aids=1|NoFo=red|SiFo=99999999999|PssL=0|1asdrtyuh=")
        << 1 << 1 << 5;
}

void TestBadFiles::startsOnBadFiles() {
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, creditors);
    QFETCH(QByteArray, preferences);
    QFETCH(int, records);
    QFETCH(int, messages);
    QFETCH(int, seconds);
    m_program->writeData(QStringLiteral("db.db"), log);
    if (!creditors.isEmpty())
        m_program->writeData(QStringLiteral("creditors.dat"), creditors);
    if (!preferences.isEmpty())
        QVERIFY(m_program->settings.setValue(Preferences::section(), Preferences::settingKey(), preferences));
    const qint64 fileBytes = log.size() + creditors.size();
    const QByteArray logHash = QCryptographicHash::hash(log, QCryptographicHash::Sha256);
    log.clear();
    creditors.clear();

    resetPeakResident();
    const qint64 residentBefore = peakResidentKb();
    for (int i = 0; i < messages; ++i)
        m_program->prompter.expect(Prompt::Answer::Ok);
    QElapsedTimer clock;
    clock.start();
    MainWindow* w = start();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    // Everything the grid shows is drawn once.
    w->FlexGr->grab();
    const qint64 startedMs = clock.elapsed();
    const qint64 grownKb = peakResidentKb() - residentBefore;
    qInfo("started in %lld ms, memory grew by %lld MB for %lld MB of files", startedMs, grownKb / 1024,
          fileBytes >> 20);
    QVERIFY2(startedMs < std::max(seconds, 20) * 1000 * Slowdown, "start-up took too long");
    if (residentBefore > 0) // a bound well below what a copy per line, or a text per byte, would cost
        QVERIFY2(grownKb * 1024 < 4 * fileBytes + (256 << 20), "memory grew out of bounds");

    if (records >= 0) {
        int shown = 0;
        while (w->grid().holdsRecord(shown + 1))
            ++shown;
        QCOMPARE(shown, records);
    }

    // Still answering: the grid scrolls and redraws quickly, the report builds, and a new record is saved.
    clock.restart();
    w->FlexGr->scrollToBottom();
    w->FlexGr->grab();
    QTest::keyClick(w->FlexGr, Qt::Key_PageUp);
    w->FlexGr->grab();
    QVERIFY2(clock.elapsed() < 1000 * Slowdown, "the grid is slow to redraw");
    if (seconds > 0) {
        clock.restart();
        BuildReport(w->files().paymentLog(), QString());
        QVERIFY2(clock.elapsed() < seconds * 1000 * Slowdown, "the report took too long");
    }

    const qint64 sizeBefore = QFileInfo(w->files().paymentLog()).size();
    w->entry()->Combo1->setEditText(QStringLiteral("Gas"));
    w->entry()->Text1[2]->setText(QStringLiteral("41.00"));
    w->entry()->Text1[3]->setText(QStringLiteral("G-7"));
    w->AddPaymentRecord();
    QCOMPARE(m_program->prompter.messages().size(), messages);
    const QByteArray added = w->grid().recordLine(w->grid().currentRow());
    QVERIFY(added.startsWith("Gas|"));
    // The bad bytes stay as they were; the record follows them on a line of its own.
    QFile file(w->files().paymentLog());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCryptographicHash kept(QCryptographicHash::Sha256);
    kept.addData(file.read(sizeBefore));
    QCOMPARE(kept.result(), logHash);
    const QByteArray rest = file.readAll();
    QVERIFY2(rest.endsWith(added) && rest.size() <= added.size() + 2, rest.left(80).constData());
    QVERIFY(file.seek(file.size() - added.size() - 1));
    QCOMPARE(file.read(1), QByteArray("\n"));
}

void TestBadFiles::appendAfterALogWithoutLastLineBreak_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("edited by hand") << QByteArray("Visa|01/02/2027|5.00|A") << QByteArray("Visa|01/02/2027|5.00|A\r\n");
    QTest::newRow("cut after its CR") << QByteArray("Visa|01/02/2027|5.00|A\r")
                                      << QByteArray("Visa|01/02/2027|5.00|A\r\n");
    QTest::newRow("whole") << QByteArray("Visa|01/02/2027|5.00|A\r\n") << QByteArray("Visa|01/02/2027|5.00|A\r\n");
    QTest::newRow("LF only") << QByteArray("Visa|01/02/2027|5.00|A\n") << QByteArray("Visa|01/02/2027|5.00|A\n");
}

void TestBadFiles::appendAfterALogWithoutLastLineBreak() {
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, kept);
    m_program->writeData(QStringLiteral("db.db"), log);
    MainWindow* w = start();
    QVERIFY(w);
    w->entry()->Combo1->setEditText(QStringLiteral("Gas"));
    w->entry()->Text1[2]->setText(QStringLiteral("41.00"));
    w->entry()->Text1[3]->setText(QStringLiteral("G-7"));
    w->AddPaymentRecord();
    QCOMPARE(m_program->prompter.messages().size(), 0);
    // The new record does not run on into the last one: both are records after a restart.
    const QByteArray added = w->grid().recordLine(2);
    QCOMPARE(m_program->readData(QStringLiteral("db.db")), kept + added);
    m_startup.reset();
    MainWindow* again = start();
    QVERIFY(again);
    QCOMPARE(again->grid().cell(1, 3), QStringLiteral("A"));
    QCOMPARE(again->grid().recordLine(2), added);
}

void TestBadFiles::pipesInPlaceOfFilesDoNotHang_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("log") << "db.db";
    QTest::newRow("creditor list") << "creditors.dat";
    QTest::newRow("breach log") << "seqbreach.log";
}

void TestBadFiles::pipesInPlaceOfFilesDoNotHang() {
    QFETCH(QString, name);
    // A pipe never ends and, opened for writing, waits for a reader: a program that opens one hangs.
    m_program->writeData(QStringLiteral("db.db"), "Visa|01/02/2027|5.00|A\r\n");
    QFile::remove(m_program->dataFile(name));
    QCOMPARE(mkfifo(QFile::encodeName(m_program->dataFile(name)).constData(), 0600), 0);
    if (name == u"db.db")
        m_program->prompter.expect(Prompt::Answer::Ok); // start-up says that there is no usable log
    MainWindow* w = start();
    QVERIFY(w);
    w->entry()->Combo1->setEditText(QStringLiteral("Gas"));
    w->entry()->Text1[2]->setText(QStringLiteral("41.00"));
    w->entry()->Text1[3]->setText(QStringLiteral("G-7"));
    if (name == u"db.db")
        m_program->prompter.expect(Prompt::Answer::Ok);
    w->AddPaymentRecord();
    w->entry()->Combo1->setEditText(QStringLiteral("Phone"));
    if (name == u"creditors.dat")
        m_program->prompter.expect(Prompt::Answer::Ok);
    w->AddCreditor();
    QCOMPARE(LogSecurityBreach(w->files(), QStringLiteral("guess"), m_program->clock.now()), name != u"seqbreach.log");
    // Nothing replaced the pipe.
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(m_program->dataFile(name)).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
}

QTEST_MAIN(TestBadFiles)
#include "tst_bad_files.moc"
