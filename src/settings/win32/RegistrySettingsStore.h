#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace quiverel {

// The settings store in the user's part of the registry, where Windows programs of this kind
// have always kept their settings: section S of application A is the key
// HKEY_CURRENT_USER\<root>\A\S, each setting one REG_SZ value of it, texts in UTF-16. A value of
// another type, or one larger than any value this program writes, reads as absent and is left
// alone; a write the registry refuses (no rights, or a value past maxSettingsValueBytes) reports
// its failure and changes nothing. A problem is logged once until it changes.
class RegistrySettingsStore : public SettingsStore {
public:
    // The key under HKEY_CURRENT_USER that holds the settings of such programs.
    static constexpr const char* programSettingsRoot = "Software\\VB and VBA Program Settings";
    // Seven short values live here; a text larger than this is not one of them.
    static constexpr std::size_t maxSettingsValueBytes = 1024 * 1024;

    explicit RegistrySettingsStore(std::string root = programSettingsRoot);

    // The key of the section under HKEY_CURRENT_USER.
    std::string keyPath(const std::string& application, const std::string& section) const;

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

private:
    // Logs the problem when it differs from the last one; an empty problem is none.
    void note(const std::string& problem);

    std::string m_root;
    std::string m_lastProblem;
};

} // namespace quiverel
