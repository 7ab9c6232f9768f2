#include "app/entry_area.h"
#include "app/login_browser.h"
#include "app/main_window.h"
#include "browser/browser_launcher.h"
#include "browser/chrome_widgets.h"
#include "browser/mini_browser.h"
#include "platform/clipboard.h"

#include "local_site.h"
#include "scripted.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEngineView>

// The browser on real pages served on 127.0.0.1: the first load, the credentials, the login address.
class TestBrowserPages final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void credentialsWaitForTheFirstPage();
    void stopReleasesTheCredentialsAtOnce();
    void copiesTheCapturedCredentials();
    void clearedCredentialsCopyNothing();
    void secondCreditorWhileOpen();
    void refreshGoesToTheCurrentLoginAddress();
    void addressBoxKeepsTheOpenedAddress();
    void refusedAddressesOpenNothing_data();
    void refusedAddressesOpenNothing();
    void refusedAddressLeavesTheOpenPage();
    void refusedCertificateShowsNoPadlock();
    void mainWindowOpensTheLoginPageFromTheKeyboard_data();
    void mainWindowOpensTheLoginPageFromTheKeyboard();

private:
    MiniBrowser& open(const QString& address);
    QWebEngineView* view() const;
    bool pageIs(const QString& path) const;
    void click(int button);
    void waitForFirstLoad();

    std::unique_ptr<LocalSite> m_site;
    std::unique_ptr<TestProgram> m_program;
    std::array<std::unique_ptr<QLineEdit>, 3> m_boxes;
    std::unique_ptr<BrowserLauncher> m_launcher;
};

void TestBrowserPages::initTestCase() {
    // The engine keeps its profile in the test's own folders, not the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void TestBrowserPages::init() {
    m_site = std::make_unique<LocalSite>();
    QVERIFY(m_site->listening());
    m_program = std::make_unique<TestProgram>();
    QDir().mkpath(m_program->folder() + QStringLiteral("/help"));
    QFile blank(m_program->folder() + QStringLiteral("/help/blank.html"));
    QVERIFY(blank.open(QIODevice::WriteOnly));
    blank.write("<!DOCTYPE html><html><body></body></html>");
    blank.close();
    m_boxes = {std::make_unique<QLineEdit>(), std::make_unique<QLineEdit>(), std::make_unique<QLineEdit>()};
    m_boxes[1]->setText(QStringLiteral("alice@bank"));
    // Spaces and symbols go to the clipboard exactly as the box holds them.
    m_boxes[2]->setText(QStringLiteral(" pa$$ w0rd "));
    m_launcher = std::make_unique<BrowserLauncher>(
        std::array<QLineEdit*, 3>{m_boxes[0].get(), m_boxes[1].get(), m_boxes[2].get()}, m_program->services, [] {});
    Clipboard::putText(QStringLiteral("what the user had"));
}

void TestBrowserPages::cleanup() {
    m_launcher.reset();
    m_site.reset();
    m_program.reset();
}

MiniBrowser& TestBrowserPages::open(const QString& address) {
    m_boxes[0]->setText(address);
    m_launcher->OpenLoginPage();
    if (!m_launcher->window())
        qFatal("the browser did not open");
    return *m_launcher->window();
}

QWebEngineView* TestBrowserPages::view() const {
    return m_launcher->window() ? m_launcher->window()->findChild<QWebEngineView*>() : nullptr;
}

bool TestBrowserPages::pageIs(const QString& path) const {
    return view() && view()->url() == m_site->url(path) && !m_launcher->window()->control().Busy();
}

void TestBrowserPages::click(int button) {
    MiniBrowser* window = m_launcher->window();
    QTest::mouseClick(window->Toolbar1->widgetForAction(window->button(button)), Qt::LeftButton);
}

void TestBrowserPages::waitForFirstLoad() {
    QTRY_VERIFY_WITH_TIMEOUT(!m_launcher->window()->Timer1->isActive(), 20000);
}

