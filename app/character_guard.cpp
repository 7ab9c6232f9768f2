#include "app/character_guard.h"

#include "platform/prompter.h"

#include <QLineEdit>

CharacterGuard::CharacterGuard(QLineEdit* box, Prompter& prompter, TextCodec::Field field)
    : QObject(box)
    , m_box(box)
    , m_prompter(prompter)
    , m_field(field)
    , m_accepted(box->text()) {
    connect(box, &QLineEdit::textEdited, this, &CharacterGuard::onEdited);
    // Text put in by the program itself (a creditor's details) is accepted as it stands.
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (permits(text, m_field))
            m_accepted = text;
    });
}

bool CharacterGuard::permits(const QString& text, TextCodec::Field field) {
    return !text.contains(u',') && TextCodec::isStorable(text, field);
}

void CharacterGuard::onEdited(const QString& text) {
    if (permits(text, m_field)) {
        m_accepted = text;
        return;
    }
    const int cursor = m_box->cursorPosition() - int(text.size() - m_accepted.size());
    m_box->setText(m_accepted);
    m_box->setCursorPosition(std::max(0, cursor));
    m_prompter.inform(QStringLiteral("Character not permited"));
}
