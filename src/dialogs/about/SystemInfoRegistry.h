#pragma once

#include "platform/Registry.h"

#include <map>
#include <string>
#include <vector>

namespace quiverel {

// Stands in for the registry on Linux, where the About box looks up the system-information
// program. It holds one key, HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, whose
// REG_SZ value PATH is the full path of the first of systemInfoPrograms() found in the
// search path; the key exists only while one of them is installed. Every other key, the
// folder look-up's among them, is absent.
class SystemInfoRegistry : public Registry {
public:
    // The programs tried, in this order: KDE's Info Center, HardInfo (version 2 before the
    // older one), CPU-X, and last GNOME's Settings, whose About page shows the system.
    static const std::vector<std::string>& systemInfoPrograms();

    bool openKey(Handle root, const std::string& keyName, std::uint32_t options,
                 std::uint32_t access, Handle& key) override;
    bool queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& dataSize) override;
    void closeKey(Handle key) override;

private:
    std::map<Handle, std::string> m_openKeys; // handle -> the program's path
    Handle m_nextHandle = 1;
};

} // namespace quiverel
