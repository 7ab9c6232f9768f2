#include "prefs/settings_command.h"

#include "prefs/password_request.h"
#include "prefs/pref_items.h"
#include "prefs/prefs_dialog.h"
#include "prefs/prefs_rules.h"

#include <QPointer>

namespace {

QPointer<Prefs> s_open;

} // namespace

Prefs* mnuprefs_Click(Services& services, const PrefItems& items, QWidget* mainWindow, std::function<void()> refresh,
                      const std::function<bool()>& isOnTop, const std::function<void()>& dropOnTop) {
    if (s_open) {
        s_open->show();
        s_open->raise();
        s_open->activateWindow();
        return s_open;
    }
    const PrefsRules::SettingsAccess access = PrefsRules::settingsAccess(items);
    if (access == PrefsRules::SettingsAccess::Closed)
        return nullptr;

    if (isOnTop && dropOnTop && isOnTop())
        dropOnTop();

    if (access == PrefsRules::SettingsAccess::AskPassword) {
        const QPointer<QWidget> owner = mainWindow;
        const std::optional<PasswordResult> answer = RequestPassword(services, items.password(), mainWindow);
        // The main window may have gone while the prompt waited: nothing to open the dialog over then.
        if (answer != PasswordResult::Ok || (mainWindow && !owner))
            return nullptr;
    }

    auto* dialog = new Prefs(services, std::move(refresh), mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    s_open = dialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
