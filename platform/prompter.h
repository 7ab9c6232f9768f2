#pragma once

#include <optional>
#include <QString>

// Every message box, question and common dialog of the program goes through a Prompter, so that the
// windows can be driven in tests with scripted answers.
namespace Prompt {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Exclamation, Critical };
enum class Answer { Ok, Cancel, Yes, No };

// The program's title: what a message box shows when it names no title of its own.
inline QString programTitle() {
    return QStringLiteral("Quorvane");
}

struct Message {
    QString text;
    QString title = programTitle();
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

struct FileRequest {
    QString title;
    QString directory;
    QString filter; // Qt filter string, "Data base (*.db);;All files (*)"
    QString suggestedName;
};

} // namespace Prompt

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual Prompt::Answer ask(const Prompt::Message& message) = 0;
    // An empty text means the user cancelled.
    virtual QString openFile(const Prompt::FileRequest& request) = 0;
    virtual QString saveFile(const Prompt::FileRequest& request) = 0;
    // Colours are Windows RGB values (red in the low byte); no value means the user cancelled.
    virtual std::optional<int> chooseColor(int initial) = 0;

    // Shorthands for the common shapes.
    void inform(const QString& text, const QString& title = Prompt::programTitle()) {
        ask({text, title, Prompt::Buttons::Ok, Prompt::Icon::Information});
    }
    void fail(const QString& text, const QString& title) {
        ask({text, title, Prompt::Buttons::Ok, Prompt::Icon::Critical});
    }
};
