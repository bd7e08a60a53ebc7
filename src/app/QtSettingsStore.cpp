#include "app/QtSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace quiverel {
namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QtSettingsStore::QtSettingsStore(QString configRoot) : m_configRoot(std::move(configRoot)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::userConfigRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsStore::filePath(const std::string& application) const {
    const QString name = qText(application);
    return m_configRoot + '/' + name + '/' + name + QStringLiteral(".ini");
}

QSettings& QtSettingsStore::settingsOf(const std::string& application) {
    std::unique_ptr<QSettings>& settings = m_files[application];
    if (!settings) {
        settings = std::make_unique<QSettings>(filePath(application), QSettings::IniFormat);
    }
    return *settings;
}

std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    QSettings& settings = settingsOf(application);
    settings.beginGroup(qText(section));
    const QVariant value = settings.value(qText(key));
    settings.endGroup();
    if (!value.isValid()) {
        return defaultValue;
    }
    // A hand-edited value with unquoted commas reads as a list: keep it as the one text it was.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    QSettings& settings = settingsOf(application);
    settings.beginGroup(qText(section));
    settings.setValue(qText(key), qText(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace quiverel
