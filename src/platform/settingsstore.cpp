#include "settingsstore.h"

#include <QSettings>

// The store holds one application's values; the application name keeps the
// file name, the section is the INI group.
SettingsStore::SettingsStore(QString fileName)
    : m_fileName(fileName.isEmpty() ? defaultFileName() : std::move(fileName)) {}

QString SettingsStore::defaultFileName() {
    const QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("KestrunAds"),
                      QStringLiteral("KestrunAds"));
    return s.fileName();
}

QString SettingsStore::GetSetting(const QString&, const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    QSettings s(m_fileName, QSettings::IniFormat);
    s.beginGroup(section);
    const QVariant v = s.value(key);
    if (!v.isValid())
        return defaultValue;
    return v.toString();
}

bool SettingsStore::hasSetting(const QString&, const QString& section, const QString& key) const {
    QSettings s(m_fileName, QSettings::IniFormat);
    s.beginGroup(section);
    return s.contains(key);
}

void SettingsStore::SaveSetting(const QString&, const QString& section, const QString& key,
                                const QString& value) {
    QSettings s(m_fileName, QSettings::IniFormat);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}
