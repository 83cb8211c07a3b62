#pragma once

#include <QString>

// The per-user settings store: application, section, key, text value.
class SettingsStore {
public:
    // An INI file; the default is the user's KestrunAds.ini in the config folder.
    explicit SettingsStore(QString fileName = QString());
    QString fileName() const { return m_fileName; }

    QString GetSetting(const QString& app, const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    bool hasSetting(const QString& app, const QString& section, const QString& key) const;
    // Writes at once so that an abrupt end keeps the value.
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value);

    static QString defaultFileName();

private:
    QString m_fileName;
};
