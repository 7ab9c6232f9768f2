#pragma once

#include "browser/browser_chrome.h"
#include "browser/browser_control.h"

#include <array>
#include <functional>
#include <memory>
#include <QUrl>
#include <QWidget>

class AddressBox;
class BrowserFrame;
class Clock;
class ImageButton;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class ResizeGrip;
class TitleLabel;

// What the browser window takes from the program around it.
struct BrowserHooks {
    BrowserFlags* flags = nullptr;         // outlives the window
    Clock* clock = nullptr;                // the status clock's time
    QUrl startPage;                        // shown before the login page
    std::function<QString()> loginAddress; // the main window's Login URL box as it reads now
    std::function<void()> showMainWindow;  // brings the main window back to its normal state
    BrowserControlFactory makeControl;     // the embedded browser
};

// The mini browser: a borderless window with its own title bar, a toolbar that goes back, forward, back
// to the login page and stops, and hands the creditor's user name and password to the clipboard, and
// below it the page. Closing it discards it; the next opening builds it afresh.
class MiniBrowser final : public QWidget {
    Q_OBJECT

public:
    // The load step: the start page, the credentials as the main window holds them now, the timers.
    MiniBrowser(const BrowserHooks& hooks, const QString& userName, const QString& password);
    ~MiniBrowser() override;

    // Shows the window maximised, its design geometry kept for when it is restored.
    void showLoaded();
    // The address box shows `text` as the user typed it; the page goes to `address`.
    void openLoginPage(const QString& text, const QUrl& address);
    // The user name and password the buttons offer.
    void setCredentials(const QString& userName, const QString& password);

    void ReloadLoginPage();
    void Toolbar1_ButtonClick(const QString& key);
    void WatchFirstLoad();
    void CopyUserName();
    void CopyPassword();
    void ClearCredentials();
    void ShowInTray(const QString& text);
    void ClearTray();
    void DragWindow();
    void SetSecureLockIcon(int level);

    // Toolbar buttons by their index, 1 to 12.
    QAction* button(int index) const { return m_buttons.at(size_t(index - 1)); }
    BrowserChrome& chrome() { return m_chrome; }
    BrowserControl& control() { return *m_control; }

    TitleLabel* lblbar;
    TitleLabel* Label1;
    ImageButton* Image2;
    QLabel* Image4;
    TitleLabel* Label3;
    AddressBox* Text1;
    ImageButton* minBtn;
    ImageButton* Image7;
    ImageButton* Image5;
    ImageButton* closebtn;
    QWidget* PictureBar;
    QToolBar* Toolbar1;
    QLabel* ClipStatLbl;
    QWidget* Picture1;
    ImageButton* Image3;
    QLabel* Label2;
    BrowserFrame* Frame1;
    ResizeGrip* Picture2;
    QMenu* TmnuMenu;
    QAction* mnuRestoreSize;
    QAction* mnuMinimize;
    QAction* mnuMaximize;
    QAction* mnuClipbtray;
    QAction* mnuExit;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildTitleBar();
    void buildToolbar();
    void buildTray();
    void buildMenu();
    void buildShortcuts();
    void connectChrome();
    // Runs a rule of the chrome, then shows its result.
    void withChrome(const std::function<void(BrowserChrome&)>& rule);
    void applyChrome();
    void setTrayCaption(const QString& caption);
    void showMenuAt(const QPoint& globalPosition);
    void Timer3Tick();

    BrowserHooks m_hooks;
    BrowserChrome m_chrome;
    std::unique_ptr<BrowserControl> m_control;
    std::array<QAction*, 12> m_buttons{};
};
