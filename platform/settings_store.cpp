#include "platform/settings_store.h"

#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

std::unique_ptr<QSettings> open(const QString& application, const QString& filePath) {
    if (!filePath.isEmpty())
        return std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application);
}

QString keyPath(const QString& section, const QString& key) {
    return section + u'/' + key;
}

// The record holds the password. Where the store is a file, it is made readable by its owner only before
// anything is written into it; later writes keep the permissions of the file they replace.
void makeOwnerOnly(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path); // the registry keeps a user's settings to that user
#else
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        QFile::setPermissions(path, ownerOnly);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
        file.close();
#endif
}

} // namespace

SettingsStore::SettingsStore(const QString& application)
    : m_application(application) {}

SettingsStore SettingsStore::inFile(const QString& path) {
    SettingsStore store;
    store.m_filePath = path;
    return store;
}

QByteArray SettingsStore::value(const QString& section, const QString& key) const {
    const auto settings = open(m_application, m_filePath);
    return settings->value(keyPath(section, key)).toByteArray();
}

bool SettingsStore::setValue(const QString& section, const QString& key, const QByteArray& value) {
    const auto settings = open(m_application, m_filePath);
    makeOwnerOnly(settings->fileName());
    settings->setValue(keyPath(section, key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
