#pragma once

#include <QByteArray>
#include <QString>

// The one per-user setting store. Values are byte arrays so that every byte, 0, 10 and 13 included,
// comes back as it was stored.
class SettingsStore {
public:
    // The user's own store (the registry on Windows, ~/.config elsewhere), under this application name.
    explicit SettingsStore(const QString& application);
    // A store kept in one file; tests use it.
    static SettingsStore inFile(const QString& path);

    QByteArray value(const QString& section, const QString& key) const;
    // False when the store could not be written.
    bool setValue(const QString& section, const QString& key, const QByteArray& value);

private:
    SettingsStore() = default;
    QString m_application;
    QString m_filePath;
};
