#include "app/login_browser.h"

#include "app/caption_label.h"
#include "app/entry_area.h"
#include "app/main_window.h"
#include "browser/browser_launcher.h"
#include "browser/mini_browser.h"

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
}
