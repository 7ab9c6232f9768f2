#include "browser/browser_launcher.h"
#include "browser/mini_browser.h"

#include "local_site.h"
#include "scripted.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

// The padlock on a real https page. The test site's certificate is self-signed, so this test alone has the
// engine take any certificate as valid; the program never does.
class TestBrowserPadlock final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void padlockShownForHttpsAndHiddenForHttp();
};

void TestBrowserPadlock::padlockShownForHttpsAndHiddenForHttp() {
    LocalSite secure(true);
    if (!secure.listening())
        QSKIP("no TLS support in this Qt build");
    LocalSite plain;
    QVERIFY(plain.listening());
    TestProgram program;
    QLineEdit address(secure.url(QStringLiteral("/a")).toString());
    QLineEdit user(QStringLiteral("alice"));
    QLineEdit password(QStringLiteral("pw"));
    BrowserLauncher launcher({&address, &user, &password}, program.services, [] {});

    launcher.OpenLoginPage();
    MiniBrowser* window = launcher.window();
    QVERIFY(window);
    QVERIFY(!window->Image4->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(window->Image4->isVisible(), 20000);
    QCOMPARE(secure.requests(), QStringList({"/a"}));

    window->findChild<QWebEngineView*>()->setUrl(plain.url(QStringLiteral("/next")));
    QTRY_VERIFY_WITH_TIMEOUT(plain.requests().contains(QStringLiteral("/next")), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!window->Image4->isVisible(), 20000);

    // Back to the secure page: shown again.
    address.setText(secure.url(QStringLiteral("/b")).toString());
    launcher.OpenLoginPage();
    QTRY_VERIFY_WITH_TIMEOUT(window->Image4->isVisible(), 20000);
}

int main(int argc, char* argv[]) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --ignore-certificate-errors");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    TestBrowserPadlock test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browser_padlock.moc"
