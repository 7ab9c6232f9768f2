#pragma once

#include "platform/clock.h"
#include "platform/program_exit.h"
#include "platform/prompter.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <initializer_list>
#include <memory>
#include <QBuffer>
#include <QList>
#include <QQueue>
#include <QTemporaryDir>
#include <QUrl>
#include <variant>

// A Prompter that answers from a script and records every call. A call with no scripted answer fails the
// running test.
class ScriptedPrompter final : public Prompter {
public:
    using Reply = std::variant<Prompt::Answer, QString, std::optional<int>>;

    void expect(Prompt::Answer answer) { m_replies.enqueue(answer); }
    void expectFile(const QString& path) { m_replies.enqueue(path); }
    void expectColor(std::optional<int> color) { m_replies.enqueue(color); }

    Prompt::Answer ask(const Prompt::Message& message) override;
    QString openFile(const Prompt::FileRequest& request) override;
    QString saveFile(const Prompt::FileRequest& request) override;
    std::optional<int> chooseColor(int initial) override;

    const QList<Prompt::Message>& messages() const { return m_messages; }
    QStringList texts() const;
    int pending() const { return int(m_replies.size()); }
    void clear() {
        m_messages.clear();
        m_replies.clear();
    }

private:
    Reply next(const char* what);

    QQueue<Reply> m_replies;
    QList<Prompt::Message> m_messages;
};

class FakeClock final : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now{QDate(2026, 1, 2), QTime(10, 55)};
};

class RecordingShell final : public Shell {
public:
    bool open(const QUrl& url) override {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};

class RecordingExit final : public ProgramExit {
public:
    void exit(int code) override {
        m_requested = true;
        lastCode = code;
    }
    bool requested() const override { return m_requested; }
    void reset() { m_requested = false; }
    int lastCode = -1;

private:
    bool m_requested = false;
};

// A QIODevice whose writes fail after a given number of bytes, as on a full disk.
class FailingDevice final : public QBuffer {
public:
    explicit FailingDevice(qint64 room = 0)
        : m_room(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override;

private:
    qint64 m_room;
};

// A program folder in a temporary directory, with scripted seams around it.
struct TestProgram {
    TestProgram();

    QString folder() const { return dir.path(); }
    QString dataFile(const QString& name) const { return dir.path() + QStringLiteral("/data/") + name; }
    void writeData(const QString& name, const QByteArray& bytes) const;
    // Stores a preferences record with the given slots changed (slots by number, values as stored).
    void storePreferences(std::initializer_list<std::pair<int, const char*>> changed = {});
    QByteArray readData(const QString& name) const;

    QTemporaryDir dir;
    SettingsStore settings;
    ScriptedPrompter prompter;
    FakeClock clock;
    RecordingShell shell;
    RecordingExit exit;
    Services services;
};

class MainWindow;
// The main window on a test program, loaded, shown and made active, as the window tests start from.
std::unique_ptr<MainWindow> openMainWindow(Services& services);
