#pragma once

#include "browser/browser_chrome.h"
#include "browser/browser_control.h"

#include <array>
#include <functional>
#include <QObject>
#include <QPointer>

struct Services;
class MiniBrowser;
class QLineEdit;

// Opens the mini browser on the creditor's login page, from the main window's Login URL, Username and
// Password boxes. There is at most one browser window: it is reused while it is open.
class BrowserLauncher final : public QObject {
    Q_OBJECT

public:
    // `details` are the main window's Login URL, Username and Password boxes; `showMainWindow` brings the
    // main window back to its normal state. The factory defaults to the web engine.
    BrowserLauncher(const std::array<QLineEdit*, 3>& details, Services& services, std::function<void()> showMainWindow,
                    QObject* parent = nullptr, BrowserControlFactory makeControl = {});
    ~BrowserLauncher() override;

    // The browser window while it is open.
    MiniBrowser* window() const { return m_window; }
    BrowserFlags& flags() { return m_flags; }

public Q_SLOTS:
    void OpenLoginPage();

private:
    std::array<QLineEdit*, 3> m_details;
    Services& m_services;
    std::function<void()> m_showMainWindow;
    BrowserControlFactory m_makeControl;
    BrowserFlags m_flags;
    QPointer<MiniBrowser> m_window;
};
