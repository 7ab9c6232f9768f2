#pragma once

#include "app/splash.h"
#include "prefs/pref_items.h"

#include <functional>
#include <memory>
#include <QPointer>

class InstanceLock;
class MainWindow;
class QApplication;
struct Services;

// The start of the program: preferences, the start password, the data folder, then the splash window,
// whose click brings up the main window.
class Startup final {
public:
    explicit Startup(Services& services);

    // Runs once the main window is loaded: the program adds what tests leave out (the login-page browser).
    std::function<void(MainWindow&, Services&)> attachToMainWindow;
    ~Startup();

    // False when the program is to end here (another run holds the data folder, or the start password was
    // refused).
    bool Main();

    Splash* splash() const { return m_splash; }
    MainWindow* mainWindow() const { return m_main.get(); }
    const PrefItems& prefItems() const { return m_prefs; }

private:
    void ShowMainWindow();

    Services& m_services;
    std::unique_ptr<InstanceLock> m_lock; // held for the whole run
    PrefItems m_prefs;
    QPointer<Splash> m_splash;
    std::unique_ptr<MainWindow> m_main;
};

// The program itself, on the real desktop.
int QuorvaneMain(QApplication& application, std::function<void(MainWindow&, Services&)> attachToMainWindow = {});
