#pragma once

#include <windows.h>

namespace quiverel {

// An open registry key, closed when it goes; none until a call fills it through receive().
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (m_key != nullptr) {
            ::RegCloseKey(m_key);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY get() const { return m_key; }
    // Where RegOpenKeyExW or RegCreateKeyExW puts the key it opens.
    HKEY* receive() { return &m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace quiverel
