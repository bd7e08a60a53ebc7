#include "dialogs/about/SystemInformation.h"

#include "dialogs/about/texts.h"
#include "generated/ProgramInfo.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLauncher.h"

#include <algorithm>
#include <array>

namespace quiverel {

namespace {

// Query, set, create-sub-key, enumerate, notify and create-link rights with read-control.
constexpr std::uint32_t keyAccess = 0x2003F;

// Closes an open key on every way out of the look-up.
class OpenKey {
public:
    OpenKey(Registry& registry, Registry::Handle key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    Registry& m_registry;
    Registry::Handle m_key;
};

std::string programInFolder(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + sysInfoProgramName;
    }
    return folder + '/' + sysInfoProgramName;
}

} // namespace

SystemInformation::SystemInformation(Registry& registry, ProgramLauncher& launcher,
                                     MessageBox& messageBox)
    : m_registry(registry), m_launcher(launcher), m_messageBox(messageBox) {}

void SystemInformation::StartSysInfo() {
    try {
        std::string path;
        if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, sysInfoPathKey, sysInfoPathValue, path)) {
            std::string folder;
            if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, sysInfoFolderKey, sysInfoFolderValue,
                             folder)) {
                m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
                return;
            }
            path = programInFolder(folder);
            if (!m_launcher.fileExists(path)) {
                m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
                return;
            }
        }
        if (m_launcher.startDetached(path)) {
            return;
        }
    } catch (const UnterminatedRegistryValue&) {
        // A value that cannot be read as text makes the program unavailable, like a missing one.
    }
    m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
}

bool SystemInformation::GetKeyValue(Registry::Handle KeyRoot, const std::string& KeyName,
                                    const std::string& SubKeyRef, std::string& KeyVal) {
    Registry::Handle key = 0;
    if (!m_registry.openKey(KeyRoot, KeyName, 0, keyAccess, key)) {
        KeyVal.clear();
        return false;
    }
    const OpenKey openKey(m_registry, key);

    std::array<unsigned char, valueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t dataSize = valueBufferSize;
    if (!m_registry.queryValue(key, SubKeyRef, type, buffer.data(), dataSize)) {
        KeyVal.clear();
        return false;
    }

    const auto textEnd = std::find(buffer.begin(), buffer.end(), '\0');
    if (textEnd == buffer.end()) {
        throw UnterminatedRegistryValue("registry value " + SubKeyRef + " has no NUL");
    }
    if (type == Registry::REG_SZ) {
        KeyVal.assign(buffer.begin(), textEnd);
    } else if (type == Registry::REG_DWORD) {
        // The four bytes of the number, lowest first; a zero byte among them is part of it.
        const std::uint32_t number = buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) |
                                     (static_cast<std::uint32_t>(buffer[3]) << 24);
        KeyVal = std::to_string(number);
    }
    return true;
}

} // namespace quiverel
