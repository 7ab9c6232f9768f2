#include "prefs/pass_req.h"

#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "prefs/asterisk_style.h"
#include "store/data_folder.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PassReq::PassReq(Services& services, const QString& expected, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_lock(expected) {
    setObjectName(QStringLiteral("PassReq"));
    setWindowTitle(QStringLiteral("Password Required"));

    Label1 = new QLabel(QStringLiteral("Password"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    auto* style = new AsteriskStyle;
    style->setParent(Text1);
    Text1->setStyle(style);
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setAccessibleName(Label1->text());
    Text1->setMinimumWidth(Text1->fontMetrics().averageCharWidth() * 28);
    Label1->setBuddy(Text1);

    Command2 = new QPushButton(QStringLiteral("Ok"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Enter in the field acts as "Ok": the dialog passes it to its default button.
    Command2->setDefault(true);
    const int buttonWidth = std::max(Command1->sizeHint().width(), Command2->sizeHint().width());
    Command1->setFixedWidth(buttonWidth);
    Command2->setFixedWidth(buttonWidth);

    auto* field = new QHBoxLayout;
    field->addWidget(Label1);
    field->addWidget(Text1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command2, &QPushButton::clicked, this, &PassReq::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &PassReq::Command1_Click);
    Text1->setFocus();
}

void PassReq::Command2_Click() {
    if (m_auth)
        return;
    const QString typed = Text1->text();
    const PasswordLock::Verdict verdict = m_lock.attempt(typed);
    if (verdict == PasswordLock::Verdict::Right) {
        answer(PasswordResult::Ok);
        return;
    }
    if (verdict == PasswordLock::Verdict::Refused)
        m_services.prompter.fail(QStringLiteral("Access Forbiden"), QStringLiteral("Access Error"));
    LogSecurityBreach(ProgramFiles(m_services.programFolder), typed, m_services.clock.now());
    Text1->clear();
    if (verdict == PasswordLock::Verdict::Refused)
        answer(PasswordResult::WRNG);
    else
        Text1->setFocus();
}

void PassReq::Command1_Click() {
    answer(PasswordResult::cancel);
}

void PassReq::reject() {
    answer(PasswordResult::cancel);
    QDialog::reject();
}

void PassReq::hideEvent(QHideEvent* event) {
    // Hidden from outside (the program ending, its owner going) before any answer: the caller must not
    // wait on. A minimised window is hidden by the desktop and still waits.
    if (!event->spontaneous())
        answer(PasswordResult::cancel);
    QDialog::hideEvent(event);
}

void PassReq::keyPressEvent(QKeyEvent* event) {
    // A held Enter key must not use up the remaining attempts with an empty field: one press, one try.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PassReq::answer(PasswordResult result) {
    if (m_auth)
        return;
    m_auth = result;
    hide();
    Q_EMIT answered(result);
}
