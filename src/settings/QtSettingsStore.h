#pragma once

#include "platform/SettingsStore.h"
#include "settings/SettingsFile.h"

#include <QString>

#include <map>

namespace quiverel {

// The settings store as INI files in the form QSettings reads and writes: application "A"
// lives in <configRoot>/A/A.ini, each section a group of it. Every read looks at the file
// afresh; every write merges its value into the file as it is on the disk then, under a lock
// every writer takes, and replaces the file atomically. A file that is damaged gives what can
// be read from it, and its first write replaces it with a sound one; anything else in its place
// (see SettingsFile.h) is left alone: reads give the defaults, writes fail, and the problem is
// logged once until it changes.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QString configRoot = userConfigRoot());

    // The user's configuration folder (~/.config, or $XDG_CONFIG_HOME).
    static QString userConfigRoot();
    QString filePath(const std::string& application) const;

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    // Logs the problem met with the application's file when it differs from the last one.
    void note(const std::string& application, SettingsFileProblem problem);

    QString m_configRoot;
    std::map<std::string, SettingsFileProblem> m_lastProblem;
};

} // namespace quiverel
