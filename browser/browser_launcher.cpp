#include "browser/browser_launcher.h"

#include "browser/login_address.h"
#include "browser/mini_browser.h"
#include "browser/web_engine_control.h"
#include "platform/services.h"
#include "store/data_folder.h"

#include <QFileInfo>
#include <QLineEdit>

BrowserLauncher::BrowserLauncher(const std::array<QLineEdit*, 3>& details, Services& services,
                                 std::function<void()> showMainWindow, QObject* parent,
                                 BrowserControlFactory makeControl)
    : QObject(parent)
    , m_details(details)
    , m_services(services)
    , m_showMainWindow(std::move(showMainWindow))
    , m_makeControl(makeControl ? std::move(makeControl) : BrowserControlFactory(&makeWebEngineControl)) {}

// The browser has no owner, so it would outlive the main window: it goes with it.
BrowserLauncher::~BrowserLauncher() {
    delete m_window.data();
}

void BrowserLauncher::OpenLoginPage() {
    const QString text = m_details[0]->text();
    const std::optional<QUrl> address = loginPageAddress(text);
    if (!address)
        return;
    if (!m_window) {
        const QString blank = ProgramFiles(m_services.programFolder).helpFile(QStringLiteral("blank.html"));
        BrowserHooks hooks;
        hooks.flags = &m_flags;
        hooks.clock = &m_services.clock;
        hooks.startPage = QFileInfo::exists(blank) ? QUrl::fromLocalFile(blank) : QUrl(QStringLiteral("about:blank"));
        hooks.loginAddress = [box = QPointer<QLineEdit>(m_details[0])] { return box ? box->text() : QString(); };
        hooks.showMainWindow = m_showMainWindow;
        hooks.makeControl = m_makeControl;
        m_window = new MiniBrowser(hooks, m_details[1]->text(), m_details[2]->text());
        m_window->showLoaded();
    } else {
        // Another creditor's page may be opened in the open window: its buttons must not go on offering the
        // first creditor's user name and password there, nor may the clipboard still hold one of them.
        m_window->setCredentials(m_details[1]->text(), m_details[2]->text());
        m_window->ClearTray();
    }
    m_window->openLoginPage(text, *address);
}
