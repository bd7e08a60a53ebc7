#include "platform/win32/RegistryText.h"

#include "platform/files/win32/WidePath.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quiverel {
namespace {

// Closes the key when it goes.
class OpenKey {
public:
    OpenKey(HKEY root, const std::wstring& name) {
        if (::RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~OpenKey() {
        if (m_key != nullptr) {
            ::RegCloseKey(m_key);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace

RegistryText readRegistryText(HKEY root, std::string_view keyName, std::string_view valueName) {
    const OpenKey key(root, fs::wideText(keyName));
    if (key.get() == nullptr) {
        return {};
    }
    std::array<wchar_t, registryTextBufferBytes / sizeof(wchar_t)> buffer{};
    DWORD type = REG_NONE;
    DWORD size = registryTextBufferBytes;
    if (::RegQueryValueExW(key.get(), fs::wideText(valueName).c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
        return {};
    }
    const auto end = std::find(buffer.begin(), buffer.end(), L'\0');
    if (end == buffer.end()) {
        return {RegistryTextOutcome::Unterminated, {}};
    }
    switch (type) {
    case REG_SZ:
        return {RegistryTextOutcome::Read,
                fs::utf8Text(std::wstring_view(buffer.data(), end - buffer.begin()))};
    case REG_DWORD: {
        DWORD number = 0;
        std::memcpy(&number, buffer.data(), sizeof number);
        return {RegistryTextOutcome::Read, std::to_string(number)};
    }
    default:
        return {RegistryTextOutcome::Read, {}};
    }
}

} // namespace quiverel
