#pragma once

#include "prefs/password_lock.h"

#include <optional>

class QWidget;
struct PrefItems;
struct Services;

// Asks for the password in the PassReq dialog and waits for its answer in a nested event loop, so that the
// program's other windows and timers run on meanwhile. Only one request can wait at a time: a second one
// returns at once with no value and shows nothing.
std::optional<PasswordResult> RequestPassword(Services& services, const QString& expected, QWidget* parent = nullptr);

// True while a password request waits for its answer.
bool passwordRequestWaiting();

// The start-up check: asks for the stored password, when one is stored (Ok at once when none is). After the
// third wrong password it says "Access Forbiden - Quitting". Anything but Ok means that the program must
// end: it never starts without the password once one is set.
PasswordResult StartPasswordCheck(const PrefItems& items, Services& services);
