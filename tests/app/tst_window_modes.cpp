#include "app/entry_area.h"
#include "app/main_menus.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "prefs/preferences.h"

#include "scripted.h"

#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// The menus, the toolbar and the window's modes: on top, expanded and shrunk.
class TestWindowModes final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menuCaptions();
    void onTopTwiceFromTheMenu();
    void onTopFromTheToolbar();
    void onTopAtLaunch();
    void aboutDropsAndRestoresOnTop_data();
    void aboutDropsAndRestoresOnTop();
    void shrinkAndExpand_data();
    void shrinkAndExpand();
    void widthStaysFixed();
    void dropDownFacesDoNothing();
    void configPopsUpSettings_data();
    void configPopsUpSettings();
    void helpOpensTheGuide();
    void titleOnTheBareWindow();

private:
    MainWindow& window();

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<MainWindow> m_window;
};

void TestWindowModes::init() {
    m_program = std::make_unique<TestProgram>();
    m_program->writeData("db.db", "Visa|01/02/2026|12.00|C3\r\n");
}

void TestWindowModes::cleanup() {
    QCOMPARE(m_program->prompter.pending(), 0);
    m_window.reset();
    m_program.reset();
}

MainWindow& TestWindowModes::window() {
    if (!m_window) {
        m_window = std::make_unique<MainWindow>(m_program->services);
        m_window->Form_Load();
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("the main window was not shown");
    }
    return *m_window;
}

void TestWindowModes::menuCaptions() {
    MainMenus* menus = window().menus();
    QCOMPARE(menus->Addmnu->title(), QStringLiteral("&Add"));
    QCOMPARE(menus->saveCleanmnu->title(), QStringLiteral("&Store"));
    QCOMPARE(menus->Rcovermnu->text(), QStringLiteral("R&ecover"));
    QCOMPARE(menus->Rmovemnu->text(), QStringLiteral("Remove"));
    QCOMPARE(menus->mnuontop->text(), QStringLiteral("Always ontop"));
    QCOMPARE(menus->Aboutmnu->text(), QStringLiteral("Abo&ut"));
    QCOMPARE(menus->Exitmnu->text(), QStringLiteral("E&xit"));
    const QStringList buttons = {"add", "store", "remove", "preferences", "window", "reports", "help"};
    const QStringList captions = {"Add", "Store", "Remove", "Config", "Window", "Report", "Help"};
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QToolButton* button = menus->button(buttons.at(i));
        QVERIFY(button);
        QCOMPARE(button->text(), captions.at(i));
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(menus->item("ontop")->text(), QStringLiteral("On top"));
    QVERIFY(!menus->mnuExpand->isEnabled());
}

void TestWindowModes::onTopTwiceFromTheMenu() {
    MainMenus* menus = window().menus();
    menus->mnuontop->trigger();
    QVERIFY(window().isOnTop());
    QVERIFY(window().OnTopWanted());
    QVERIFY(window().windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    menus->mnuontop->trigger();
    QVERIFY(!window().isOnTop());
    QVERIFY(!menus->mnuontop->isChecked());
    QVERIFY(!window().OnTopWanted());
    QVERIFY(!(window().windowHandle()->flags() & Qt::WindowStaysOnTopHint));
}

void TestWindowModes::onTopFromTheToolbar() {
    MainMenus* menus = window().menus();
    menus->item("ontop")->trigger();
    QCOMPARE(menus->item("ontop")->text(), QStringLiteral("off Top"));
    QVERIFY(menus->mnuontop->isChecked());
    menus->item("ontop")->trigger();
    QCOMPARE(menus->item("ontop")->text(), QStringLiteral("on Top"));
    QVERIFY(!window().isOnTop());
}

void TestWindowModes::onTopAtLaunch() {
    m_program->storePreferences({{PrefItems::ontp, "1"}});
    QVERIFY(window().isOnTop());
    // Applying the preferences again leaves it on top.
    window().ApplyWindowPreferences();
    QVERIFY(window().isOnTop());
}

void TestWindowModes::aboutDropsAndRestoresOnTop_data() {
    QTest::addColumn<int>("toggles");
    QTest::newRow("on") << 1;
    QTest::newRow("off") << 0;
    QTest::newRow("toggled twice") << 2;
}

void TestWindowModes::aboutDropsAndRestoresOnTop() {
    QFETCH(int, toggles);
    MainMenus* menus = window().menus();
    for (int i = 0; i < toggles; ++i)
        menus->mnuontop->trigger();
    const bool wanted = toggles == 1;
    bool seen = false;
    bool onTopWhileShown = true;
    QTimer::singleShot(0, this, [&] {
        Splash* about = window().findChild<Splash*>();
        seen = about && about->isVisible();
        onTopWhileShown = window().isOnTop();
        if (about)
            QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));
    });
    menus->Aboutmnu->trigger();
    QVERIFY(seen);
    QVERIFY(!onTopWhileShown);
    QCOMPARE(window().isOnTop(), wanted);
    QCOMPARE(window().OnTopWanted(), wanted);
}

