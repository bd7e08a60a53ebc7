#pragma once

#include <string>

namespace quiverel {

// The per-user settings store: text values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultValue when the key is absent. Never writes the default back.
    virtual std::string read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultValue) = 0;
    // Stores the text; false when the store could not be written.
    virtual bool write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

} // namespace quiverel
