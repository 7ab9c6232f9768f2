#pragma once

#include "store/text_codec.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class Prompter;

// Refuses, as they are typed or pasted, the characters a box's file cannot carry: the comma, control
// characters, characters outside the files' code page and, where the field ends at a "|", the "|". The
// user is told "Character not permited" and the box goes back to its text before the keystroke.
class CharacterGuard final : public QObject {
    Q_OBJECT

public:
    CharacterGuard(QLineEdit* box, Prompter& prompter, TextCodec::Field field);

    static bool permits(const QString& text, TextCodec::Field field);

private:
    void onEdited(const QString& text);

    QPointer<QLineEdit> m_box;
    Prompter& m_prompter;
    TextCodec::Field m_field;
    QString m_accepted;
};
