#include "app/login_browser.h"

#include "app/caption_label.h"
#include "app/entry_area.h"
#include "app/main_window.h"
#include "browser/browser_launcher.h"
#include "browser/mini_browser.h"

#include <QLineEdit>
#include <QShortcut>

void attachLoginBrowser(MainWindow& window, Services& services) {
    DetailsArea* details = window.details();
    auto* launcher = new BrowserLauncher(
        details->Text2, services,
        [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        },
        &window);
    QObject::connect(details->Image1, &CaptionLabel::clicked, launcher, &BrowserLauncher::OpenLoginPage);
    QObject::connect(details->Label2, &CaptionLabel::clicked, launcher, &BrowserLauncher::OpenLoginPage);
    // The keyboard's ways to Go: Enter in the login address box, and Ctrl+G anywhere in the window (the
    // address box starts afresh when it takes the focus, so the shown address is best opened from outside it).
    QObject::connect(details->Text2[0], &QLineEdit::returnPressed, launcher, &BrowserLauncher::OpenLoginPage);
    auto* go = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), &window);
    go->setObjectName(QStringLiteral("goShortcut"));
    QObject::connect(go, &QShortcut::activated, launcher, &BrowserLauncher::OpenLoginPage);
}
