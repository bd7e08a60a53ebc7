#include "settings/win32/RegistrySettingsStore.h"

#include "platform/files/win32/WidePath.h"
#include "platform/win32/RegistryKey.h"

#include <QtGlobal>

#include <windows.h>

#include <utility>

namespace quiverel {
namespace {

std::string problemText(const char* what, const std::string& where, LSTATUS status) {
    return std::string(what) + " HKEY_CURRENT_USER\\" + where + " (error " +
           std::to_string(status) + ")";
}

// The text of a REG_SZ value's data: up to its first NUL, with or without one at its end.
std::string textOf(const std::wstring& data) {
    return fs::utf8Text(std::wstring_view(data.c_str()));
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string root) : m_root(std::move(root)) {}

std::string RegistrySettingsStore::keyPath(const std::string& application,
                                           const std::string& section) const {
    return m_root + '\\' + application + '\\' + section;
}

void RegistrySettingsStore::note(const std::string& problem) {
    if (problem != m_lastProblem && !problem.empty()) {
        qWarning("%s", problem.c_str());
    }
    m_lastProblem = problem;
}

std::string RegistrySettingsStore::read(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) {
    const std::string where = keyPath(application, section);
    RegistryKey opened;
    const LSTATUS openStatus = ::RegOpenKeyExW(HKEY_CURRENT_USER, fs::wideText(where).c_str(), 0,
                                               KEY_QUERY_VALUE, opened.receive());
    if (openStatus != ERROR_SUCCESS) {
        note(openStatus == ERROR_FILE_NOT_FOUND
                 ? std::string()
                 : problemText("The settings cannot be read from", where, openStatus) +
                       ": the defaults are used.");
        return defaultValue;
    }
    const std::wstring name = fs::wideText(key);
    // Another program may change the value between the question of its size and its reading.
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        LSTATUS status =
            ::RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) {
            note({});
            return defaultValue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ || size > maxSettingsValueBytes) {
            note(problemText("The setting", where + '\\' + key, status) +
                 " is not a text this program writes: its default is used and the value is left "
                 "as it is.");
            return defaultValue;
        }
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        status = ::RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS && type == REG_SZ) {
            note({});
            return textOf(data);
        }
        if (status != ERROR_MORE_DATA && status != ERROR_SUCCESS) {
            note(problemText("The setting", where + '\\' + key, status) +
                 " cannot be read: its default is used.");
            return defaultValue;
        }
    }
}

bool RegistrySettingsStore::write(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value) {
    const std::string where = keyPath(application, section);
    const std::wstring text = fs::wideText(value);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > maxSettingsValueBytes) {
        note("The setting HKEY_CURRENT_USER\\" + where + '\\' + key + " would take more than " +
             std::to_string(maxSettingsValueBytes) + " bytes: it was not saved.");
        return false;
    }
    RegistryKey created;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, fs::wideText(where).c_str(), 0, nullptr,
                                       REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                       created.receive(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = ::RegSetValueExW(created.get(), fs::wideText(key).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(bytes));
    }
    if (status != ERROR_SUCCESS) {
        note(problemText("The settings cannot be written to", where, status) +
             ": they were not saved.");
        return false;
    }
    note({});
    return true;
}

} // namespace quiverel