void TestBrowserPages::credentialsWaitForTheFirstPage() {
    MiniBrowser& window = open(m_site->url(QStringLiteral("/slow")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(m_site->requests().contains(QStringLiteral("/slow")), 20000);
    QVERIFY(!window.button(7)->isEnabled());
    QVERIFY(!window.button(8)->isEnabled());
    QCOMPARE(Clipboard::text(), QStringLiteral("what the user had"));

    m_site->releaseSlow();
    QTRY_VERIFY_WITH_TIMEOUT(window.button(7)->isEnabled(), 20000);
    QVERIFY(window.button(8)->isEnabled());
    QVERIFY(Clipboard::text().isEmpty());
    QVERIFY(!window.Timer1->isActive());

    // Only the first page empties the clipboard: later pages leave it alone.
    Clipboard::putText(QStringLiteral("copied later"));
    view()->setUrl(m_site->url(QStringLiteral("/next")));
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/next")), 20000);
    QCOMPARE(Clipboard::text(), QStringLiteral("copied later"));
    QVERIFY(window.button(7)->isEnabled());
}

void TestBrowserPages::stopReleasesTheCredentialsAtOnce() {
    MiniBrowser& window = open(m_site->url(QStringLiteral("/slow")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(m_site->requests().contains(QStringLiteral("/slow")), 20000);
    QVERIFY(!window.button(7)->isEnabled());

    click(5);
    QVERIFY(window.button(7)->isEnabled());
    QVERIFY(window.button(8)->isEnabled());
    QVERIFY(!window.control().Busy());
    waitForFirstLoad();
    QVERIFY(Clipboard::text().isEmpty());
    QVERIFY(window.button(7)->isEnabled());
}

void TestBrowserPages::copiesTheCapturedCredentials() {
    MiniBrowser& window = open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();
    QVERIFY(pageIs(QStringLiteral("/a")));

    click(7);
    QCOMPARE(Clipboard::text(), QStringLiteral("alice@bank"));
    QVERIFY(Clipboard::isMarkedSecret());
    QCOMPARE(window.Label2->text(), QStringLiteral(" alice@bank  "));

    click(8);
    QCOMPARE(Clipboard::text(), QStringLiteral(" pa$$ w0rd "));
    QVERIFY(Clipboard::isMarkedSecret());
    QCOMPARE(window.Label2->text(), QStringLiteral("  pa$$ w0rd   "));
}

void TestBrowserPages::clearedCredentialsCopyNothing() {
    MiniBrowser& window = open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();
    click(7);

    click(10);
    QVERIFY(Clipboard::text().isEmpty());
    QCOMPARE(window.Label2->text(), QStringLiteral(" nothing  "));
    QVERIFY(window.button(7)->toolTip().isEmpty());
    QVERIFY(window.button(8)->toolTip().isEmpty());

    click(7);
    click(8);
    QVERIFY(Clipboard::text().isEmpty());
    QCOMPARE(window.Label2->text(), QStringLiteral(" nothing  "));
}

void TestBrowserPages::secondCreditorWhileOpen() {
    MiniBrowser* first = &open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();

    click(8);
    QCOMPARE(Clipboard::text(), QStringLiteral(" pa$$ w0rd "));

    m_boxes[1]->setText(QStringLiteral("bob"));
    m_boxes[2]->setText(QStringLiteral("hunter2"));
    QCOMPARE(&open(m_site->typed(QStringLiteral("/b"))), first);
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/b")), 20000);
    QCOMPARE(first->Text1->text(), m_site->typed(QStringLiteral("/b")));

    // The second creditor's page offers the second creditor's credentials; the first one's password is off
    // the clipboard and the tray.
    QCOMPARE(Clipboard::text(), QString());
    QCOMPARE(first->Label2->text(), QStringLiteral(" empty  "));
    click(7);
    QCOMPARE(Clipboard::text(), QStringLiteral("bob"));
    click(8);
    QCOMPARE(Clipboard::text(), QStringLiteral("hunter2"));
}

void TestBrowserPages::refreshGoesToTheCurrentLoginAddress() {
    MiniBrowser& window = open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();
    view()->setUrl(m_site->url(QStringLiteral("/next")));
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/next")), 20000);

    m_boxes[0]->setText(m_site->url(QStringLiteral("/b")).toString());
    click(4);
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/b")), 20000);
    QCOMPARE(window.Text1->text(), m_site->typed(QStringLiteral("/a")));

    // Back and forward walk the history; with nothing further they do nothing.
    // (The engine decides which earlier entries "back" may skip.)
    click(2);
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/next")) || pageIs(QStringLiteral("/a")), 20000);
    click(3);
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/b")), 20000);
    const int entries = view()->history()->count();
    click(3);
    QTest::qWait(50);
    QVERIFY(pageIs(QStringLiteral("/b")));
    QCOMPARE(view()->history()->count(), entries);
}

void TestBrowserPages::addressBoxKeepsTheOpenedAddress() {
    MiniBrowser& window = open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();
    view()->page()->runJavaScript(QStringLiteral("document.getElementById('next').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(pageIs(QStringLiteral("/next")), 20000);
    QCOMPARE(window.Text1->text(), m_site->typed(QStringLiteral("/a")));
}

void TestBrowserPages::refusedAddressesOpenNothing_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("no dot") << "localhost/a";
    QTest::newRow("only dot first") << ".localhost";
    QTest::newRow("file") << "file:///etc/hosts";
    QTest::newRow("local path") << "/etc/hosts.allow";
    QTest::newRow("javascript") << "javascript:document.title='x.y'";
}

void TestBrowserPages::refusedAddressesOpenNothing() {
    QFETCH(QString, address);
    m_boxes[0]->setText(address);
    m_launcher->OpenLoginPage();
    QVERIFY(!m_launcher->window());
}

void TestBrowserPages::refusedAddressLeavesTheOpenPage() {
    MiniBrowser& window = open(m_site->typed(QStringLiteral("/a")));
    waitForFirstLoad();
    m_boxes[0]->setText(QStringLiteral("file:///etc/hosts"));
    m_launcher->OpenLoginPage();
    click(4);
    QTest::qWait(100);
    QVERIFY(pageIs(QStringLiteral("/a")));
    QCOMPARE(window.Text1->text(), m_site->typed(QStringLiteral("/a")));
    QCOMPARE(m_site->requests(), QStringList({"/a"}));
}

void TestBrowserPages::refusedCertificateShowsNoPadlock() {
    LocalSite secure(true);
    if (!secure.listening())
        QSKIP("no TLS support in this Qt build");
    MiniBrowser& window = open(secure.url(QStringLiteral("/a")).toString());
    waitForFirstLoad();
    // The engine refuses the self-signed certificate: no page, no padlock.
    QVERIFY(secure.requests().isEmpty());
    QVERIFY(!window.Image4->isVisible());
}

// Go and the globe are pictures for the mouse; the keyboard has Enter in the address box and Ctrl+G.
void TestBrowserPages::mainWindowOpensTheLoginPageFromTheKeyboard_data() {
    QTest::addColumn<bool>("enterInTheBox");
    QTest::newRow("Enter in the login address box") << true;
    QTest::newRow("Ctrl+G in the window") << false;
}

void TestBrowserPages::mainWindowOpensTheLoginPageFromTheKeyboard() {
    QFETCH(bool, enterInTheBox);
    m_program->writeData(QStringLiteral("db.db"), QByteArray());
    MainWindow window(m_program->services);
    window.Form_Load();
    attachLoginBrowser(window, m_program->services);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* launcher = window.findChild<BrowserLauncher*>();
    QVERIFY(launcher);
    QLineEdit* address = window.details()->Text2[0];
    address->setText(m_site->url(QStringLiteral("/a")).toString());
    if (enterInTheBox)
        QTest::keyClick(address, Qt::Key_Return);
    else
        QTest::keyClick(window.entry()->Combo1, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(launcher->window());
    QTRY_VERIFY_WITH_TIMEOUT(m_site->requests().contains(QStringLiteral("/a")), 20000);
    launcher->window()->close();
}

QTEST_MAIN(TestBrowserPages)
#include "tst_browser_pages.moc"
