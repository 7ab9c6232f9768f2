#pragma once

#include <functional>

class Prefs;
class QWidget;
struct PrefItems;
struct Services;

// The Settings command: opens the preferences dialog over the main window, after the password when the
// preferences require one and one is stored.
//
// - mainWindow is hidden while the dialog is shown, shown again however it ends, and is the dialog's parent.
// - refresh runs after every save: the main window applies the record again.
// - When isOnTop() says the main window stays on top, dropOnTop() is called first, so that the password
//   prompt and the dialog are not covered; the caller notes there that it must go back on top after a save.
//
// Returns the dialog, shown and not modal, or nullptr when it was not opened: the preferences are closed
// for good ("Never Show This Screen Again"), the password was refused or not given, or another password
// request is waiting. While a dialog is open, a second call brings that one forward instead.
Prefs* mnuprefs_Click(Services& services, const PrefItems& items, QWidget* mainWindow, std::function<void()> refresh,
                      const std::function<bool()>& isOnTop, const std::function<void()>& dropOnTop);
