#include "platform/instance_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

InstanceLock::InstanceLock(const QString& dataFolder)
    : m_dataFolder(dataFolder) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::fileName() {
    return QStringLiteral("quorvane.lock");
}

Prompt::Message InstanceLock::runningMessage(const QString& dataFolder) {
    return {QStringLiteral("Quorvane is already running from this folder:\n\n%1\n\n"
                           "Only one Quorvane at a time can keep these records. Switch to the one that is "
                           "running, or close it and start again.")
                .arg(QDir::toNativeSeparators(dataFolder)),
            QStringLiteral("Quorvane Is Already Running"), Prompt::Buttons::Ok, Prompt::Icon::Exclamation};
}

InstanceLock::State InstanceLock::acquire() {
    if (held())
        return State::Held;
    if (!QFileInfo(m_dataFolder).isDir() && !QDir().mkpath(m_dataFolder))
        return State::Unavailable;
    m_lock = std::make_unique<QLockFile>(m_dataFolder + u'/' + fileName());
    // Never by age: a run may last for days. A lock whose process is gone is stale at once, and a living
    // holder keeps its file locked, so nobody can take it away from it.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return State::Held;
    qint64 pid = 0;
    QString host;
    QString application;
    // A run that died between creating the lock and writing its name into it leaves a lock that names
    // nobody. Only a living holder keeps the file locked, so removing it then cannot take it from one.
    if (m_lock->error() == QLockFile::LockFailedError && !m_lock->getLockInfo(&pid, &host, &application) &&
        m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return State::Held;
    const QLockFile::LockError error = m_lock->error();
    m_lock.reset();
    return error == QLockFile::LockFailedError ? State::HeldByAnother : State::Unavailable;
}

bool InstanceLock::claim(Prompter& prompter) {
    if (acquire() != State::HeldByAnother)
        return true;
    prompter.ask(runningMessage(m_dataFolder));
    return false;
}

bool InstanceLock::held() const {
    return m_lock && m_lock->isLocked();
}