void TestWindowModes::shrinkAndExpand_data() {
    QTest::addColumn<bool>("fromToolbar");
    QTest::newRow("menu") << false;
    QTest::newRow("toolbar") << true;
}

void TestWindowModes::shrinkAndExpand() {
    QFETCH(bool, fromToolbar);
    MainMenus* menus = window().menus();
    const int expanded = window().height();
    fromToolbar ? menus->item("shrink")->trigger() : menus->mnuShrink->trigger();
    const int shrunk = window().height();
    QVERIFY(shrunk < expanded);
    // The grid is out of view; the creditor details are whole.
    const QWidget* details = window().details();
    QVERIFY(details->mapTo(&window(), QPoint(0, details->height())).y() <= shrunk);
    QVERIFY(window().FlexGr->mapTo(&window(), QPoint(0, 30)).y() > shrunk);
    QVERIFY(!menus->mnuShrink->isEnabled() && !menus->item("shrink")->isEnabled());
    QVERIFY(menus->mnuExpand->isEnabled() && menus->item("expand")->isEnabled());
    fromToolbar ? menus->item("expand")->trigger() : menus->mnuExpand->trigger();
    QCOMPARE(window().height(), expanded);
    QVERIFY(menus->mnuShrink->isEnabled() && !menus->mnuExpand->isEnabled());
}

void TestWindowModes::widthStaysFixed() {
    const int width = window().width();
    window().resize(width + 200, window().height() + 40);
    QCOMPARE(window().width(), width);
}

void TestWindowModes::dropDownFacesDoNothing() {
    MainMenus* menus = window().menus();
    const QByteArray log = m_program->readData("db.db");
    for (const char* key : {"add", "store", "window", "help"})
        menus->buttonClicked(QString::fromLatin1(key));
    menus->itemChosen("nonsense");
    QVERIFY(m_program->shell.opened.isEmpty());
    QVERIFY(m_program->prompter.messages().isEmpty());
    QCOMPARE(m_program->readData("db.db"), log);
    QVERIFY(!window().isOnTop());
}

void TestWindowModes::configPopsUpSettings_data() {
    QTest::addColumn<bool>("disabled");
    QTest::newRow("allowed") << false;
    QTest::newRow("never show again") << true;
}

void TestWindowModes::configPopsUpSettings() {
    QFETCH(bool, disabled);
    if (disabled)
        m_program->storePreferences({{PrefItems::Nprf, "1"}});
    MainMenus* menus = window().menus();
    menus->buttonClicked("preferences");
    QTRY_VERIFY(menus->mnupreferences->isVisible());
    QCOMPARE(menus->mnupreferences->actions(), QList<QAction*>{menus->mnuprefs});
    QCOMPARE(menus->mnuprefs->text(), QStringLiteral("&Settings"));
    QCOMPARE(menus->mnuprefs->isEnabled(), !disabled);
    menus->mnupreferences->hide();
}

void TestWindowModes::helpOpensTheGuide() {
    window().menus()->mnuHelp->trigger();
    window().menus()->item("help")->trigger();
    const QUrl guide = QUrl::fromLocalFile(m_program->folder() + "/help/help.html");
    QCOMPARE(m_program->shell.opened, (QList<QUrl>{guide, guide}));
}

void TestWindowModes::titleOnTheBareWindow() {
    QCOMPARE(window().windowTitle(), QStringLiteral("Quorvane"));
    QTest::mouseMove(window().FlexGr->viewport(), QPoint(10, 10));
    QCOMPARE(window().windowTitle(), QStringLiteral("Quorvane"));
    QTest::mouseMove(window().centralWidget(), QPoint(2, window().centralWidget()->height() - 2));
    QTRY_COMPARE(window().windowTitle(), QStringLiteral("Quorvane - "));
}

QTEST_MAIN(TestWindowModes)
#include "tst_window_modes.moc"
