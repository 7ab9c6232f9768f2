#pragma once

#include "prefs/password_lock.h"

#include <optional>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
struct Services;

// The password dialog. It is not modal: the caller shows it and waits for answered(). Every wrong password
// is written to the security breach log; the third one in a showing refuses access. Closing the window by
// any way but "Ok" answers "cancel", so that no caller waits for an answer that cannot come.
class PassReq final : public QDialog {
    Q_OBJECT

public:
    PassReq(Services& services, const QString& expected, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command2 = nullptr; // "Ok"
    QPushButton* Command1 = nullptr; // "Cancel"

    // The answer, once given.
    std::optional<PasswordResult> Auth() const { return m_auth; }
    int FailedAttempts() const { return m_lock.FailedAttempts(); }

Q_SIGNALS:
    void answered(PasswordResult result);

public Q_SLOTS:
    void reject() override;

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Command2_Click();
    void Command1_Click();
    void answer(PasswordResult result);

    Services& m_services;
    PasswordLock m_lock;
    std::optional<PasswordResult> m_auth;
};
