#include "platform/settings_store.h"

#include <memory>
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
    settings->setValue(keyPath(section, key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
