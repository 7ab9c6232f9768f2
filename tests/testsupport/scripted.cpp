#include "scripted.h"

#include "app/main_window.h"
#include "prefs/preferences.h"

#include <QStringList>

#include <QDir>
#include <QFile>
#include <QTest>

ScriptedPrompter::Reply ScriptedPrompter::next(const char* what) {
    if (m_replies.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted %1").arg(QLatin1StringView(what))), __FILE__, __LINE__);
        return Prompt::Answer::Cancel;
    }
    return m_replies.dequeue();
}

Prompt::Answer ScriptedPrompter::ask(const Prompt::Message& message) {
    m_messages.append(message);
    const Reply reply = next(qPrintable(QStringLiteral("message \"%1\"").arg(message.text)));
    if (const auto* answer = std::get_if<Prompt::Answer>(&reply))
        return *answer;
    QTest::qFail("a message box got a file or colour answer", __FILE__, __LINE__);
    return Prompt::Answer::Cancel;
}

QString ScriptedPrompter::openFile(const Prompt::FileRequest& request) {
    m_messages.append({QStringLiteral("<open file>"), request.title});
    const Reply reply = next("open file dialog");
    const auto* path = std::get_if<QString>(&reply);
    return path ? *path : QString();
}

QString ScriptedPrompter::saveFile(const Prompt::FileRequest& request) {
    m_messages.append({QStringLiteral("<save file>"), request.title});
    const Reply reply = next("save file dialog");
    const auto* path = std::get_if<QString>(&reply);
    return path ? *path : QString();
}

std::optional<int> ScriptedPrompter::chooseColor(int) {
    m_messages.append({QStringLiteral("<colour>")});
    const Reply reply = next("colour dialog");
    const auto* color = std::get_if<std::optional<int>>(&reply);
    return color ? *color : std::nullopt;
}

QStringList ScriptedPrompter::texts() const {
    QStringList all;
    for (const auto& message : m_messages)
        all.append(message.text);
    return all;
}

qint64 FailingDevice::writeData(const char* data, qint64 length) {
    const qint64 accepted = std::min(length, m_room);
    if (accepted <= 0)
        return -1;
    m_room -= accepted;
    return QBuffer::writeData(data, accepted);
}

TestProgram::TestProgram()
    : settings(SettingsStore::inFile(dir.filePath(QStringLiteral("settings.ini"))))
    , services{dir.path(), settings, prompter, clock, shell, exit} {}

void TestProgram::writeData(const QString& name, const QByteArray& bytes) const {
    QDir().mkpath(dir.path() + QStringLiteral("/data"));
    QFile file(dataFile(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        QTest::qFail("cannot write a fixture file", __FILE__, __LINE__);
    file.write(bytes);
}

QByteArray TestProgram::readData(const QString& name) const {
    QFile file(dataFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TestProgram::storePreferences(std::initializer_list<std::pair<int, const char*>> changed) {
    // The design defaults, less the monthly backup and the on-top start, which would act on their own.
    QStringList values;
    for (const char* value :
         {"1", "1", "", "0", "", "0", "0", "10", "1", "0", "0", "0", "0", "1", "255", "49152", "0", ""})
        values.append(QString::fromLatin1(value));
    for (const auto& [slot, value] : changed)
        values[slot - 1] = QString::fromLatin1(value);
    const std::optional<QString> record = Preferences::buildRecord(values);
    if (!record || !Preferences::storeRecord(settings, *record))
        QTest::qFail("cannot store the preferences", __FILE__, __LINE__);
}

std::unique_ptr<MainWindow> openMainWindow(Services& services) {
    auto window = std::make_unique<MainWindow>(services);
    window->Form_Load();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the main window did not become active");
    return window;
}
