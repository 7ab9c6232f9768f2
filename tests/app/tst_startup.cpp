#include "app/caption_label.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "app/startup.h"

#include "scripted.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTest>

class TestStartup final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_program = std::make_unique<TestProgram>(); }
    void cleanup() { m_program.reset(); }
    void firstRunOnAnEmptyProgramFolder();
    void splashClickShowsMainWindowOnce();
    void splashGoesOnFromTheKeyboard_data();
    void splashGoesOnFromTheKeyboard();
    void unwritableDataFolderIsToldAndStartGoesOn();
    void startMinute_data();
    void startMinute();

private:
    std::unique_ptr<TestProgram> m_program;
};

void TestStartup::firstRunOnAnEmptyProgramFolder() {
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    QVERIFY(startup.splash() && startup.splash()->isVisible());
    QVERIFY(!startup.mainWindow());
    QCOMPARE(QFileInfo(m_program->dataFile(QStringLiteral("db.db"))).size(), 0);
    QCOMPARE(m_program->prompter.messages().size(), 0);

    QTest::mouseClick(startup.splash(), Qt::LeftButton, {}, QPoint(10, 10));
    MainWindow* main = startup.mainWindow();
    QVERIFY(main && main->isVisible());
    QTRY_VERIFY(!startup.splash());
    QCOMPARE(main->windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(main->grid().rows(), 12);
    for (int r = 1; r < 12; ++r)
        QVERIFY(!main->grid().holdsRecord(r));
    QCOMPARE(main->findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 0);
    for (int k = 1; k <= 12; ++k)
        QCOMPARE(main->prefItems()[k], QStringLiteral("0"));
}

void TestStartup::splashClickShowsMainWindowOnce() {
    m_program->writeData(QStringLiteral("db.db"), "Visa|03/04/2026|120.00|A-1001\r\nBank|03/15/2026|9.99|CF8\r\n");
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    Splash* splash = startup.splash();
    // A press and release on a caption, then on the background: the main window comes once.
    QTest::mouseClick(splash->Label3, Qt::LeftButton);
    MainWindow* main = startup.mainWindow();
    QVERIFY(main);
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(startup.mainWindow(), main);
    QCOMPARE(main->grid().cell(2, 0), QStringLiteral("Bank"));
    QCOMPARE(main->FlexGr->model()->index(0, 3).data().toString(), QStringLiteral("A-1001"));
}

void TestStartup::splashGoesOnFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestStartup::splashGoesOnFromTheKeyboard() {
    QFETCH(int, key);
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    Splash* splash = startup.splash();
    QVERIFY(QTest::qWaitForWindowActive(splash));
    QCOMPARE(QApplication::focusWidget(), splash);
    QTest::keyClick(splash, Qt::Key(key));
    QVERIFY(startup.mainWindow());
    QTRY_VERIFY(!startup.splash());
}

void TestStartup::unwritableDataFolderIsToldAndStartGoesOn() {
    QFile blocker(m_program->dir.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_program->prompter.expect(Prompt::Answer::Ok);
    Startup startup(m_program->services);
    QVERIFY(startup.Main());
    QCOMPARE(m_program->prompter.messages().size(), 1);
    const Prompt::Message message = m_program->prompter.messages().first();
    QVERIFY(message.text.contains(QDir::toNativeSeparators(m_program->dir.filePath(QStringLiteral("data")))));
    QCOMPARE(message.icon, Prompt::Icon::Critical);
    QTest::mouseClick(startup.splash(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(startup.mainWindow());
    QCOMPARE(startup.mainWindow()->grid().rows(), 12);
}

void TestStartup::startMinute_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("minute");
    QTest::newRow("five past nine") << QTime(9, 5, 3) << QStringLiteral("05");
    QTest::newRow("afternoon") << QTime(14, 59, 59) << QStringLiteral("59");
    QTest::newRow("midnight") << QTime(0, 0) << QStringLiteral("00");
}

void TestStartup::startMinute() {
    QFETCH(QTime, time);
    QFETCH(QString, minute);
    m_program->clock.set(QDateTime(QDate(2026, 1, 2), time));
    MainWindow main(m_program->services);
    main.Form_Load();
    QCOMPARE(main.startMinute(), minute);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
