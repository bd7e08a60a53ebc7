#include "platform/win32/RegistryText.h"

#include "platform/files/win32/WidePath.h"
#include "platform/win32/RegistryKey.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quiverel {

RegistryText readRegistryText(HKEY root, std::string_view keyName, std::string_view valueName) {
    RegistryKey key;
    if (::RegOpenKeyExW(root, fs::wideText(keyName).c_str(), 0, KEY_READ, key.receive()) !=
        ERROR_SUCCESS) {
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
