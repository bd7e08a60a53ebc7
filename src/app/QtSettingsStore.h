#pragma once

#include "platform/SettingsStore.h"

#include <QString>

#include <map>
#include <memory>

class QSettings;

namespace quiverel {

// The settings store as INI files: application "A" lives in <configRoot>/A/A.ini, each section
// a group of it. Files are written atomically; a write reports whether it reached the disk.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QString configRoot = userConfigRoot());
    ~QtSettingsStore() override;

    // The user's configuration folder (~/.config, or $XDG_CONFIG_HOME).
    static QString userConfigRoot();
    QString filePath(const std::string& application) const;

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    QSettings& settingsOf(const std::string& application);

    QString m_configRoot;
    std::map<std::string, std::unique_ptr<QSettings>> m_files;
};

} // namespace quiverel
