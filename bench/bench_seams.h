#pragma once

#include "platform/clock.h"
#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <QStringList>

// The outside world of a benchmarked program: answers every question as a user who goes on would (Yes,
// OK), and records what it was told, so the benchmark can check that each command did what it timed.
class BenchPrompter final : public Prompter {
public:
    Prompt::Answer ask(const Prompt::Message& message) override {
        texts.append(message.text);
        return message.buttons == Prompt::Buttons::YesNo ? Prompt::Answer::Yes : Prompt::Answer::Ok;
    }
    QString openFile(const Prompt::FileRequest&) override { return {}; }
    QString saveFile(const Prompt::FileRequest&) override { return {}; }
    std::optional<int> chooseColor(int) override { return std::nullopt; }

    QStringList texts;
};

// A June day, far from the start-of-year storage.
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return {QDate(2026, 6, 15), QTime(10, 0)}; }
};

class QuietShell final : public Shell {
public:
    bool open(const QUrl&) override { return true; }
};

class NotedExit final : public ProgramExit {
public:
    void exit(int) override { m_requested = true; }
    bool requested() const override { return m_requested; }

private:
    bool m_requested = false;
};

// A program folder with its seams; the preferences live in a file there, never in the user's own store.
struct BenchProgram {
    BenchProgram(const QString& folder, Clock& clock)
        : settings(SettingsStore::inFile(folder + QStringLiteral("/settings.ini")))
        , services{folder, settings, prompter, clock, shell, exit} {}

    SettingsStore settings;
    BenchPrompter prompter;
    QuietShell shell;
    NotedExit exit;
    Services services;
};
