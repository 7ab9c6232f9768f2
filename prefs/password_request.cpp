#include "prefs/password_request.h"

#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/pass_req.h"
#include "prefs/pref_items.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>

namespace {

bool s_waiting = false;

} // namespace

bool passwordRequestWaiting() {
    return s_waiting;
}

std::optional<PasswordResult> RequestPassword(Services& services, const QString& expected, QWidget* parent) {
    if (s_waiting)
        return std::nullopt;
    s_waiting = true;

    QPointer<PassReq> dialog = new PassReq(services, expected, parent);
    std::optional<PasswordResult> result;
    QEventLoop loop;
    QObject::connect(dialog, &PassReq::answered, &loop, [&](PasswordResult answer) {
        result = answer;
        loop.quit();
    });
    // Taken down with its owner while waiting: nothing can answer any more.
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);

    if (!parent) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            dialog->adjustSize();
            QRect frame = dialog->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            dialog->move(frame.topLeft());
        }
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->Text1->setFocus();
    if (!result && dialog)
        loop.exec();

    delete dialog.data();
    s_waiting = false;
    return result.value_or(PasswordResult::cancel);
}

PasswordResult StartPasswordCheck(const PrefItems& items, Services& services) {
    const QString stored = items.password();
    if (stored.isEmpty())
        return PasswordResult::Ok;
    const PasswordResult answer = RequestPassword(services, stored).value_or(PasswordResult::cancel);
    if (answer == PasswordResult::WRNG)
        services.prompter.fail(QStringLiteral("Access Forbiden - Quitting"), QStringLiteral("Unauthorized Access"));
    return answer;
}
