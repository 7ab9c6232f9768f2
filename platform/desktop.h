#pragma once

#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/shell.h"

// The real desktop behind the seams: message boxes, file and colour dialogs, the shell and the exit.
class DialogPrompter final : public Prompter {
public:
    Prompt::Answer ask(const Prompt::Message& message) override;
    QString openFile(const Prompt::FileRequest& request) override;
    QString saveFile(const Prompt::FileRequest& request) override;
    std::optional<int> chooseColor(int initial) override;
};

class DesktopShell final : public Shell {
public:
    bool open(const QUrl& url) override;
};

class ApplicationExit final : public ProgramExit {
public:
    void exit(int code) override;
    bool requested() const override { return m_requested; }

private:
    bool m_requested = false;
};
